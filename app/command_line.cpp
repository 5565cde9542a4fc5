#include "command_line.h"

#include <string>

#include "runtime/shown_text.h"

namespace veska::app {
namespace {

enum class Request { kNone, kHelp, kVersion };

Request requestOf(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "--help") return Request::kHelp;
    if (argument == "--version") return Request::kVersion;
  }
  return Request::kNone;
}

std::string helpText(const ProgramText& program) {
  std::string text = "Usage: ";
  text += program.synopsis;
  text += "\n\n";
  text += program.about;
  text += "\n\nThe manual page tells the whole dialogue, the data file layouts and the report:\n  man ";
  text += program.name;
  text += '\n';
  return text;
}

std::string versionText(const ProgramText& program) {
  std::string text(program.name);
  text += ' ';
  text += programVersion();
  text += '\n';
  return text;
}

}  // namespace

std::string_view programVersion() { return VESKA_VERSION; }

std::optional<int> answerInfoOption(const ProgramText& program, int argc, const char* const argv[],
                                    std::FILE* out) {
  const Request request = requestOf(argc, argv);
  if (request == Request::kNone) return std::nullopt;
  const std::string text = request == Request::kHelp ? helpText(program) : versionText(program);
  // A closed or full standard output must not pass for a printed text.
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  return written && std::fflush(out) == 0 ? 0 : 2;
}

std::string refusalLine(std::string_view program, std::string_view problem, std::string_view argument) {
  std::string line(program);
  // The argument as a terminal may show it: on one line, no control
  // character or text-reordering mark in it.
  line.append(": ").append(problem).append(": ").append(runtime::shownName(argument));
  line.append(" (see ").append(program).append(" --help)\n");
  return line;
}

WindowArguments parseWindowArguments(int argc, const char* const argv[]) {
  WindowArguments parsed;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && argument.size() > 1 && argument.front() == '-') {
      parsed.refusal = refusalLine("veska", "unknown option", argument);
      return parsed;
    } else if (parsed.file) {
      parsed.refusal = refusalLine("veska", "more than one file", argument);
      return parsed;
    } else {
      parsed.file = std::string(argument);
    }
  }
  return parsed;
}

}  // namespace veska::app
