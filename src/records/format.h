// Layout texts in the short notation, such as "(10F8.3)" or "(2X,2(I4,1X),/)".
// Parsed once into edit items. FormatCursor hands out the leaf items one at
// a time (groups and repeat counts); FormatControl walks them over the
// records (slash, T, TL, TR and X, reversion) and hands out one data field
// at a time; readValues() converts each field with the function of its
// descriptor family. Repeat counts are never expanded, so a huge count costs
// nothing until it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_source.h"
#include "records/text.h"

namespace veska::records {

struct FormatItem {
  enum class Kind { Real, Integer, Skip, Tab, TabLeft, TabRight, Slash, Group };
  Kind kind = Kind::Real;
  std::int64_t repeat = 1;   // r of rFw.d, r(...), r/
  std::int64_t width = 0;    // w of Fw.d and Iw; n of nX, TLn and TRn; k of Tk
  int decimals = 0;          // d of Fw.d
  std::vector<FormatItem> items;  // a group's items
};

// Where and why a format text cannot be interpreted.
struct FormatError {
  std::size_t column = 0;  // from 1 in the text as given, blanks counted; one past its end when it stops short
  std::string message;     // short, lower case
};

class ParsedFormat;

class Format {
 public:
  // Parses "(" list ")" where list is [item {[","] item}] and item is
  // [r]Fw[.d] | [r]Ew[.d] | [r]Dw[.d] | [r]Gw[.d] | [r]Iw[.m] | [n]X | Tk |
  // TLn | TRn |
  // [r]"/" | [r]"(" list ")". Blanks are ignored; what follows the closing
  // parenthesis is ignored. A text that cannot be interpreted gives its
  // error (reading with it is an error reading data).
  static ParsedFormat parse(std::u32string_view text);

  const std::vector<FormatItem>& items() const { return items_; }
  // Index of the last top-level group (the restart point when the format is
  // used up while values remain), or 0 when it has no group.
  std::size_t restartIndex() const { return restart_; }

 private:
  std::vector<FormatItem> items_;
  std::size_t restart_ = 0;
};

// The format, or why the text is not one: tested like an optional.
class ParsedFormat {
 public:
  ParsedFormat(Format format) : format_(std::move(format)) {}
  ParsedFormat(FormatError error) : error_(std::move(error)) {}
  bool has_value() const { return format_.has_value(); }
  explicit operator bool() const { return has_value(); }
  const Format& operator*() const { return *format_; }
  const Format* operator->() const { return &*format_; }
  const FormatError& error() const { return error_; }

 private:
  std::optional<Format> format_;
  FormatError error_;
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

// A data item and its columns in the current record, or the status that
// ends the walk (no record could be read, or the format can give no value).
struct EditField {
  ReadStatus status = ReadStatus::Ok;
  const FormatItem* item = nullptr;  // Real or Integer when status is Ok
  std::u32string_view field;         // cut at the record's end; empty beyond it
};

// Walks a format over the records of a source: slash, the position items
// (T, TL, TR, X) and the final parenthesis (the next record, from the
// restart point) are applied here, in one place, and only data items come
// out.
class FormatControl {
 public:
  FormatControl(const Format& format, RecordSource& source) : cursor_(format), source_(source) {}
  // The next data item's field; the first call reads the first record. The
  // field views the current record: it holds until the next call.
  EditField next();
  // After the last value: goes on through slashes (each skips the rest of
  // its record) and position items, up to the next data item or the
  // format's end. The end of the records there is no error.
  void finish();

 private:
  ReadStatus nextRecord();

  FormatCursor cursor_;
  RecordSource& source_;
  Text record_;
  bool started_ = false;
  std::int64_t position_ = 0;  // column - 1 within the record
  bool dataSinceRestart_ = false;
  std::int64_t positionSteps_ = 0;  // T and X items since the record began
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
