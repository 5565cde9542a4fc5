#include "input/series_file.h"

#include <cstdint>
#include <string>
#include <utility>

#include "records/record.h"
#include "input/decadal_series.h"

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
                      .integer(maxSeries, 3)
                      .text(" ***"));
}

}  // namespace

SeriesTable loadSeriesFile(records::Runtime& rt, int unit, Layout layout) {
  SeriesTable table;
  for (;;) {
    auto read = readDecadalSeries(rt, unit, layout);
    if (!read || read->length < 1) return table;
    if (read->length > kMaxLength) tooLong(rt, read->series.id, read->length, kMaxLength);
    if (table.size() == static_cast<std::size_t>(kMaxSeries)) tooMany(rt, kMaxSeries);
    table.push_back(std::move(read->series));
  }
}

}  // namespace veska::input
