// Asks for a data file's name on the console and opens it on a unit, asking
// again until a file opens or the user bails out with "/".
#pragma once

#include <string>

#include "records/runtime.h"

namespace veska::input {

// Opens an existing file on the unit and returns its name (the answer with
// trailing spaces removed, tabs kept, or the path chosen for an empty answer). Does not
// return on the bail-out: the run ends with status 0, no message and no pause.
std::u32string openDataFile(records::Runtime& rt, int unit);

// The whole answer is the name: a path of any length must open the file it
// names. An answer of a leading "/" followed only by spaces is the bail-out
// ("/" and a tab is a file name); an absolute path such as /home/lab/site.rwl is a name.
bool isBailOut(std::u32string_view answer);

}  // namespace veska::input
