// What a command line can ask of veska and veska-console besides the run's
// own arguments: their usage (--help) or their name and version (--version);
// and the one line a refused command line gets.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace veska::app {

// The status of a command line refused before anything was written.
inline constexpr int kExitUsage = 4;

struct ProgramText {
  std::string_view name;      // the command's name, as on its manual page
  std::string_view synopsis;  // what follows "Usage: " (further lines indented to match)
  std::string_view about;     // the paragraphs under the usage
};

// The program's version, from the build's project version.
std::string_view programVersion();

// When --help or --version is among the arguments (the first one of the two
// counts; "--" ends the options), writes its text to out and gives the exit
// status: 0, or 2 when the text could not be written. Gives nothing for any
// other command line.
std::optional<int> answerInfoOption(const ProgramText& program, int argc, const char* const argv[],
                                    std::FILE* out);

// "<program>: <problem>: <argument> (see <program> --help)", with its line end.
std::string refusalLine(std::string_view program, std::string_view problem, std::string_view argument);

// veska's command line once Qt has taken its own options: at most one file,
// whose name answers the first file prompt. An argument that begins with "-"
// is an option unless it follows "--".
struct WindowArguments {
  std::optional<std::string> file;
  std::string refusal;  // the refusal line; empty when the command line is good
};
WindowArguments parseWindowArguments(int argc, const char* const argv[]);

}  // namespace veska::app
