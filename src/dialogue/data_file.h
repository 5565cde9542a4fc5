// A data file from the console's question to its table of series: the name
// asked for until a file opens or the user bails out with "/", then the
// series loaded, the readers' notices shown and their stops carried out.
#pragma once

#include <string>
#include <string_view>

#include "input/decadal_line.h"
#include "input/series.h"
#include "runtime/runtime.h"

namespace veska::dialogue {

// Opens an existing file on the unit and returns its name (the answer with
// trailing spaces removed, tabs kept, or the path chosen for an empty answer). Does not
// return on the bail-out: the run ends with status 0, no message and no pause.
std::u32string openDataFile(runtime::Runtime& rt, runtime::Unit unit);

// The whole answer is the name: a path of any length must open the file it
// names. An answer of a leading "/" followed only by spaces is the bail-out
// ("/" and a tab is a file name); an absolute path such as /home/lab/site.rwl is a name.
bool isBailOut(std::u32string_view answer);

// Every series of the file open on the unit, the readers' notices shown on
// the console in order. Does not return when reading stopped: a limit shows
// its message, pauses and ends the run (status kExitDataLimit); a table
// refused or too many title lines end it with the message; a failed read
// ends it as a fatal I/O failure.
input::SeriesTable readSeriesFile(runtime::Runtime& rt, runtime::Unit unit, input::Layout layout);

// A file that gives no series leaves nothing to match: the run ends as a
// data limit ends it ("*** No series read from NAME ***", a pause, status
// kExitDataLimit), rather than calling an empty report a normal end.
void endIfNoSeries(runtime::Runtime& rt, const input::SeriesTable& table, const std::u32string& fileName);

}  // namespace veska::dialogue
