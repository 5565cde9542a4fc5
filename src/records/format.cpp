#include "records/format.h"

#include <algorithm>

#include "records/numeric_input.h"

namespace veska::records {
namespace {

constexpr std::int64_t kMaxNumber = 2147483647;  // larger counts and widths are refused

// Reads a format text into items. Blanks are dropped before parsing; each
// character kept remembers its column, so that an error names the column of
// the text as given.
class Parser {
 public:
  explicit Parser(std::u32string_view text) : end_(text.size()) {
    for (std::size_t k = 0; k < text.size(); ++k) {
      const char32_t c = text[k];
      if (c == U' ' || c == U'\t') continue;
      s_.push_back(c >= U'a' && c <= U'z' ? c - 32 : c);
      columns_.push_back(k);
    }
  }

  // Parses "(" list ")" and ignores the rest.
  std::optional<std::vector<FormatItem>> run() {
    if (peek() != U'(') return fail(i_, "format does not start with '('");
    ++i_;
    return list(0);
  }

  const FormatError& error() const { return error_; }

 private:
  char32_t peek() const { return i_ < s_.size() ? s_[i_] : 0; }
  bool digit() const { return peek() >= U'0' && peek() <= U'9'; }

  // Records the error at kept character `at` (or the end of the text).
  std::nullopt_t fail(std::size_t at, const char* message) {
    error_.column = (at < columns_.size() ? columns_[at] : end_) + 1;
    error_.message = message;
    return std::nullopt;
  }

  // Parses digits; -1 when the number is over kMaxNumber.
  std::optional<std::int64_t> number() {
    if (!digit()) return std::nullopt;
    std::int64_t n = 0;
    while (digit()) {
      n = n * 10 + (peek() - U'0');
      if (n > kMaxNumber) return -1;
      ++i_;
    }
    return n;
  }

  // Parses list ")" ; the opening parenthesis is already taken.
  std::optional<std::vector<FormatItem>> list(int depth) {
    if (depth > 64) return fail(i_ - 1, "groups nested too deeply");
    std::vector<FormatItem> items;
    for (;;) {
      const char32_t c = peek();
      if (c == 0) return fail(i_, "missing ')'");
      if (c == U')') {
        ++i_;
        return items;
      }
      if (c == U',') {
        ++i_;
        continue;
      }
      std::optional<FormatItem> item = this->item(depth);
      if (!item) return std::nullopt;
      items.push_back(std::move(*item));
    }
  }

  // Parses [r] descriptor.
  std::optional<FormatItem> item(int depth) {
    const std::size_t countAt = i_;
    const std::optional<std::int64_t> count = number();
    if (count && *count < 0) return fail(countAt, "number too large");
    if (count && *count == 0) return fail(countAt, "zero repeat count");
    const std::size_t at = i_;
    const char32_t c = peek();
    ++i_;
    FormatItem item;
    item.kind = FormatItem::Kind::Real;
    item.repeat = count.value_or(1);
    switch (c) {
      case U'(':
        return group(std::move(item), depth);
      case U'/':
        item.kind = FormatItem::Kind::Slash;
        return item;
      case U'X':  // nX: n is the count of columns skipped
        item.kind = FormatItem::Kind::Skip;
        item.width = item.repeat;
        item.repeat = 1;
        return item;
      case U'T': {  // Tk, TLn, TRn
        if (count) return fail(countAt, "repeat count before T");
        item.kind = FormatItem::Kind::Tab;
        const char* refusal = "T needs a column of 1 or more";
        if (peek() == U'L' || peek() == U'R') {
          const bool left = peek() == U'L';
          item.kind = left ? FormatItem::Kind::TabLeft : FormatItem::Kind::TabRight;
          refusal = left ? "TL needs a count of 1 or more" : "TR needs a count of 1 or more";
          ++i_;
        }
        const std::size_t columnAt = i_;
        const auto k = number();
        if (!k || *k < 1) return fail(columnAt, refusal);
        item.width = *k;
        return item;
      }
      case U'I':
        item.kind = FormatItem::Kind::Integer;
        return widthAndDecimals(std::move(item));
      case U'F':
      case U'E':
      case U'D':
      case U'G':
        return widthAndDecimals(std::move(item));
      default:
        return fail(at, "unknown edit descriptor");
    }
  }

  // Parses list ")" of a group whose "(" is taken.
  std::optional<FormatItem> group(FormatItem item, int depth) {
    auto inner = list(depth + 1);
    if (!inner) return std::nullopt;
    // A group with no field or position item in it, however deeply nested,
    // repeats nothing: emptied here so that the cursor passes it at once,
    // whatever its count, as in (2147483647(2147483647())).
    if (!holdsItems(*inner)) inner->clear();
    item.kind = FormatItem::Kind::Group;
    item.items = std::move(*inner);
    return item;
  }

  // Parses w[.d][Ee] of Fw.d, Ew.dEe and Iw.m; the width must be at least 1.
  std::optional<FormatItem> widthAndDecimals(FormatItem item) {
    const std::size_t widthAt = i_;
    const auto w = number();
    if (!w) return fail(widthAt, "missing field width");
    if (*w <= 0) return fail(widthAt, *w == 0 ? "zero field width" : "number too large");
    item.width = *w;
    if (peek() == U'.') {
      ++i_;
      const std::size_t decimalsAt = i_;
      const auto d = number();
      if (!d || *d < 0 || *d > 100) return fail(decimalsAt, "bad number of decimals");
      item.decimals = static_cast<int>(*d);
    }
    if (item.kind == FormatItem::Kind::Integer) item.decimals = 0;
    // An exponent width (Ew.dEe) is accepted and not needed for input.
    if ((peek() == U'E') && item.kind != FormatItem::Kind::Integer) {
      ++i_;
      if (!number()) return fail(i_, "bad exponent width");
    }
    return item;
  }

  // Groups inside are already emptied when they hold nothing.
  static bool holdsItems(const std::vector<FormatItem>& items) {
    for (const FormatItem& item : items)
      if (item.kind != FormatItem::Kind::Group || !item.items.empty()) return true;
    return false;
  }

  std::u32string s_;                  // the text without blanks, upper case
  std::vector<std::size_t> columns_;  // column - 1 in the text of each character of s_
  std::size_t end_;                   // the text's length
  std::size_t i_ = 0;
  FormatError error_;
};

}  // namespace

ParsedFormat Format::parse(std::u32string_view text) {
  Parser parser(text);
  auto items = parser.run();
  if (!items) return parser.error();
  Format format;
  format.items_ = std::move(*items);
  for (std::size_t k = 0; k < format.items_.size(); ++k)
    if (format.items_[k].kind == FormatItem::Kind::Group) format.restart_ = k;
  return format;
}

FormatCursor::FormatCursor(const Format& format) : format_(format) {
  frames_.push_back({&format.items(), 0, 1});
}

const FormatItem* FormatCursor::next() {
  for (;;) {
    if (currentLeft_ > 0) {
      --currentLeft_;
      return current_;
    }
    Frame& frame = frames_.back();
    if (frame.index == frame.items->size()) {
      if (--frame.repeatsLeft > 0) {
        frame.index = 0;
        continue;
      }
      if (frames_.size() == 1) return nullptr;
      frames_.pop_back();
      continue;
    }
    const FormatItem& item = (*frame.items)[frame.index++];
    if (item.kind == FormatItem::Kind::Group) {
      if (!item.items.empty()) frames_.push_back({&item.items, 0, item.repeat});
      continue;
    }
    current_ = &item;
    currentLeft_ = item.repeat - 1;
    return current_;
  }
}

void FormatCursor::revert() {
  frames_.clear();
  frames_.push_back({&format_.items(), format_.restartIndex(), 1});
  currentLeft_ = 0;
}

namespace {

// The end of a walk: no field, and why.
EditField stopped(ReadStatus status) {
  EditField edit;
  edit.status = status;
  return edit;
}

// The column (from 0) that a position item moves to. TL stops at the
// record's first column.
std::int64_t movedTo(std::int64_t position, const FormatItem& item) {
  switch (item.kind) {
    case FormatItem::Kind::Tab:
      return item.width - 1;
    case FormatItem::Kind::TabLeft:
      return std::max<std::int64_t>(0, position - item.width);
    default:  // nX, TRn
      return position + item.width;
  }
}

bool movesPosition(const FormatItem& item) {
  return item.kind == FormatItem::Kind::Skip || item.kind == FormatItem::Kind::Tab ||
         item.kind == FormatItem::Kind::TabLeft || item.kind == FormatItem::Kind::TabRight;
}

// Guards a format whose items move the position over and over: without a
// data item it would never finish, and between data items, as in
// (12000(999999(1X),F8.3)), it could take hours. No record needs a million
// of them, so work stays bounded by the records read.
constexpr std::int64_t kMaxPositionSteps = 1'000'000;

}  // namespace

ReadStatus FormatControl::nextRecord() {
  position_ = 0;
  positionSteps_ = 0;
  return source_.next(record_);
}

EditField FormatControl::next() {
  if (!started_) {
    started_ = true;
    if (const ReadStatus status = nextRecord(); status != ReadStatus::Ok) return stopped(status);
  }
  for (;;) {
    const FormatItem* item = cursor_.next();
    if (!item) {  // the final parenthesis with values left: next record, restart point
      // A format that gave no value since it started or restarted never will.
      if (!dataSinceRestart_) return stopped(ReadStatus::Error);
      cursor_.revert();
      dataSinceRestart_ = false;
      if (const ReadStatus status = nextRecord(); status != ReadStatus::Ok) return stopped(status);
      continue;
    }
    if (movesPosition(*item)) {
      if (++positionSteps_ > kMaxPositionSteps) return stopped(ReadStatus::Error);
      position_ = movedTo(position_, *item);
      continue;
    }
    if (item->kind == FormatItem::Kind::Slash) {
      if (const ReadStatus status = nextRecord(); status != ReadStatus::Ok) return stopped(status);
      continue;
    }
    const auto size = static_cast<std::int64_t>(record_.size());
    const std::int64_t from = std::min(position_, size);
    const std::int64_t to = std::min(position_ + item->width, size);
    position_ += item->width;
    dataSinceRestart_ = true;
    return {ReadStatus::Ok, item,
            std::u32string_view(record_).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from))};
  }
}

void FormatControl::finish() {
  if (!started_) return;
  for (;;) {
    const FormatItem* item = cursor_.next();
    if (!item) return;  // the layout's end
    if (movesPosition(*item)) {
      if (++positionSteps_ > kMaxPositionSteps) return;
      position_ = movedTo(position_, *item);
      continue;
    }
    if (item->kind != FormatItem::Kind::Slash) return;  // the next value item
    // Every value is read: a file that ends here ends nothing early.
    if (nextRecord() != ReadStatus::Ok) return;
  }
}

namespace {

// Iw: an integer, kept as a value.
std::optional<float> integerInput(std::u32string_view field) {
  if (const auto i = readIntegerField(field)) return static_cast<float>(*i);
  return std::nullopt;
}

// Fw.d, Ew.d, Dw.d, Gw.d: without a written point the last d digits are the fraction.
std::optional<float> realInput(std::u32string_view field, int decimals) { return readRealField(field, decimals); }

std::optional<float> editInput(const EditField& edit) {
  if (edit.item->kind == FormatItem::Kind::Integer) return integerInput(edit.field);
  return realInput(edit.field, edit.item->decimals);
}

}  // namespace

ValuesRead readValues(RecordSource& source, const Format& format, std::int64_t n, float* values,
                      std::int64_t capacity) {
  ValuesRead result;
  if (n <= 0) return result;
  FormatControl control(format, source);
  while (result.count < n) {
    const EditField edit = control.next();
    if (edit.status != ReadStatus::Ok) {
      result.status = edit.status;
      return result;
    }
    const std::optional<float> value = editInput(edit);
    if (!value) {
      result.status = ReadStatus::Error;
      return result;
    }
    if (result.count < capacity) values[result.count] = *value;
    ++result.count;
  }
  // A slash behind the last value skips its line here; left behind, that
  // line would be taken for the start of the next series.
  control.finish();
  return result;
}

}  // namespace veska::records
