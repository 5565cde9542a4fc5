#include "input/decadal_series.h"

#include <algorithm>
#include <limits>
#include <string>
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
    read.series.unit = ValueUnit::Thousandths;
  }
};

Notice titleNotice(const records::Text& line) {
  return {Notice::Kind::Title, records::Record().blanks(1).text(line, static_cast<int>(kRecordLength)).str()};
}

// A last series without its end marker is not loaded, but not silently:
// a user must not lose a series without knowing.
Notice noEndMarker(const std::u32string& id) {
  return {Notice::Kind::Warning,
          records::Record().column(5).text("*** Series ").text(id, 8).text(" has no end marker: not loaded ***").str()};
}

// A chronology whose last year ends in 9 fills its last decade line and
// carries no 9990 behind it: at the file's end that line, read to its end,
// closes the series (a whole file's only series was lost without this).
bool endsOnItsDecade(Layout layout, const SeriesRead& read, std::int32_t lastLineYear) {
  if (layout != Layout::Indices || read.length < 1) return false;
  const std::int64_t lastValueYear = std::int64_t{read.series.firstYear} + read.length - 1;
  return lastValueYear == std::int64_t{nextDecade(lastLineYear)} - 1;
}

bool isRingMarker(std::int32_t v) { return v == kRingEnd || v == kRingEndThousandths; }

// Ends a ring-width series with its marker; true, for the caller to return.
bool endRings(std::int32_t marker, SeriesSink& sink) {
  if (marker == kRingEndThousandths) sink.toThousandths();
  return true;
}

// Takes the slots of one data line; true when the series' end marker was met.
// The slot range is [from, to], from 1.
bool takeSlots(const DecadalLine& line, Layout layout, int from, int to, SeriesSink& sink) {
  for (int s = from; s <= to; ++s) {
    const std::int32_t slot = line.slots[static_cast<std::size_t>(s - 1)];
    // A value below 0 (other than the end marker) is a ring that could not
    // be measured.
    if (layout == Layout::RingWidths) {
      if (isRingMarker(slot)) return endRings(slot, sink);
      sink.add(slot < 0 ? kMissingValue : static_cast<float>(slot) * 0.01f);
    } else {
      if (slot >= kIndexEnd) return true;
      sink.add(slot < 0 ? kMissingValue : static_cast<float>(slot) * 0.001f);
    }
  }
  return false;
}

// Where some writers put a ring-width series' end marker when no slot was
// left for it. `taken` is the last slot that held a value. On a first line
// whose decade ends early, the marker may stand in the slot just behind its
// last year, alone at the end of the line; on a line whose ten slots are all
// full, it may stand as an eleventh field in columns 73-78. Either way the
// next series must not be read into this one.
bool endsBehindTheSlots(const DecadalLine& line, int taken, SeriesSink& sink) {
  if (taken < 10) {
    const std::int32_t next = line.slots[static_cast<std::size_t>(taken)];
    const std::size_t nextEnds = 12 + 6 * static_cast<std::size_t>(taken + 1);
    if (isRingMarker(next) && line.lastColumn <= nextEnds) return endRings(next, sink);
  }
  if (line.allFilled() && line.eleventh && isRingMarker(*line.eleventh)) return endRings(*line.eleventh, sink);
  return false;
}

// A series' years are checked, not mended: a decade missing or repeated, a
// line lost as a title, or a tab that shifted the year would move the rest of
// the series in time without a word, and it would then date with confidence
// at the wrong place. The series is still loaded as read.
Notice yearJump(const std::u32string& id, std::int32_t year, std::int32_t expected) {
  return {Notice::Kind::Warning, records::Record()
                                     .column(5)
                                     .text("*** Series ")
                                     .text(id, 8)
                                     .text(": line for ")
                                     .text(std::to_string(year))
                                     .text(" where ")
                                     .text(std::to_string(expected))
                                     .text(" was expected ***")
                                     .str()};
}

// A ring-width line whose year is not the start of the decade after the
// previous line's is named; true when it was, so that a series draws one
// such warning at most.
bool reportYearJump(const DecadalLine& data, std::int32_t lastYear, const std::u32string& id, SeriesStep& step) {
  const std::int32_t expected = nextDecade(lastYear);
  if (data.year == expected) return false;
  step.notices.push_back(yearJump(id, data.year, expected));
  return true;
}

// The series in the format-driven layout, named by the first 8 characters
// of its title line.
void handOver(SourceLines& lines, SeriesStep& step) {
  FormattedRead got = readFormattedSeries(lines);
  for (Notice& notice : got.notices) step.notices.push_back(std::move(notice));
  if (!got.series) return;
  FormattedSeries* formatted = &*got.series;
  SeriesRead& read = step.series.emplace();
  read.series.id = records::fitRecord(std::u32string_view(formatted->title).substr(0, 8), 8);
  read.series.firstYear = formatted->firstYear;
  read.series.values = std::move(formatted->values);
  // As in every layout, a value below 0 is a missing ring.
  for (float& v : read.series.values)
    if (v < 0.0f) v = kMissingValue;
  read.length = formatted->count;
}

}  // namespace

SeriesStep readDecadalSeries(SourceLines& lines, Layout layout) {
  SeriesStep step;
  SeriesRead read;
  SeriesSink sink{read};
  int dataLines = 0;
  int textLines = 0;
  // Blank lines behind a file's last series read as data lines of a series
  // of zeros; as long as nothing else came, they are no series at all.
  bool allBlank = true;
  bool yearsReported = false;
  std::int32_t lastYear = 0;
  records::Text line;
  for (;;) {
    if (lines.record(line, kRecordLength) != records::ReadStatus::Ok) {
      if (lines.failed() || dataLines == 0 || allBlank) return step;
      if (endsOnItsDecade(layout, read, lastYear)) step.series = std::move(read);
      else step.notices.push_back(noEndMarker(read.series.id));
      return step;
    }
    if (read.length == 0 && line[kRecordLength - 1] == U'#') {
      lines.unreadLast();
      handOver(lines, step);
      return step;
    }
    const auto data = readDecadalLine(line, layout);
    if (!data) {
      if (++textLines > kMaxTextLines) {
        step.stop = ReadStop{ReadStop::Kind::TextLineLimit, "Sbr TRRW:  Over 25 text lines"};
        return step;
      }
      step.notices.push_back(titleNotice(line));
      continue;
    }
    const bool rings = layout == Layout::RingWidths;
    int from = 1;
    int to = 10;
    if (++dataLines == 1) {
      // The first line's year is the series' first year; later lines' years
      // are only checked against it, and their identifiers not at all.
      read.series.id = data->id;
      read.series.firstYear = data->year;
      read.series.unit = rings ? ValueUnit::Hundredths : ValueUnit::IndexThousandths;
      const int n1 = firstLineSlots(data->year);
      // Ring widths stand left-aligned on the first line; indices in their
      // years' slots, behind filler.
      if (rings) to = n1;
      else from = 11 - n1;
    } else if (rings && !yearsReported && !(allBlank && data->blank())) {
      yearsReported = reportYearJump(*data, lastYear, read.series.id, step);
    }
    lastYear = data->year;
    allBlank = allBlank && data->blank();
    if (takeSlots(*data, layout, from, to, sink) || (rings && endsBehindTheSlots(*data, to, sink))) {
      step.series = std::move(read);
      return step;
    }
  }
}

}  // namespace veska::input
