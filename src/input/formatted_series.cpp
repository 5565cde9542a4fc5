#include "input/formatted_series.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "records/format.h"
#include "records/numeric_input.h"

namespace veska::input {
namespace {

constexpr std::size_t kRecordLength = 80;

// The value lines come from the same unit, one 80-character record each.
class UnitRecords : public records::RecordSource {
 public:
  UnitRecords(records::Runtime& rt, int unit) : rt_(rt), unit_(unit) {}
  records::ReadStatus next(records::Text& record) override { return rt_.readUnit(unit_, record, kRecordLength); }

 private:
  records::Runtime& rt_;
  int unit_;
};

struct Header {
  std::int32_t n;
  std::int32_t firstYear;
  std::u32string_view layout;  // columns 23-30
};

// Parses [2 ignored] n:I8 [2 ignored] firstYear:I8 [2 ignored] layout:A8,
// accepted only when the layout text holds both parentheses.
std::optional<Header> readHeader(const records::Text& line) {
  const std::u32string_view view(line);
  const auto n = records::readIntegerField(view.substr(2, 8));
  const auto firstYear = records::readIntegerField(view.substr(12, 8));
  if (!n || !firstYear) return std::nullopt;
  const std::u32string_view layout = view.substr(22, 8);
  if (records::findChar(layout, U'(') == 0 || records::findChar(layout, U')') == 0) return std::nullopt;
  return Header{*n, *firstYear, layout};
}

bool beginsWithN(const records::Text& line) { return line[0] == U'N' && line[1] == U' ' && line[2] == U' '; }

void readSeriesValues(records::Runtime& rt, const Header& header, std::span<float> values, int unit) {
  const auto room = static_cast<std::int64_t>(values.size());
  const std::int64_t wanted = std::min<std::int64_t>(header.n, room);
  records::ValuesRead got;
  if (auto format = records::Format::parse(header.layout)) {
    UnitRecords source(rt, unit);
    got = records::readValues(source, *format, header.n, values.data(), room);
  } else {
    got.status = records::ReadStatus::Error;  // a layout text that cannot be interpreted
  }
  for (std::int64_t k = std::max<std::int64_t>(got.count, 0); k < wanted; ++k)
    values[static_cast<std::size_t>(k)] = 0.0f;
  if (got.status == records::ReadStatus::Error) rt.writeConsole(">> Sbr DATAR:  Error reading data");
  if (got.status == records::ReadStatus::End) rt.writeConsole(">> Sbr DATAR:  Unexpected end reading data");
}

}  // namespace

void readFormattedSeries(records::Runtime& rt, std::u32string& text, std::int32_t& count, std::span<float> values,
           std::int32_t& firstYear, int unit, int textLength) {
  const auto copyLength = std::min<std::size_t>(static_cast<std::size_t>(std::clamp(textLength, 0, 80)), text.size());
  records::Text line;
  for (;;) {
    if (rt.readUnit(unit, line, kRecordLength) != records::ReadStatus::Ok) {
      count = -999;
      return;
    }
    if (!beginsWithN(line)) std::copy_n(line.begin(), copyLength, text.begin());
    if (const auto header = readHeader(line)) {
      count = header->n;
      firstYear = header->firstYear;
      readSeriesValues(rt, *header, values, unit);
      return;
    }
  }
}

}  // namespace veska::input
