#include "input/formatted_series.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "records/format.h"
#include "records/numeric_input.h"

namespace veska::input {
namespace {

constexpr std::size_t kRecordLength = 80;

// The value lines come from the same lines, one 80-character record each.
class ValueRecords : public records::RecordSource {
 public:
  explicit ValueRecords(SourceLines& lines) : lines_(lines) {}
  records::ReadStatus next(records::Text& record) override { return lines_.record(record, kRecordLength); }

 private:
  SourceLines& lines_;
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
void readSeriesValues(SourceLines& lines, const Header& header, FormattedRead& read) {
  FormattedSeries& series = *read.series;
  series.values.assign(static_cast<std::size_t>(std::clamp<std::int32_t>(header.n, 0, kMaxLength)), 0.0f);
  records::ValuesRead got;
  if (auto format = records::Format::parse(header.layout)) {
    ValueRecords source(lines);
    got = records::readValues(source, *format, header.n, series.values.data(),
                              static_cast<std::int64_t>(series.values.size()));
  } else {
    got.status = records::ReadStatus::Error;  // a layout text that cannot be interpreted
  }
  if (lines.failed()) return;
  if (got.status == records::ReadStatus::Error) read.notices.push_back({Notice::Kind::Line, ">> Sbr DATAR:  Error reading data"});
  if (got.status == records::ReadStatus::End)
    read.notices.push_back({Notice::Kind::Line, ">> Sbr DATAR:  Unexpected end reading data"});
}

}  // namespace

FormattedRead readFormattedSeries(SourceLines& lines) {
  FormattedSeries series;
  records::Text line;
  for (bool first = true;; first = false) {
    if (lines.record(line, kRecordLength) != records::ReadStatus::Ok) return {};
    if (first || !beginsWithN(line)) series.title = line;
    if (const auto header = readHeader(line)) {
      series.count = header->n;
      series.firstYear = header->firstYear;
      FormattedRead read{std::move(series), {}};
      readSeriesValues(lines, *header, read);
      return read;
    }
  }
}

}  // namespace veska::input
