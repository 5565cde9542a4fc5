#include "input/series_file.h"

#include <cstdint>
#include <string>
#include <utility>

#include "input/csv_table.h"
#include "input/decadal_series.h"
#include "input/file_layout.h"
#include "input/heidelberg_series.h"
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
                                           .integer(kMaxSeries, 3)
                                           .text(" ***")
                                           .str()};
}

void addNotices(LoadedFile& file, Notices& notices) {
  for (Notice& notice : notices) file.notices.push_back(std::move(notice));
}

// Adds a series read to the table, within the limits; false when the file
// ends here: a series that ended at once ends a decadal file, and a limit
// or a failed source ends any.
bool add(LoadedFile& file, std::optional<SeriesRead>& read) {
  if (!read || read->length < 1) return false;
  if (read->length > kMaxLength) file.stop = tooLong(read->series.id, read->length);
  else if (file.table.size() == static_cast<std::size_t>(kMaxSeries)) file.stop = tooMany();
  if (file.stop) return false;
  file.table.push_back(std::move(read->series));
  return true;
}

// Takes one reader's step; false when the file ends with it.
bool take(LoadedFile& file, SeriesStep& step, const SourceLines& lines) {
  addNotices(file, step.notices);
  if (step.stop) file.stop = std::move(step.stop);
  else if (lines.failed()) file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
  if (file.stop) return false;
  return add(file, step.series);
}

void loadCsv(LoadedFile& file, SourceLines& lines) {
  CsvTable csv = readCsvTable(lines);
  addNotices(file, csv.notices);
  if (csv.stop) file.stop = std::move(csv.stop);
  else if (lines.failed()) file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
  for (SeriesRead& series : csv.series) {
    std::optional<SeriesRead> read(std::move(series));
    if (file.stop) return;
    add(file, read);
  }
}

}  // namespace

LoadedFile loadSeriesFile(SourceLines& lines, Layout layout) {
  LoadedFile file;
  const FileLayout found = recognizeLayout(lines);
  if (lines.failed()) {
    file.stop = ReadStop{ReadStop::Kind::SourceFailed, {}};
    return file;
  }
  if (found == FileLayout::Heidelberg) {
    file.notices.push_back({Notice::Kind::Line, " Reading a Heidelberg file"});
    for (int blocks = 0;;) {
      SeriesStep step = readHeidelbergSeries(lines, blocks);
      const bool more = step.series.has_value();
      // The file ends where the reader finds no further series.
      if (!take(file, step, lines) && (file.stop || !more)) return file;
    }
  }
  if (found == FileLayout::Csv) {
    file.notices.push_back({Notice::Kind::Line, " Reading a CSV table"});
    loadCsv(file, lines);
    return file;
  }
  for (;;) {
    SeriesStep step = readDecadalSeries(lines, layout);
    if (!take(file, step, lines)) return file;
  }
}

}  // namespace veska::input
