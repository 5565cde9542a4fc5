// The records of the match section: the heading block, the column header,
// the pair lines, the group separators and the console progress lines, every
// one fixed to the column.
#pragma once

#include <string>
#include <vector>

#include "records/record.h"
#include "runtime/runtime.h"
#include "match/pair_match.h"

namespace veska::match {

// The correlation in a fixed field of width 4 with 2 decimals, a first "0"
// made a blank: 0.45 is " .45", 1.00 stays "1.00", -0.45 is "-.45".
std::string correlationText(float r);

// The six report lines of the heading; its title starts in column 5 when
// undated series are matched among themselves, in column 6 against dated ones.
std::vector<records::Record> headingBlock(bool withDated);
// Three lines, before the pairs of first series 1 and of every multiple of 10.
std::vector<records::Record> columnHeader();
records::Record groupSeparator();
// A slot's 23 columns: 1-5 and 6-10 the last rings, 11-14 the overlap, 15-18
// the correlation text, 19-23 the t-statistic.
records::Record& slotFields(records::Record& r, const Slot& slot);
records::Record pairLine(const MatchSeries& first, const MatchSeries& second, const BestThree& best);
records::Record progressLine(const MatchSeries& first, const MatchSeries& second, const BestThree& best);

// The heading block to the report, then two empty console lines.
void writeHeadingBlock(runtime::Runtime& rt, runtime::Unit reportUnit, bool withDated);
// The column header when first series i is 1 or a multiple of 10.
void writeColumnHeaderFor(runtime::Runtime& rt, runtime::Unit reportUnit, int i);
void writeGroupSeparator(runtime::Runtime& rt, runtime::Unit reportUnit);
// The pair's console progress line (unless not toConsole), then its report line.
void writePairLines(runtime::Runtime& rt, runtime::Unit reportUnit, const MatchSeries& first, const MatchSeries& second,
                    const BestThree& best, bool toConsole = true);

}  // namespace veska::match
