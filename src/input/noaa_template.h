// Reads the NOAA template the ITRDB now publishes: a header of lines
// beginning "#" (the site's metadata as "# Key: value"), lines beginning "##"
// that name each column's variable, then a tab-separated table whose first
// column is the year ("age_CE") and whose other columns are series.
#pragma once

#include <vector>

#include "input/layout_read.h"
#include "records/text.h"

namespace veska::input {

// The first line that is not blank begins with "#", and the first line that
// does not is a tab-separated header whose first cell begins "age_".
bool looksLikeNoaaTemplate(const std::vector<records::Text>& firstLines);

// Each column is a series from its first value to its last; NaN, NA and an
// empty cell are missing values, and so is any value below 0 (-999). A column
// is refused with its reason when its variable ("## name<TAB>what,material,
// error,units,...") is not a ring width or an index, its units are not known
// (millimetres, micrometres; indices carry none), or a cell is no number.
// A table whose year column is not age_CE (or age_AD), or whose years do not
// read, or whose every value is missing, gives no series and one line
// saying why. Species_Name and the
// northern- and easternmost coordinates go to every series' keys.
LayoutRead readNoaaTemplate(const std::vector<records::Text>& lines);

}  // namespace veska::input
