// One line of the fixed-column decadal layouts: an identifier, a year and
// ten value slots. Which variant a line is read with is decided by that line
// alone: a minus sign in the column just before the year field widens the
// year by that column and takes it from the identifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "records/text.h"

namespace veska::input {

enum class Layout {
  RingWidths,  // "MR": identifier 1-8, year 9-12, ten 6-wide values in 13-72
  Indices,     // "IR": identifier 1-6, year 7-10, ten (4-wide index, 3-wide count) pairs in 11-80
};

struct DecadalLine {
  std::u32string id;  // 8 characters, blank-padded
  std::int32_t year = 0;
  std::array<std::int32_t, 10> slots{};  // slot s (from 1) is slots[s - 1]
  std::array<bool, 10> filled{};         // the slot's columns hold more than blanks
  // Ring widths: columns 73-78, where some writers put an end marker behind a
  // full line; nullopt when they do not read as an integer (blank reads 0).
  std::optional<std::int32_t> eleventh;
  std::size_t lastColumn = 0;  // last non-blank column, from 1; 0 when the line is blank

  bool blank() const { return lastColumn == 0; }
  bool allFilled() const;
};

// nullopt when any field of the line cannot be read as an integer: the line
// is then a text line. Sample counts of index lines must be readable too but
// are not kept. The record is taken as 80 characters (cut or padded).
std::optional<DecadalLine> readDecadalLine(const records::Text& record, Layout layout);

// How many slots of a series' first line belong to the series, from its first
// year Y: the years from Y to the end of Y's decade. Decades run 0-9, 10-19...
// upward and -10..-1, -20..-11... downward (year 0 follows year -1), so
// 1985 gives 5, -5 gives 5 (-5..-1) and -10 gives 10.
int firstLineSlots(std::int32_t year);

// The year a series' next data line must carry after a line for `year`: the
// start of the following decade (-5 and -10 are both followed by 0).
std::int32_t nextDecade(std::int32_t year);

}  // namespace veska::input
