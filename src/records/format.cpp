#include "records/format.h"

#include "records/numeric_input.h"

namespace veska::records {
namespace {

constexpr std::int64_t kMaxNumber = 2147483647;  // larger counts and widths are refused

class Parser {
 public:
  explicit Parser(std::u32string_view text) {
    for (char32_t c : text)
      if (c != U' ' && c != U'\t') s_.push_back(c >= U'a' && c <= U'z' ? c - 32 : c);
  }

  std::optional<std::vector<FormatItem>> run(std::string& error) {
    if (peek() != U'(') return fail(error, "format does not start with '('");
    ++i_;
    auto items = list(error, 0);
    if (!items) return std::nullopt;
    return items;
  }

 private:
  char32_t peek() const { return i_ < s_.size() ? s_[i_] : 0; }
  bool digit() const { return peek() >= U'0' && peek() <= U'9'; }

  static std::nullopt_t fail(std::string& error, const char* message) {
    error = message;
    return std::nullopt;
  }

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
  std::optional<std::vector<FormatItem>> list(std::string& error, int depth) {
    if (depth > 64) return fail(error, "groups nested too deeply");
    std::vector<FormatItem> items;
    for (;;) {
      const char32_t c = peek();
      if (c == 0) return fail(error, "missing ')'");
      if (c == U')') {
        ++i_;
        return items;
      }
      if (c == U',') {
        ++i_;
        continue;
      }
      std::optional<FormatItem> item = one(error, depth);
      if (!item) return std::nullopt;
      items.push_back(std::move(*item));
    }
  }

  std::optional<FormatItem> one(std::string& error, int depth) {
    const std::optional<std::int64_t> count = number();
    if (count && *count < 0) return fail(error, "number too large");
    if (count && *count == 0) return fail(error, "zero repeat count");
    const char32_t c = peek();
    ++i_;
    FormatItem item;
    item.kind = FormatItem::Kind::Real;
    item.repeat = count.value_or(1);
    switch (c) {
      case U'(': {
        auto inner = list(error, depth + 1);
        if (!inner) return std::nullopt;
        // A group with no field or position item in it, however deeply
        // nested, repeats nothing: emptied here so that the cursor passes it
        // at once, whatever its count, as in (2147483647(2147483647())).
        if (!holdsItems(*inner)) inner->clear();
        item.kind = FormatItem::Kind::Group;
        item.items = std::move(*inner);
        return item;
      }
      case U'/':
        item.kind = FormatItem::Kind::Slash;
        return item;
      case U'X':  // nX: n is the count of columns skipped
        item.kind = FormatItem::Kind::Skip;
        item.width = item.repeat;
        item.repeat = 1;
        return item;
      case U'T': {  // Tk
        if (count) return fail(error, "repeat count before T");
        item.kind = FormatItem::Kind::Tab;
        const auto k = number();
        if (!k || *k < 1) return fail(error, "T needs a column of 1 or more");
        item.width = *k;
        return item;
      }
      case U'I':
        item.kind = FormatItem::Kind::Integer;
        return widthAndDecimals(item, error);
      case U'F':
      case U'E':
      case U'D':
      case U'G':
        return widthAndDecimals(item, error);
      default:
        return fail(error, "unknown edit descriptor");
    }
  }

  // w[.d] of Fw.d and Iw.m; the width must be at least 1.
  std::optional<FormatItem> widthAndDecimals(FormatItem item, std::string& error) {
    const auto w = number();
    if (!w) return fail(error, "missing field width");
    if (*w <= 0) return fail(error, *w == 0 ? "zero field width" : "number too large");
    item.width = *w;
    if (peek() == U'.') {
      ++i_;
      const auto d = number();
      if (!d || *d < 0 || *d > 100) return fail(error, "bad number of decimals");
      item.decimals = static_cast<int>(*d);
    }
    if (item.kind == FormatItem::Kind::Integer) item.decimals = 0;
    // An exponent width (Ew.dEe) is accepted and not needed for input.
    if ((peek() == U'E') && item.kind != FormatItem::Kind::Integer) {
      ++i_;
      if (!number()) return fail(error, "bad exponent width");
    }
    return item;
  }

  // Groups inside are already emptied when they hold nothing.
  static bool holdsItems(const std::vector<FormatItem>& items) {
    for (const FormatItem& item : items)
      if (item.kind != FormatItem::Kind::Group || !item.items.empty()) return true;
    return false;
  }

  std::u32string s_;
  std::size_t i_ = 0;
};

}  // namespace

std::optional<Format> Format::parse(std::u32string_view text, std::string* error) {
  std::string message;
  Parser parser(text);
  auto items = parser.run(message);
  if (!items) {
    if (error) *error = message;
    return std::nullopt;
  }
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

ValuesRead readValues(RecordSource& source, const Format& format, std::int64_t n, float* values,
                      std::int64_t capacity) {
  ValuesRead result;
  if (n <= 0) return result;
  Text record;
  if ((result.status = source.next(record)) != ReadStatus::Ok) return result;
  FormatCursor cursor(format);
  std::int64_t pos = 0;  // column - 1 within the record
  bool dataSinceStart = false;
  // Guards a format whose items move the position over and over: without a
  // data item it would never finish, and between data items, as in
  // (12000(999999(1X),F8.3)), it could take hours. No record needs a million
  // of them, so work stays bounded by the records read.
  std::int64_t positionSteps = 0;  // since the record began
  constexpr std::int64_t kMaxPositionSteps = 1'000'000;
  while (result.count < n) {
    const FormatItem* item = cursor.next();
    const bool moves = item && (item->kind == FormatItem::Kind::Skip || item->kind == FormatItem::Kind::Tab);
    if (item ? moves && ++positionSteps > kMaxPositionSteps : !dataSinceStart) {
      result.status = ReadStatus::Error;
      return result;
    }
    if (!item) {  // the final parenthesis with values left: next record, restart point
      cursor.revert();
      dataSinceStart = false;
      if ((result.status = source.next(record)) != ReadStatus::Ok) return result;
      pos = 0;
      positionSteps = 0;
      continue;
    }
    switch (item->kind) {
      case FormatItem::Kind::Skip:
        pos += item->width;
        continue;
      case FormatItem::Kind::Tab:
        pos = item->width - 1;
        continue;
      case FormatItem::Kind::Slash:
        if ((result.status = source.next(record)) != ReadStatus::Ok) return result;
        pos = 0;
        positionSteps = 0;
        continue;
      default:
        break;
    }
    const std::int64_t size = static_cast<std::int64_t>(record.size());
    const std::int64_t from = pos < size ? pos : size;
    const std::int64_t to = pos + item->width < size ? pos + item->width : size;
    const std::u32string_view field = std::u32string_view(record).substr(
        static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    pos += item->width;
    std::optional<double> value;
    if (item->kind == FormatItem::Kind::Integer) {
      if (auto i = readIntegerField(field)) value = static_cast<double>(*i);
    } else {
      value = readRealField(field, item->decimals);
    }
    if (!value) {
      result.status = ReadStatus::Error;
      return result;
    }
    if (result.count < capacity) values[result.count] = static_cast<float>(*value);
    ++result.count;
    dataSinceStart = true;
  }
  return result;
}

}  // namespace veska::records
