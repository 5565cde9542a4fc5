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

// Reads the header's count of values into series.values (at most
// kMaxLength of them, the rest of the count read and dropped).
void readSeriesValues(records::Runtime& rt, const Header& header, FormattedSeries& series, int unit) {
  series.values.assign(static_cast<std::size_t>(std::clamp<std::int32_t>(header.n, 0, kMaxLength)), 0.0f);
  records::ValuesRead got;
  if (auto format = records::Format::parse(header.layout)) {
    UnitRecords source(rt, unit);
    got = records::readValues(source, *format, header.n, series.values.data(),
                              static_cast<std::int64_t>(series.values.size()));
  } else {
    got.status = records::ReadStatus::Error;  // a layout text that cannot be interpreted
  }
  if (got.status == records::ReadStatus::Error) rt.writeConsole(">> Sbr DATAR:  Error reading data");
  if (got.status == records::ReadStatus::End) rt.writeConsole(">> Sbr DATAR:  Unexpected end reading data");
}

}  // namespace

std::optional<FormattedSeries> readFormattedSeries(records::Runtime& rt, int unit) {
  FormattedSeries series;
  records::Text line;
  for (bool first = true;; first = false) {
    if (rt.readUnit(unit, line, kRecordLength) != records::ReadStatus::Ok) return std::nullopt;
    if (first || !beginsWithN(line)) series.title = line;
    if (const auto header = readHeader(line)) {
      series.count = header->n;
      series.firstYear = header->firstYear;
      readSeriesValues(rt, *header, series, unit);
      return series;
    }
  }
}

}  // namespace veska::input
