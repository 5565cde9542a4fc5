// Which layout a data file is in, told by its content: the Heidelberg layout
// and CSV tables say so in their first lines, TRiDaS, the NOAA template, the
// Sheffield and the Besançon layouts within their first lines; anything else
// is read in the decadal layout the user chose.
#pragma once

#include <cstddef>
#include <string_view>

#include "input/source_lines.h"

namespace veska::input {

enum class FileLayout { Decadal, Heidelberg, Csv, Tridas, NoaaTemplate, Sheffield, Besancon };

// Looks at the first lines and gives them back, so that the reader chosen
// starts at the file's beginning. Heidelberg: the first line that is not
// blank is "HEADER:". CSV: the first line holds at least two cells separated
// by commas, semicolons or tabs, one of them "Year" in any letter case.
// The others as their readers' looksLike... functions say, on the first
// kLayoutLookLines lines.
FileLayout recognizeLayout(SourceLines& lines);

inline constexpr std::size_t kLayoutLookLines = 2100;

// The console line that names a layout read (" Reading a Heidelberg file");
// empty for the decadal layouts.
std::string_view layoutLine(FileLayout layout);

// Characters without blanks, tabs or a line-end CR at either end.
std::u32string_view trimmed(std::u32string_view text);

}  // namespace veska::input
