// Layout texts in the short notation, such as "(10F8.3)" or "(A,2(I4,1X),/)".
// Parsed once into edit items; FormatCursor hands them out one at a time and
// owns groups, repeat counts and the end of the format; readValues() converts
// fields. Repeat counts are never expanded, so a huge count costs nothing
// until it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/text.h"
#include "records/units.h"

namespace veska::records {

struct FormatItem {
  enum class Kind { Real, Integer, Skip, Tab, Slash, Group };
  Kind kind = Kind::Real;
  std::int64_t repeat = 1;   // r of rFw.d, r(...), r/
  std::int64_t width = 0;    // w of Fw.d and Iw; n of nX; k of Tk
  int decimals = 0;          // d of Fw.d
  std::vector<FormatItem> items;  // a group's items
};

class Format {
 public:
  // Parses "(" list ")" where list is [item {[","] item}] and item is
  // [r]Fw[.d] | [r]Ew[.d] | [r]Dw[.d] | [r]Gw[.d] | [r]Iw[.m] | [n]X | Tk |
  // [r]"/" | [r]"(" list ")". Blanks are ignored; what follows the closing
  // parenthesis is ignored. nullopt and a short message when it cannot be
  // interpreted: an error reading with it.
  static std::optional<Format> parse(std::u32string_view text, std::string* error = nullptr);

  const std::vector<FormatItem>& items() const { return items_; }
  // Index of the last top-level group (the restart point when the format is
  // used up while values remain), or 0 when it has no group.
  std::size_t restartIndex() const { return restart_; }

 private:
  std::vector<FormatItem> items_;
  std::size_t restart_ = 0;
};

// Hands out the leaf items of a format one at a time, in order.
class FormatCursor {
 public:
  explicit FormatCursor(const Format& format);
  // The next leaf item, or nullptr when the final parenthesis is reached.
  const FormatItem* next();
  // Goes on from the restart point (reversion).
  void revert();

 private:
  struct Frame {
    const std::vector<FormatItem>* items;
    std::size_t index;
    std::int64_t repeatsLeft;
  };
  const Format& format_;
  std::vector<Frame> frames_;
  const FormatItem* current_ = nullptr;
  std::int64_t currentLeft_ = 0;
};

// Where the records of a formatted read come from.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual ReadStatus next(Text& record) = 0;
};

struct ValuesRead {
  ReadStatus status = ReadStatus::Ok;
  std::int64_t count = 0;  // values converted before the status
};

// Reads n values with the format, starting with a fresh record; value i
// (from 0) is stored when i < capacity, and reading goes on to count the
// rest. Integer items read integers and store them as values.
ValuesRead readValues(RecordSource& source, const Format& format, std::int64_t n, float* values,
                      std::int64_t capacity);

}  // namespace veska::records
