// Numeric fields written into fixed columns, right-aligned. A number that
// needs more than its w columns is written as w asterisks, in one place.
#pragma once

#include <string>

namespace veska::records {

// Integer of width w (Iw).
std::string formatInteger(long long value, int width);

// Fixed point of width w with d decimals (Fw.d). The exact binary value is
// rounded to d decimals, ties away from zero; a zero before the point only
// when there is room for it; no minus sign when every rounded digit is zero;
// Inf, -Inf and NaN right-aligned when they fit.
std::string formatFixed(double value, int width, int decimals);

}  // namespace veska::records
