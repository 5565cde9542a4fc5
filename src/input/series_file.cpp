#include "input/series_file.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "input/csv_table.h"
#include "input/decadal_series.h"
#include "input/file_layout.h"
#include "input/heidelberg_series.h"
#include "input/besancon_series.h"
#include "input/catras_series.h"
#include "input/layout_read.h"
#include "input/noaa_template.h"
#include "input/sheffield_series.h"
#include "input/tridas_series.h"
#include "records/record.h"

namespace veska::input {
namespace {

ReadStop tooLong(const std::u32string& id, std::int32_t count) {
  return {ReadStop::Kind::SeriesLimit, records::Record()
                                           .column(5)
                                           .text("*** Series read in exceeds maximum allowable length: ")
                                           .text(id, 8)
                                           .blanks(2)
                                           .integer(count, 4)
                                           .text(" > ")
                                           .integer(kMaxLength, 4)
                                           .text(" ***")
                                           .str()};
}

ReadStop tooMany() {
  return {ReadStop::Kind::SeriesLimit, records::Record()
                                           .column(5)
                                           .text("*** Number of series exceeds maximum allowed: ")
                                           .integer(kMaxSeries, 4)
                                           .text(" ***")
                                           .str()};
}

Notice warning(const records::Record& text) { return {Notice::Kind::Warning, text.str()}; }

// A series that is only its end marker is no series, but the file goes on:
// the series behind it were once lost without a word.
Notice noRings(const std::u32string& id) {
  return warning(records::Record().column(5).text("*** Series ").text(id, 8).text(" has no rings: skipped ***"));
}

// Every placement has at least 50 rings of overlap, so a shorter series is
// matched with nothing; the user is told why its pairs stay empty.
Notice tooShortToMatch(const std::u32string& id, std::int32_t rings) {
  return warning(records::Record()
                     .column(5)
                     .text("*** Series ")
                     .text(id, 8)
                     .text(": ")
                     .text(std::to_string(rings))
                     .text(" rings, fewer than 50: not matched ***"));
}

// A value below 0 (or an empty cell) is a ring that could not be measured,
// not a ring: read as one, two unrelated series each holding a -999 pair
// match with t = 90. The series is used over its longest stretch without one.
Notice missingValues(const Series& series, std::size_t missing, std::int32_t length, const Stretch& kept) {
  const std::int64_t first = std::int64_t{series.firstYear} + static_cast<std::int64_t>(kept.offset);
  const std::int64_t last = first + static_cast<std::int64_t>(kept.length) - 1;
  return warning(records::Record()
                     .column(5)
                     .text("*** Series ")
                     .text(series.id, 8)
                     .text(": missing values (below 0) in ")
                     .text(std::to_string(missing))
                     .text(" of ")
                     .text(std::to_string(length))
                     .text(" years: used ")
                     .text(std::to_string(first))
                     .text(" to ")
                     .text(std::to_string(last))
                     .text(" ***"));
}

std::u32string withoutTrailingBlanks(std::u32string_view text) {
  const std::size_t end = text.find_last_not_of(U' ');
  return std::u32string(text.substr(0, end == std::u32string_view::npos ? 0 : end + 1));
}

// The identifiers of the series loaded so far from a Heidelberg or CSV file:
// as kept, and as the file writes them.
struct Named {
  std::u32string id;
  std::u32string fullId;
};

// Two series the report could not tell apart; both are still loaded.
Notice sameIdentifier(const Named& earlier, const Named& later) {
  return warning(records::Record()
                     .column(5)
                     .text("*** Series ")
                     .text(records::toUtf8(withoutTrailingBlanks(earlier.fullId)))
                     .text(" and ")
                     .text(records::toUtf8(withoutTrailingBlanks(later.fullId)))
                     .text(" both read as ")
                     .text(records::toUtf8(withoutTrailingBlanks(later.id)))
                     .text(" ***"));
}

void addNotices(LoadedFile& file, Notices& notices) {
  for (Notice& notice : notices) file.notices.push_back(std::move(notice));
}

// In Heidelberg and CSV files an identifier is cut to 8 characters, so two
// series may become one name in the report; the first of that name is named.
// (In decadal files a repeated identifier is one series in several segments.)
void checkIdentifier(LoadedFile& file, const SeriesRead& read, std::vector<Named>& named) {
  if (read.fullId.empty()) return;
  const Named later{read.series.id, read.fullId};
  for (const Named& earlier : named) {
    if (earlier.id != later.id) continue;
    file.notices.push_back(sameIdentifier(earlier, later));
    return;
  }
  named.push_back(later);
}

// Adds a series read to the table, within the limits; false when the file
// ends here: a decadal file ends where no further series was found, and a
// limit or a failed source ends any.
bool add(LoadedFile& file, std::optional<SeriesRead>& read, std::vector<Named>& named, MissingValues keep) {
  if (!read) return false;
  const Stretch kept = longestStretch(read->series.values);
  if (read->length < 1 || (read->length <= kMaxLength && kept.length == 0)) {
    file.notices.push_back(noRings(read->series.id));
    return true;
  }
  if (read->length > kMaxLength) file.stop = tooLong(read->series.id, read->length);
  else if (file.table.size() == static_cast<std::size_t>(kMaxSeries)) file.stop = tooMany();
  if (file.stop) return false;
  std::int32_t rings = read->length;
  if (const std::size_t missing = missingCount(read->series.values); missing > 0) {
    file.notices.push_back(missingValues(read->series, missing, read->length, kept));
    rings = static_cast<std::int32_t>(kept.length);
    if (keep == MissingValues::Stretch) read->series = keptStretch(read->series);
  }
  if (rings < kMinOverlap) file.notices.push_back(tooShortToMatch(read->series.id, rings));
  checkIdentifier(file, *read, named);
  file.table.push_back(std::move(read->series));
  return true;
}

// Takes one reader's step; false when the file ends with it.
bool take(LoadedFile& file, SeriesStep& step, const SourceLines& lines, std::vector<Named>& named,
          MissingValues keep) {
  addNotices(file, step.notices);
  if (step.stop) file.stop = std::move(step.stop);
  else if (lines.failed()) file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
  if (file.stop) return false;
  return add(file, step.series, named, keep);
}

void loadCsv(LoadedFile& file, SourceLines& lines, MissingValues keep) {
  CsvTable csv = readCsvTable(lines);
  addNotices(file, csv.notices);
  if (csv.stop) file.stop = std::move(csv.stop);
  else if (lines.failed()) file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
  std::vector<Named> named;
  for (SeriesRead& series : csv.series) {
    std::optional<SeriesRead> read(std::move(series));
    if (file.stop) return;
    add(file, read, named, keep);
  }
}

// A whole-file reader's series and refusals, in file order, into the table.
void addItems(LoadedFile& file, LayoutRead read, MissingValues keep) {
  std::vector<Named> named;
  for (auto& item : read.items) {
    if (file.stop) return;
    if (Notice* notice = std::get_if<Notice>(&item)) {
      file.notices.push_back(std::move(*notice));
      continue;
    }
    std::optional<SeriesRead> one(std::move(std::get<SeriesRead>(item)));
    add(file, one, named, keep);
  }
}

// Every line of the file, for the layouts read whole; the text of a TRiDaS
// file is its lines in UTF-8. nullopt when the source failed.
std::optional<std::vector<records::Text>> allLines(SourceLines& lines, bool& cut) {
  std::vector<records::Text> all;
  records::Text line;
  while (lines.line(line) == records::ReadStatus::Ok) {
    cut = cut || lines.lastCut();
    all.push_back(std::move(line));
  }
  if (lines.failed()) return std::nullopt;
  return all;
}

LayoutRead readWholeLayout(FileLayout layout, const std::vector<records::Text>& lines, bool cut) {
  switch (layout) {
    case FileLayout::Sheffield: return readSheffieldFile(lines);
    case FileLayout::Besancon: return readBesanconFile(lines);
    case FileLayout::NoaaTemplate: return readNoaaTemplate(lines);
    default: break;
  }
  if (cut) {
    // The XML would be read without the rest of its longest line.
    LayoutRead read;
    read.items.push_back(Notice{Notice::Kind::Warning, records::Record()
                                                       .column(5)
                                                       .text("*** The TRiDaS file has a line longer than 64 KB: no series read ***")
                                                       .str()});
    return read;
  }
  std::string xml;
  for (const records::Text& line : lines) (xml += records::toUtf8(line)) += '\n';
  return readTridasText(xml);
}

void loadWhole(LoadedFile& file, SourceLines& lines, FileLayout layout, MissingValues keep) {
  bool cut = false;
  const auto all = allLines(lines, cut);
  if (!all) {
    file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
    return;
  }
  addItems(file, readWholeLayout(layout, *all, cut), keep);
}

}  // namespace

LoadedFile loadSeriesFile(SourceLines& lines, Layout layout, MissingValues keep) {
  LoadedFile file;
  // A binary layout is told by its bytes, before any line is read.
  if (std::string bytes; lines.startBytes(bytes, kMaxCatrasBytes) && looksLikeCatras(bytes)) {
    file.notices.push_back({Notice::Kind::Line, " Reading a CATRAS file"});
    addItems(file, readCatrasBytes(bytes), keep);
    return file;
  }
  const FileLayout found = recognizeLayout(lines);
  if (lines.failed()) {
    file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
    return file;
  }
  std::vector<Named> named;
  if (found != FileLayout::Decadal) file.notices.push_back({Notice::Kind::Line, std::string(layoutLine(found))});
  if (found == FileLayout::Heidelberg) {
    for (int blocks = 0;;) {
      SeriesStep step = readHeidelbergSeries(lines, blocks);
      // The file ends where the reader finds no further series.
      if (!take(file, step, lines, named, keep)) return file;
    }
  }
  if (found == FileLayout::Csv) {
    loadCsv(file, lines, keep);
    return file;
  }
  if (found != FileLayout::Decadal) {
    loadWhole(file, lines, found, keep);
    return file;
  }
  for (;;) {
    SeriesStep step = readDecadalSeries(lines, layout);
    if (!take(file, step, lines, named, keep)) return file;
  }
}

}  // namespace veska::input
