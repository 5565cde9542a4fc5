// Format texts parsed from arbitrary characters, and reals read with them
// from arbitrary lines. Input: line 1 the format text; line 2 the number of
// values to read and the room for them (two decimal numbers); the rest the
// records, read as 80-character lines of a data file.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "records/format.h"
#include "records/text.h"
#include "runtime/units.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

constexpr std::int64_t kMaxValues = 12000;  // more than the 5000 room, little time per input
constexpr std::int64_t kRoom = 5000;
// A format may make a million moves on every record it reads: a few dozen
// records keep each input well inside the time allowed.
constexpr std::int64_t kMaxRecords = 64;

class UnitRecords : public records::RecordSource {
 public:
  explicit UnitRecords(std::string_view bytes) : unit_(openBytes(bytes), "fuzz") {}
  records::ReadStatus next(records::Text& record) override {
    if (records == kMaxRecords) return records::ReadStatus::End;
    const records::ReadStatus status = unit_.readLine(record);
    if (status == records::ReadStatus::Ok) {
      record = records::fitRecord(record, 80);
      ++records;
    }
    return status;
  }
  std::int64_t records = 0;

 private:
  runtime::InputUnit unit_;
};

// Up to two numbers, digits only; what is not a digit separates them.
std::vector<std::int64_t> numbersIn(std::string_view line) {
  std::vector<std::int64_t> out;
  bool inNumber = false;
  for (char c : line) {
    if (c >= '0' && c <= '9') {
      if (!inNumber) out.push_back(0);
      inNumber = true;
      out.back() = std::min<std::int64_t>(out.back() * 10 + (c - '0'), 1'000'000'000);
    } else {
      inNumber = false;
    }
  }
  return out;
}

// The cursor hands out leaf items only and always gets back to the end of
// the format; a reverted format with no leaf item ends at once.
void walkCursor(const records::Format& format) {
  records::FormatCursor cursor(format);
  int reverts = 0;
  for (int steps = 0; steps < 2000; ++steps) {
    const records::FormatItem* item = cursor.next();
    if (!item) {
      if (++reverts > 3) return;
      cursor.revert();
      continue;
    }
    check(item->kind != records::FormatItem::Kind::Group, "the cursor handed out a group");
    check(item->repeat >= 1, "an item with a repeat count below 1");
  }
}

void readWith(const records::Format& format, std::int64_t n, std::int64_t room, std::string_view records) {
  // Exactly the room, on the heap, so a value stored beyond it is caught.
  std::vector<float> values(static_cast<std::size_t>(room));
  const float sentinel = std::numeric_limits<float>::quiet_NaN();
  std::fill(values.begin(), values.end(), sentinel);
  UnitRecords source(records);
  const records::ValuesRead read = records::readValues(source, format, n, values.data(), room);
  check(read.count >= 0 && read.count <= std::max<std::int64_t>(n, 0), "more values counted than asked for");
  if (read.status == records::ReadStatus::Ok) check(read.count == std::max<std::int64_t>(n, 0), "Ok before every value");
  const std::int64_t stored = std::min(read.count, room);
  for (std::int64_t i = 0; i < room; ++i) {
    const float v = values[static_cast<std::size_t>(i)];
    if (i < stored) {
      check(!std::isnan(v), "a value read as NaN");
    } else {
      check(std::memcmp(&v, &sentinel, sizeof v) == 0, "a value stored that was not read");
    }
  }
}

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska;
  std::string_view rest = fuzz::bytesOf(data, size);
  const records::Text text = records::decodeLine(fuzz::takeUntil(rest, '\n'));
  const std::vector<std::int64_t> numbers = fuzz::numbersIn(fuzz::takeUntil(rest, '\n'));
  const std::int64_t n = std::min(numbers.size() > 0 ? numbers[0] : 25, fuzz::kMaxValues);
  const std::int64_t room = std::min(numbers.size() > 1 ? numbers[1] : fuzz::kRoom, fuzz::kRoom);

  const records::ParsedFormat format = records::Format::parse(text);
  if (!format) {
    fuzz::check(!format.error().message.empty(), "a format refused without a message");
    fuzz::check(format.error().column >= 1 && format.error().column <= text.size() + 1,
                "a format error placed outside its text");
    return 0;
  }
  fuzz::walkCursor(*format);
  fuzz::readWith(*format, n, room, rest);
  return 0;
}
