#include "input/heidelberg_series.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "records/numeric_input.h"
#include "records/record.h"
#include "input/file_layout.h"
#include "input/plain_numbers.h"

namespace veska::input {
namespace {

char32_t lower(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

bool sameWord(std::u32string_view a, std::u32string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (lower(a[k]) != lower(b[k])) return false;
  return true;
}

// Integers in a group: 1 for a single curve, 2 (value, count) and
// 4 (value, count, rising, falling) for means. 0: no known shape.
int groupSize(std::u32string_view name) {
  if (sameWord(name, U"Single") || sameWord(name, U"Tree")) return 1;
  if (sameWord(name, U"Double") || sameWord(name, U"HalfChrono")) return 2;
  if (sameWord(name, U"Quadro") || sameWord(name, U"Chrono")) return 4;
  return 0;
}

// The unit a block's values are in; nullopt for a Unit not known.
std::optional<ValueUnit> unitOf(std::u32string_view unit) {
  std::u32string packed;
  for (char32_t c : unit)
    if (c != U' ' && c != U'\t') packed += lower(c);
  if (packed.empty() || packed == U"1/100mm" || packed == U"0.01mm") return ValueUnit::Hundredths;
  if (packed == U"1/1000mm" || packed == U"0.001mm") return ValueUnit::Thousandths;
  if (packed == U"1/10mm" || packed == U"0.1mm") return ValueUnit::Tenths;
  if (packed == U"mm") return ValueUnit::Millimetres;
  return std::nullopt;
}

struct Block {
  int number = 0;  // from 1, in file order
  std::u32string keyCode;
  bool hasKeyCode = false;
  std::u32string dateBegin, length, unit, dataFormat, dataKind;
  std::u32string species, latitude, longitude;
  std::vector<records::Text> dataLines;
};

Notice notLoaded(const Block& block, std::string_view reason) {
  records::Record r;
  r.column(5);
  if (block.hasKeyCode) {
    r.text("*** Series ").text(records::fitRecord(block.keyCode, 8), 8);
  } else {
    r.text("*** Heidelberg block ").text(std::to_string(block.number));
  }
  return {Notice::Kind::Warning, r.text(" ").text(reason).text(": not loaded ***").str()};
}

// Reads one block from its "HEADER:" line up to the next one or the file's
// end; false when the file holds no further block.
bool readBlock(SourceLines& lines, Block& block) {
  records::Text line;
  for (;;) {
    if (lines.line(line) != records::ReadStatus::Ok) return false;
    if (trimmed(line) == U"HEADER:") break;
  }
  bool inData = false;
  while (lines.line(line) == records::ReadStatus::Ok) {
    const std::u32string_view content = trimmed(line);
    if (content == U"HEADER:") {
      lines.unreadLast();
      break;
    }
    if (inData) {
      block.dataLines.push_back(records::Text(content));
      continue;
    }
    if (content.starts_with(U"DATA:")) {
      inData = true;
      block.dataKind = trimmed(content.substr(5));
      continue;
    }
    const std::size_t eq = content.find(U'=');
    if (eq == std::u32string_view::npos) continue;
    const std::u32string_view key = trimmed(content.substr(0, eq));
    // The value as written after "=": an identifier may begin with blanks,
    // as in the decadal layouts.
    std::u32string value(content.substr(eq + 1));
    if (!sameWord(key, U"KeyCode")) value = trimmed(value);
    if (sameWord(key, U"KeyCode")) {
      block.keyCode = value;
      block.hasKeyCode = !trimmed(value).empty();
    } else if (sameWord(key, U"DateBegin")) {
      block.dateBegin = value;
    } else if (sameWord(key, U"Length")) {
      block.length = value;
    } else if (sameWord(key, U"Unit")) {
      block.unit = value;
    } else if (sameWord(key, U"DataFormat")) {
      block.dataFormat = value;
    } else if (sameWord(key, U"Species")) {
      block.species = value;
    } else if (sameWord(key, U"Latitude")) {
      block.latitude = value;
    } else if (sameWord(key, U"Longitude")) {
      block.longitude = value;
    }
  }
  return !lines.failed();
}

// The values of a block's data lines, the first integer of each group, into
// the series; nullopt when every integer is readable and every value can be a
// ring width, else the reason the block is not loaded.
std::optional<std::string_view> takeValues(const Block& block, int group, ValueUnit unit, SeriesRead& read) {
  ValueFault fault = ValueFault::None;  // the first value no ring can have
  std::int64_t groups = 0;  // groups met so far
  bool paddingOnly = true;  // every group after Length is a padding zero
  int inGroup = 0;
  for (const records::Text& line : block.dataLines) {
    std::u32string_view rest = line;
    for (;;) {
      rest = trimmed(rest);
      if (rest.empty()) break;
      std::size_t end = 0;
      while (end < rest.size() && rest[end] != U' ' && rest[end] != U'\t') ++end;
      const std::u32string_view token = rest.substr(0, end);
      const bool missing = isMissingCell(token);
      const auto number = records::readIntegerField(token);
      rest.remove_prefix(end);
      if (!number && !missing) return "has unreadable data";
      if (inGroup++ == 0) {
        if (groups < read.length) {
          // A value below 0, or NA, is a ring that could not be measured.
          const float value = missing || *number < 0 ? kMissingValue : valueOf(*number, unit);
          if (fault == ValueFault::None && !isMissing(value)) fault = faultOf(value);
          if (read.series.values.size() < static_cast<std::size_t>(kMaxLength)) read.series.values.push_back(value);
        } else if (missing || *number != 0) {
          paddingOnly = false;
        }
        ++groups;
      }
      if (inGroup == group) inGroup = 0;
    }
  }
  if (groups < read.length || !paddingOnly) return "has a Length that disagrees with its data";
  if (fault != ValueFault::None) return faultText(fault);
  return std::nullopt;
}

// The block as a series, or nullopt after its warning.
std::optional<SeriesRead> seriesOf(Notices& notices, const Block& block) {
  const auto refuse = [&](std::string_view reason) {
    notices.push_back(notLoaded(block, reason));
    return std::nullopt;
  };
  if (!block.hasKeyCode) return refuse("has no KeyCode");
  // A number with blanks inside ("1 5 0 0") or a lone sign is no number:
  // read as the fixed-column fields read, it would give a year nobody wrote.
  const auto length = readWholeNumber(block.length);
  if (!length || *length < 1) return refuse("has no readable Length");
  const auto first = block.dateBegin.empty() ? std::optional<std::int32_t>(1) : readWholeNumber(block.dateBegin);
  if (!first) return refuse("has an unreadable DateBegin");
  if (!isShownYear(*first) || !isShownYear(std::int64_t{*first} + *length - 1))
    return refuse("has a year outside -9999 to 99999");
  // A Tree, HalfChrono or Chrono block takes its shape from DataFormat.
  int group = groupSize(block.dataKind);
  const bool named = sameWord(block.dataKind, U"Tree") || sameWord(block.dataKind, U"HalfChrono") ||
                     sameWord(block.dataKind, U"Chrono");
  if (named && groupSize(block.dataFormat) != 0) group = groupSize(block.dataFormat);
  if (group == 0) return refuse("has no known DATA shape");
  // The same arithmetic as the decadal layouts, so that a series gives the
  // same numbers in either layout.
  const std::optional<ValueUnit> unit = unitOf(block.unit);
  if (!unit) return refuse("has an unknown Unit");

  SeriesRead read;
  read.series.id = records::fitRecord(block.keyCode, 8);
  read.fullId = block.keyCode;
  read.series.firstYear = *first;
  read.series.unit = *unit;
  read.length = *length;
  // A HalfChrono is the mean of one tree's radii: a tree still.
  read.series.keys.mean = sameWord(block.dataFormat, U"Chrono");
  read.series.keys.species = records::toUtf8(block.species);
  read.series.keys.latitude = records::toUtf8(block.latitude);
  read.series.keys.longitude = records::toUtf8(block.longitude);
  if (const auto reason = takeValues(block, group, *unit, read)) return refuse(*reason);
  return read;
}

}  // namespace

SeriesStep readHeidelbergSeries(SourceLines& lines, int& blocksRead) {
  SeriesStep step;
  for (;;) {
    Block block;
    block.number = ++blocksRead;
    if (!readBlock(lines, block)) return step;
    if ((step.series = seriesOf(step.notices, block))) return step;
  }
}

}  // namespace veska::input
