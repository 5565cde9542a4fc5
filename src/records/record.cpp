#include "records/record.h"

#include "records/numeric_output.h"
#include "records/text.h"

namespace veska::records {

Record& Record::text(std::string_view utf8) {
  bytes_ += utf8;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++columns_;
  return *this;
}

Record& Record::text(std::u32string_view chars, int width) {
  return text(toUtf8(fitRecord(chars, static_cast<std::size_t>(width > 0 ? width : 0))));
}

Record& Record::blanks(int n) {
  if (n > 0) text(std::string(static_cast<std::size_t>(n), ' '));
  return *this;
}

Record& Record::column(int k) { return blanks(k - 1 - columns_); }

Record& Record::integer(long long value, int width) { return text(formatInteger(value, width)); }

Record& Record::fixed(double value, int width, int decimals) {
  return text(formatFixed(value, width, decimals));
}

}  // namespace veska::records
