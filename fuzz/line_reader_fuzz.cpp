// Record reading from arbitrary bytes: line ends of every kind (files from
// Windows, old Macintosh systems and Unix read alike), text decoding (UTF-8,
// else Latin-1), records cut or padded to 80 characters, and the step back
// that the tree-ring reader uses. The lines are checked against a splitter
// written here from the rule itself, apart from the one under test.
#include <string>
#include <vector>

#include "input/source_lines.h"
#include "runtime/line_reader.h"
#include "records/text.h"
#include "runtime/units.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

// A line ends at an LF or at a run of CRs; CRs directly followed by an LF
// end the line together with it. A last line without a line end is a line.
std::vector<std::string> expectedLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i++];
    if (c == '\n' || c == '\r') {
      if (c == '\r') {
        while (i < bytes.size() && bytes[i] == '\r') ++i;
        if (i < bytes.size() && bytes[i] == '\n') ++i;
      }
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void checkDecoding(std::string_view bytes) {
  const records::Text text = records::decodeLine(bytes);
  if (isValidUtf8(bytes)) {
    check(records::toUtf8(text) == bytes, "a valid UTF-8 line does not encode back to its bytes");
    return;
  }
  check(text.size() == bytes.size(), "a Latin-1 line has not one character per byte");
  for (std::size_t k = 0; k < bytes.size(); ++k)
    check(text[k] == static_cast<unsigned char>(bytes[k]), "a Latin-1 byte decoded wrongly");
}

// A line over the limit keeps a prefix of it, at most 3 bytes short of the
// limit, and a valid UTF-8 line stays valid.
bool sameLine(const std::string& got, const std::string& whole) {
  if (whole.size() <= runtime::kMaxLineBytes) return got == whole;
  return got.size() <= runtime::kMaxLineBytes && got.size() + 3 >= runtime::kMaxLineBytes &&
         whole.compare(0, got.size(), got) == 0 && (!isValidUtf8(whole) || isValidUtf8(got));
}

void checkLineReader(std::string_view bytes, std::vector<std::string>& expected) {
  std::FILE* file = openBytes(bytes);
  check(file != nullptr, "cannot open the input as a stream");
  runtime::LineReader reader(file);
  std::string line;
  std::size_t n = 0;
  while (reader.next(line)) {
    check(n < expected.size(), "more lines than the input holds");
    check(sameLine(line, expected[n]), "a line differs from the line-end rule");
    expected[n] = line;  // what the records below are made of
    ++n;
  }
  check(n == expected.size() && !reader.failed(), "lines lost at the end");
  std::fclose(file);
}

// A data file's first line loses a leading byte-order mark.
std::string asRead(const std::string& line, std::size_t n) {
  return n == 0 && line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line;
}

// An input unit's lines as the readers take them.
class UnitSource : public records::RecordSource {
 public:
  explicit UnitSource(std::string_view bytes) : unit_(openBytes(bytes), "fuzz") {}
  records::ReadStatus next(records::Text& line) override { return unit_.readLine(line); }

 private:
  runtime::InputUnit unit_;
};

// Records of 80 characters through an input unit; byte 0 of the input tells
// after which lines to give the line back, as the tree-ring reader does
// before readFormattedSeries.
void checkInputUnit(std::string_view bytes, const std::vector<std::string>& expected) {
  const unsigned stepMask = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
  UnitSource source(bytes);
  input::SourceLines unit(source);
  records::Text record;
  std::size_t n = 0;
  unsigned reads = 0;
  records::ReadStatus status;
  while ((status = unit.record(record, 80)) == records::ReadStatus::Ok) {
    check(record.size() == 80, "a record is not 80 characters");
    check(n < expected.size(), "a record beyond the last line");
    check(record == records::fitRecord(records::decodeLine(asRead(expected[n], n)), 80), "a record differs from its line");
    if (stepMask & (1u << (reads++ % 8))) {
      unit.unreadLast();
      check(unit.record(record, 80) == records::ReadStatus::Ok, "the line given back is lost");
      check(record == records::fitRecord(records::decodeLine(asRead(expected[n], n)), 80),
            "a record given back differs");
    }
    ++n;
  }
  check(status == records::ReadStatus::End && n == expected.size(), "records lost at the end");
}

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska::fuzz;
  const std::string_view bytes = bytesOf(data, size);
  std::vector<std::string> expected = expectedLines(bytes);
  for (const std::string& line : expected) checkDecoding(line);
  checkLineReader(bytes, expected);  // leaves the lines as kept
  checkInputUnit(bytes, expected);
  return 0;
}
