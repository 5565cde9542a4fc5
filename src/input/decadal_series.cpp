#include "input/decadal_series.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "records/record.h"
#include "input/formatted_series.h"
#include "input/decadal_line.h"

namespace veska::input {
namespace {

constexpr std::size_t kRecordLength = 80;
constexpr std::int32_t kRingEnd = 999;
constexpr std::int32_t kRingEndThousandths = -9999;
constexpr std::int32_t kIndexEnd = 9990;  // and anything above: also the filler before a first year

// Values arrive one by one; at most kMaxLength are kept, but the count goes
// on so that an overlong series' true length is known.
struct SeriesSink {
  SeriesRead& read;

  void add(float v) {
    if (read.series.values.size() < static_cast<std::size_t>(kMaxLength)) read.series.values.push_back(v);
    if (read.length < std::numeric_limits<std::int32_t>::max()) ++read.length;
  }
  // -9999 closes a series measured in thousandths: every value read so far
  // was taken as hundredths, so it is a tenth of that.
  void toThousandths() {
    for (float& v : read.series.values) v = v * 0.1f;
  }
};

void echoTextLine(records::Runtime& rt, const records::Text& line) {
  rt.writeConsole("");
  rt.writeConsole(" Title of data:");
  rt.writeConsole(records::Record().blanks(1).text(line, static_cast<int>(kRecordLength)));
}

// A last series without its end marker is not loaded, but not silently:
// a user must not lose a series without knowing.
void reportNoEndMarker(records::Runtime& rt, const std::u32string& id) {
  rt.writeConsole("");
  rt.writeConsole(
      records::Record().column(5).text("*** Series ").text(id, 8).text(" has no end marker: not loaded ***"));
}

// Takes the slots of one data line; true when the series' end marker was met.
// The slot range is [from, to], from 1.
bool takeSlots(const DecadalLine& line, Layout layout, int from, int to, SeriesSink& sink) {
  for (int s = from; s <= to; ++s) {
    const std::int32_t slot = line.slots[static_cast<std::size_t>(s - 1)];
    if (layout == Layout::RingWidths) {
      if (slot == kRingEndThousandths) {
        sink.toThousandths();
        return true;
      }
      if (slot == kRingEnd) return true;
      sink.add(static_cast<float>(slot) * 0.01f);
    } else {
      if (slot >= kIndexEnd) return true;
      sink.add(static_cast<float>(slot) * 0.001f);
    }
  }
  return false;
}

// The series in the format-driven layout, named by the first 8 characters
// of its title line.
std::optional<SeriesRead> handOver(records::Runtime& rt, int unit) {
  auto formatted = readFormattedSeries(rt, unit);
  if (!formatted) return std::nullopt;
  SeriesRead read;
  read.series.id = records::fitRecord(std::u32string_view(formatted->title).substr(0, 8), 8);
  read.series.firstYear = formatted->firstYear;
  read.series.values = std::move(formatted->values);
  read.length = formatted->count;
  return read;
}

}  // namespace

std::optional<SeriesRead> readDecadalSeries(records::Runtime& rt, int unit, Layout layout) {
  SeriesRead read;
  SeriesSink sink{read};
  int dataLines = 0;
  int textLines = 0;
  records::Text line;
  for (;;) {
    if (rt.readUnit(unit, line, kRecordLength) != records::ReadStatus::Ok) {
      if (dataLines > 0) reportNoEndMarker(rt, read.series.id);
      return std::nullopt;
    }
    if (read.length == 0 && line[kRecordLength - 1] == U'#') {
      rt.stepBack(unit);
      return handOver(rt, unit);
    }
    const auto data = readDecadalLine(line, layout);
    if (!data) {
      if (++textLines > kMaxTextLines) rt.endRun("Sbr TRRW:  Over 25 text lines", records::kExitDataLimit);
      echoTextLine(rt, line);
      continue;
    }
    int from = 1;
    int to = 10;
    if (++dataLines == 1) {
      // Only the first line's year counts; later lines' years and
      // identifiers are not checked.
      read.series.id = data->id;
      read.series.firstYear = data->year;
      const int n1 = firstLineSlots(data->year);
      // Ring widths stand left-aligned on the first line; indices in their
      // years' slots, behind filler.
      if (layout == Layout::RingWidths) to = n1;
      else from = 11 - n1;
    }
    if (takeSlots(*data, layout, from, to, sink)) return read;
  }
}

}  // namespace veska::input
