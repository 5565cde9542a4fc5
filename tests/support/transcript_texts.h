// The terminal host's dialogue texts as a piped run prints them (LF line
// ends, answers echoed behind their prompts), for transcript comparisons.
#pragma once

#include <string>

namespace veska::test {

inline const std::string kOpening = "\n Open up UNDATED tree-ring data file:\n\n";
inline const std::string kFilePrompt = " File name (/ to exit)                      ==> ";
inline const std::string kCodePrompt = " Ring widths (M) or Indices (I)             ==> ";
inline const std::string kDatedPrompt = "\n Read in DATED tree-ring series? Y/N        ==> ";
inline const std::string kCannotOpen = "\n    *** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***\n";
inline const std::string kEndOfInput = " *** End of input: run stopped ***\n";
inline const std::string kUndatedHeading = "\n  UNDATED TREE-RING SERIES:\n";
inline const std::string kDatedHeading = "\n  DATED TREE-RING SERIES:\n";

}  // namespace veska::test
