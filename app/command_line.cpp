#include "command_line.h"

#include <string>

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
  text += program.name;
  text += " [--help | --version]";
  if (!program.options.empty()) {
    text += ' ';
    text += program.options;
  }
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

TableOption tableOption(int argc, const char* const argv[]) {
  constexpr std::string_view kOption = "--table";
  TableOption option;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    std::optional<std::string_view> file;
    if (argument == kOption) {
      if (i + 1 < argc) file = argv[++i];
    } else if (argument.starts_with(kOption) && argument[kOption.size()] == '=') {
      file = argument.substr(kOption.size() + 1);
    } else {
      continue;
    }
    if (!file || file->empty()) {
      option.error = "--table needs the name of the file to write the pair table to";
      option.file.reset();
      return option;
    }
    option.file = std::string(*file);
  }
  return option;
}

}  // namespace veska::app
