// The unit a series' values stood in within its file, and the arithmetic the
// readers turn a field's whole number into a value with. A writer gives the
// values back in the same unit, so that its file reads back to the same bits.
#pragma once

#include <cstdint>
#include <optional>

namespace veska::input {

enum class ValueUnit : std::uint8_t {
  Hundredths,        // ring widths, n x 0.01 mm (decadal marker 999, Heidelberg 1/100 mm)
  Thousandths,       // ring widths, n x 0.001 mm, taken as hundredths and then a tenth of that
  Tenths,            // Heidelberg 1/10 mm
  Millimetres,       // Heidelberg mm, a whole number
  IndexThousandths,  // decadal indices, n x 0.001
  Decimal,           // written as decimals (format-driven layout, CSV), rounded once to single precision
};

// The value a field's whole number n stands for, in a unit of whole numbers
// (every unit but Decimal): the readers' own arithmetic, step by step in
// single precision.
float valueOf(std::int32_t n, ValueUnit unit);

// The whole number that stands for `value` in `unit`, rounded to the nearest;
// nullopt for a value that is not finite or beyond 32 bits, and for Decimal.
std::optional<std::int32_t> wholeNumberOf(float value, ValueUnit unit);

}  // namespace veska::input
