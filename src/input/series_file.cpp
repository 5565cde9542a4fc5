#include "input/series_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "records/record.h"
#include "input/csv_table.h"
#include "input/decadal_series.h"
#include "input/file_layout.h"
#include "input/heidelberg_series.h"

namespace veska::input {
namespace {

[[noreturn]] void stopAtLimit(records::Runtime& rt, const records::Record& message) {
  rt.writeConsole("");
  rt.pause(message.str(), records::kExitDataLimit);
  rt.endRun(" ", records::kExitDataLimit);
}

[[noreturn]] void tooLong(records::Runtime& rt, const std::u32string& id, std::int32_t count, int maxLength) {
  stopAtLimit(rt, records::Record()
                      .column(5)
                      .text("*** Series read in exceeds maximum allowable length: ")
                      .text(id, 8)
                      .blanks(2)
                      .integer(count, 4)
                      .text(" > ")
                      .integer(maxLength, 4)
                      .text(" ***"));
}

[[noreturn]] void tooMany(records::Runtime& rt, int maxSeries) {
  stopAtLimit(rt, records::Record()
                      .column(5)
                      .text("*** Number of series exceeds maximum allowed: ")
                      .integer(maxSeries, 4)
                      .text(" ***"));
}

// Adds a series read to the table, within the limits; false for a series
// that ended at once, which ends a decadal file.
bool add(records::Runtime& rt, SeriesTable& table, std::optional<SeriesRead>& read) {
  if (!read || read->length < 1) return false;
  if (read->length > kMaxLength) tooLong(rt, read->series.id, read->length, kMaxLength);
  if (table.size() == static_cast<std::size_t>(kMaxSeries)) tooMany(rt, kMaxSeries);
  table.push_back(std::move(read->series));
  return true;
}

}  // namespace

SeriesTable loadSeriesFile(records::Runtime& rt, int unit, Layout layout) {
  SeriesTable table;
  switch (recognizeLayout(rt, unit)) {
    case FileLayout::Heidelberg: {
      rt.writeConsole(" Reading a Heidelberg file");
      int blocks = 0;
      for (;;) {
        auto read = readHeidelbergSeries(rt, unit, blocks);
        if (!read) return table;
        add(rt, table, read);
      }
    }
    case FileLayout::Csv: {
      rt.writeConsole(" Reading a CSV table");
      for (SeriesRead& series : readCsvTable(rt, unit)) {
        std::optional<SeriesRead> read(std::move(series));
        add(rt, table, read);
      }
      return table;
    }
    case FileLayout::Decadal:
      break;
  }
  for (;;) {
    auto read = readDecadalSeries(rt, unit, layout);
    if (!add(rt, table, read)) return table;
  }
}

}  // namespace veska::input
