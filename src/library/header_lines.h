// The title lines of a decadal file as the tree-ring archive's headers
// write them: three lines numbered 1, 2 and 3 in columns 7-9 after the
// site's code, holding the site name and species, the country, species
// name, elevation and coordinates, and the investigators.
#pragma once

#include <string>
#include <vector>

namespace veska::library {

// The line with every character beyond ASCII as "?", so columns stay put.
std::string asciiLine(const std::u32string& line);
std::vector<std::string> asciiLines(const std::vector<std::u32string>& lines);

// The header line's number in columns 7-9 (one column either way in some
// files); 0 when the line is not numbered.
int headerLineNumber(const std::string& line);

// The words (runs of characters other than blanks) from column `from`
// (0-based) on.
std::vector<std::string> wordsOf(const std::string& line, std::size_t from);

}  // namespace veska::library
