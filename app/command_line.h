// The little a command line can ask of veska and veska-console: their usage
// (--help), their name and version (--version) and, of veska-console, a file
// for the pair table (--table FILE). Every other argument is left alone.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace veska::app {

struct ProgramText {
  std::string_view name;   // the command's name, as on its manual page
  std::string_view about;  // the paragraph under the usage line
  std::string_view options = "";  // the usage line's options after [--help | --version]
};

// The program's version, from the build's project version.
std::string_view programVersion();

// When --help or --version is among the arguments (the first one of the two
// counts; "--" ends the options), writes its text to out and gives the exit
// status: 0, or 2 when the text could not be written. Gives nothing for any
// other command line, and the run starts as usual.
std::optional<int> answerInfoOption(const ProgramText& program, int argc, const char* const argv[],
                                    std::FILE* out);

// What --table asks for: no table, a table file, or a mistake (--table with
// no file name after it, or an empty one), said in `error`.
struct TableOption {
  std::optional<std::string> file;
  std::string error;
};
// --table FILE or --table=FILE, the last one given; "--" ends the options.
TableOption tableOption(int argc, const char* const argv[]);

}  // namespace veska::app
