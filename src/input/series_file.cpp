#include "input/series_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "records/record.h"
#include "input/decadal_series.h"

namespace veska::input {
namespace {

std::optional<std::u32string_view> trrwCode(std::u32string_view readCode) {
  if (readCode.empty()) return std::nullopt;
  switch (readCode[0]) {
    case U'M':
    case U'm':
      return U"MR";
    case U'I':
    case U'i':
      return U"IR";
    default:
      return std::nullopt;
  }
}

[[noreturn]] void stopAtLimit(records::Runtime& rt, const records::Record& message) {
  rt.writeConsole("");
  rt.pause(message.str());
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

void loadSeriesFile(records::Runtime& rt, SeriesTable& table, std::u32string_view readCode, int maxLength, int maxSeries,
             int unit) {
  table.count = 0;
  const auto code = trrwCode(readCode);
  if (!code) return;
  maxLength = std::clamp(maxLength, 0, table.maxLength);
  maxSeries = std::clamp(maxSeries, 0, table.maxSeries);
  // A series is read whole into the scratch store before it is checked; readDecadalSeries
  // keeps counting past its room, so the message can give the true length.
  std::vector<float> scratch(static_cast<std::size_t>(table.maxLength));
  std::u32string id(8, U' ');
  std::int32_t firstYear = 0;
  std::int32_t count = 0;
  int seriesCounter = 0;
  for (;;) {
    readDecadalSeries(rt, id, firstYear, count, scratch, seriesCounter, unit, *code);
    if (count < 1) return;
    if (count > maxLength) tooLong(rt, id, count, maxLength);
    if (seriesCounter > maxSeries) tooMany(rt, maxSeries);
    const auto i = static_cast<std::size_t>(table.count++);
    table.ids[i] = records::fitRecord(id, 8);
    table.first[i] = firstYear;
    table.last[i] = firstYear + count - 1;
    std::copy_n(scratch.begin(), count, table.values(table.count).begin());
  }
}

}  // namespace veska::input
