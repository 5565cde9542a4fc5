// Composes one output record item by item, counting columns in characters.
//   Record r; r.blanks(1).text("Series").integer(n, 4).column(13).text(id, 8);
#pragma once

#include <string>
#include <string_view>

namespace veska::records {

class Record {
 public:
  Record& text(std::string_view utf8);            // literal text, written as is
  Record& text(std::u32string_view text, int width);  // exactly `width` characters
  Record& blanks(int n);
  Record& column(int k);  // blanks up to column k - 1; the next item starts in column k
  Record& integer(long long value, int width);
  Record& fixed(double value, int width, int decimals);

  const std::string& str() const { return bytes_; }
  int columns() const { return columns_; }

 private:
  std::string bytes_;  // UTF-8
  int columns_ = 0;    // characters written so far
};

}  // namespace veska::records
