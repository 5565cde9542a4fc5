// What a reader has to tell besides its series, as values: the lines the
// console is to show, and the reason reading stopped before the file's end.
// The dialogue shows the notices in order and decides how the run ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veska::input {

struct Notice {
  enum class Kind {
    Line,     // a console line of its own: the layout being read, values that could not be read
    Title,    // a text line of a decadal file, shown under " Title of data:" after an empty line
    Warning,  // a series or block not loaded, or years out of step: after an empty line
  };
  Kind kind = Kind::Line;
  std::string text;  // the console line, UTF-8
};

using Notices = std::vector<Notice>;

// The console lines of a notice, in order.
std::vector<std::string> consoleLines(const Notice& notice);

struct ReadStop {
  enum class Kind {
    SourceFailed,   // the lines could not be read on (a read error, or the run is stopping)
    SeriesLimit,    // too many series, or too long a series: the message, a pause, the end
    TextLineLimit,  // too many title lines: the message ends the run at once
    TableRefused,   // a CSV table that cannot be read: an empty line, then the message ends the run
  };
  Kind kind = Kind::SourceFailed;
  std::string message;  // empty for SourceFailed
};

}  // namespace veska::input
