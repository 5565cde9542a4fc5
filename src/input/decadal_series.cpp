#include "input/decadal_series.h"

#include <algorithm>
#include <limits>

#include "records/record.h"
#include "input/formatted_series.h"
#include "input/decadal_line.h"

namespace veska::input {
namespace {

constexpr std::size_t kRecordLength = 80;
constexpr std::int32_t kRingEnd = 999;
constexpr std::int32_t kRingEndThousandths = -9999;
constexpr std::int32_t kIndexEnd = 9990;  // and anything above: also the filler before a first year

// Values arrive one by one; only the room given is written (D11).
struct SeriesSink {
  std::span<float> values;
  std::int32_t& count;

  void add(float v) {
    if (count < static_cast<std::int64_t>(values.size())) values[static_cast<std::size_t>(count)] = v;
    if (count < std::numeric_limits<std::int32_t>::max()) ++count;
  }
  // -9999 closes a series measured in thousandths: every value read so far
  // was taken as hundredths, so it is a tenth of that.
  void toThousandths() {
    const auto stored = std::min<std::size_t>(static_cast<std::size_t>(count), values.size());
    for (std::size_t k = 0; k < stored; ++k) values[k] = values[k] * 0.1f;
  }
};

void echoTextLine(records::Runtime& rt, const records::Text& line) {
  rt.writeConsole("");
  rt.writeConsole(" Title of data:");
  rt.writeConsole(records::Record().blanks(1).text(line, static_cast<int>(kRecordLength)));
}

// F7: a last series without its end marker is not loaded, but not silently.
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

}  // namespace

void readDecadalSeries(records::Runtime& rt, std::u32string& id, std::int32_t& firstYear, std::int32_t& count,
          std::span<float> values, int& seriesCounter, int unit, std::u32string_view readCode) {
  const Layout layout = readCode == U"IR" ? Layout::Indices : Layout::RingWidths;
  count = 0;
  int dataLines = 0;
  int textLines = 0;
  seriesCounter = std::max(seriesCounter, 0) + 1;
  SeriesSink sink{values, count};
  records::Text line;
  for (;;) {
    if (rt.readUnit(unit, line, kRecordLength) != records::ReadStatus::Ok) {
      if (dataLines > 0) reportNoEndMarker(rt, id);
      count = kNoMoreSeries;
      seriesCounter = kNoMoreSeries;
      return;
    }
    if (count == 0 && line[kRecordLength - 1] == U'#') {
      rt.stepBack(unit);
      readFormattedSeries(rt, line, count, values, firstYear, unit, static_cast<int>(kRecordLength));
      id = records::fitRecord(std::u32string_view(line).substr(0, 8), 8);
      return;
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
      id = data->id;
      firstYear = data->year;
      const int n1 = firstLineSlots(firstYear);
      // Ring widths stand left-aligned on the first line; indices in their
      // years' slots, behind filler.
      if (layout == Layout::RingWidths) to = n1;
      else from = 11 - n1;
    }
    if (takeSlots(*data, layout, from, to, sink)) return;
  }
}

}  // namespace veska::input
