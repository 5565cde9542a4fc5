#include "console_options.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "input/layout_choice.h"
#include "library/species_filter.h"
#include "runtime/new_file.h"
#include "runtime/runtime.h"
#include "runtime/same_file.h"

namespace veska::app {
namespace {

constexpr std::string_view kProgram = "veska-console";

std::string refuse(std::string_view problem, std::string_view name) { return refusalLine(kProgram, problem, name); }

enum class Option { Kind, Dated, DatedKind, Out, Table, Quiet, Library, Species };

struct OptionName {
  std::string_view name;
  Option option;
  bool takesValue;
};

constexpr std::array<OptionName, 8> kOptions{{
    {"--kind", Option::Kind, true},
    {"--dated", Option::Dated, true},
    {"--dated-kind", Option::DatedKind, true},
    {"--out", Option::Out, true},
    {"--table", Option::Table, true},
    {"--quiet", Option::Quiet, false},
    {"--library", Option::Library, true},
    {"--species", Option::Species, true},
}};

const OptionName* optionNamed(std::string_view name) {
  for (const OptionName& o : kOptions)
    if (o.name == name) return &o;
  return nullptr;
}

// The parse as it goes: the request, the options seen, the first refusal.
struct Parse {
  ConsoleRequest request;
  std::vector<Option> seen;
  std::string firstRunOption;  // the first option the dialogue cannot take
  std::string refusal;
};

// Parses [M | m | I | i].
std::optional<char> kindOf(std::string_view value) {
  if (value == "M" || value == "m") return 'M';
  if (value == "I" || value == "i") return 'I';
  return std::nullopt;
}

void setValue(Parse& p, const OptionName& o, std::string_view value) {
  if (value.empty()) {
    p.refusal = refuse("option needs a value", o.name);
    return;
  }
  if (o.option == Option::Species) {
    if (!library::SpeciesFilter::parse(std::string(value)))
      p.refusal = refuse("not species codes or genera (QUSP,PI) for --species", value);
    else
      p.request.species = std::string(value);
    return;
  }
  if (o.option == Option::Kind || o.option == Option::DatedKind) {
    const auto kind = kindOf(value);
    if (!kind) {
      p.refusal = refuse(std::string("not a kind (M or I) for ").append(o.name), value);
      return;
    }
    (o.option == Option::Kind ? p.request.kind : p.request.datedKind) = kind;
    return;
  }
  // A file named "-x" is written ./-x: a missing value must not take the
  // next option for a file name.
  if (value.front() == '-') {
    p.refusal = refuse(std::string("a file name for ").append(o.name).append(" looks like an option"), value);
    return;
  }
  const std::string file(value);
  if (o.option == Option::Dated) p.request.dated = file;
  if (o.option == Option::Out) p.request.out = file;
  if (o.option == Option::Table) p.request.table = file;
  if (o.option == Option::Library) p.request.library = file;
}

// One option at argv[i], with its value; returns the index of the last
// argument it used.
int takeOption(Parse& p, int argc, const char* const argv[], int i) {
  const std::string_view argument = argv[i];
  const std::size_t equals = argument.find('=');
  const std::string_view name = argument.substr(0, equals);
  const OptionName* o = optionNamed(name);
  if (!o) {
    p.refusal = refuse("unknown option", argument);
    return i;
  }
  for (const Option s : p.seen)
    if (s == o->option) {
      p.refusal = refuse("option given twice", name);
      return i;
    }
  p.seen.push_back(o->option);
  if (p.firstRunOption.empty() && o->option != Option::Table) p.firstRunOption = std::string(name);
  if (!o->takesValue) {
    if (equals != std::string_view::npos) p.refusal = refuse("option takes no value", argument);
    p.request.quiet = true;
    return i;
  }
  if (equals != std::string_view::npos) {
    setValue(p, *o, argument.substr(equals + 1));
    return i;
  }
  if (i + 1 >= argc) {
    p.refusal = refuse("option needs a value", name);
    return i;
  }
  setValue(p, *o, argv[i + 1]);
  return i + 1;
}

void takeUndated(Parse& p, std::string_view argument) {
  if (p.request.undated) {
    p.refusal = refuse("more than one undated file", argument);
    return;
  }
  p.request.undated = std::string(argument);
}

bool seen(const Parse& p, Option option) {
  for (const Option s : p.seen)
    if (s == option) return true;
  return false;
}

// Options that need others, once every argument has been read. The dialogue
// asks for everything but the table.
void checkCombination(Parse& p) {
  if (!p.request.undated && !p.firstRunOption.empty()) {
    p.refusal = refuse("no undated file given", p.firstRunOption);
  } else if (seen(p, Option::DatedKind) && !seen(p, Option::Dated)) {
    p.refusal = refuse("option needs --dated", "--dated-kind");
  } else if (seen(p, Option::Species) && !seen(p, Option::Library)) {
    p.refusal = refuse("option needs --library", "--species");
  } else if (seen(p, Option::Library)) {
    // A library run writes no report and matches against no dated file.
    for (const auto& [option, name] : {std::pair(Option::Dated, "--dated"), std::pair(Option::Out, "--out")})
      if (seen(p, option)) p.refusal = refuse("option does not go with --library", name);
  }
}

}  // namespace

ConsoleArguments parseConsoleArguments(int argc, const char* const argv[]) {
  ConsoleArguments result;
  Parse p;
  bool options = true;
  for (int i = 1; i < argc && p.refusal.empty(); ++i) {
    const std::string_view argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && !argument.empty() && argument.front() == '-') {
      i = takeOption(p, argc, argv, i);
    } else {
      takeUndated(p, argument);
    }
  }
  if (p.refusal.empty()) checkCombination(p);
  result.refusal = p.refusal;
  if (result.refusal.empty()) result.request = p.request;
  return result;
}

std::string reportName(const ConsoleRequest& request) { return request.out.value_or(dialogue::kReportFileName); }

namespace {

// Why a data file cannot be read for this run; empty when it can.
std::string dataFileProblem(const ConsoleRequest& request, const std::string& path) {
  struct stat s {};
  if (::stat(path.c_str(), &s) != 0) return errno == ENOENT ? "no such file" : std::strerror(errno);
  if (S_ISDIR(s.st_mode)) return "a directory, not a data file";
  if (!S_ISREG(s.st_mode)) return "not a plain file";
  // Read, it would be emptied first (the report) or replaced (the table).
  if (runtime::sameFile(path, reportName(request))) return "the report file given as a data file";
  if (request.table && runtime::sameFile(path, *request.table)) return "the table file given as a data file";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string("cannot be read (").append(std::strerror(errno)).append(")");
  ::close(fd);
  return {};
}

// Why a file the run will write cannot be written there, as far as can be
// told before the run; empty when it can.
std::string outputFileProblem(const std::string& path) {
  const std::string problem = runtime::outputPathProblem(path);
  if (problem.empty()) return {};
  if (problem == runtime::kNotPlainFile) return "a link or not a plain file, left as it is";
  return std::string("cannot be written (").append(problem).append(")");
}

}  // namespace

std::string checkRequestFiles(const ConsoleRequest& request) {
  // The table written over the report would destroy it, whether the report
  // exists yet or not.
  if (request.table && runtime::sameFile(*request.table, reportName(request)))
    return refuse("the report and the table cannot be one file", *request.table);
  // Said now rather than after a long match.
  for (const auto* path : {&request.out, &request.table}) {
    if (!*path) continue;
    const std::string problem = outputFileProblem(**path);
    if (!problem.empty()) return refuse(problem, **path);
  }
  if (request.library) {
    struct stat s {};
    if (::stat(request.library->c_str(), &s) != 0 || !S_ISDIR(s.st_mode))
      return refuse("no such folder for --library", *request.library);
    if (request.table && request.undated && dialogue::misplacedTable(libraryRequestOf(request)))
      return refuse("the table would be a data file of the library run", *request.table);
  }
  for (const auto* path : {&request.undated, &request.dated}) {
    if (!*path) continue;
    const std::string problem = dataFileProblem(request, **path);
    if (!problem.empty()) return refuse(problem, **path);
  }
  return {};
}

namespace {

// The file is read on the side before the run, so nothing may show.
class SilentConsole : public runtime::Console {
 public:
  bool write(std::string_view) override { return true; }
  std::optional<std::string> readLine(std::size_t) override { return std::nullopt; }
  void yield() override {}
  void terminate(int) override {}
};

std::optional<input::Layout> layoutOfFile(const std::string& path) {
  SilentConsole console;
  runtime::Runtime rt(console);
  std::optional<input::Layout> layout;
  rt.execute([&](runtime::Runtime& run) {
    if (run.open(runtime::Unit::UndatedSeries, path, runtime::OpenFor::Reading).ok) {
      runtime::UnitLines source(run, runtime::Unit::UndatedSeries);
      input::SourceLines lines(source);
      layout = input::layoutFromLines(lines);
    }
    run.endRun(" ", runtime::kExitNormal);
  });
  return layout;
}

std::optional<input::Layout> layoutOf(std::optional<char> kind, const std::string& path) {
  if (kind) return *kind == 'I' ? input::Layout::Indices : input::Layout::RingWidths;
  return layoutOfFile(path);
}

}  // namespace

dialogue::LibraryRequest libraryRequestOf(const ConsoleRequest& request) {
  dialogue::LibraryRequest run;
  run.folder = request.library.value();
  run.undated = request.undated.value();
  if (request.kind) run.undatedLayout = *request.kind == 'I' ? input::Layout::Indices : input::Layout::RingWidths;
  if (request.species) run.species = *library::SpeciesFilter::parse(*request.species);
  run.table = request.table;
  return run;
}

std::optional<dialogue::RunRequest> runRequestOf(const ConsoleRequest& request, std::string& refusal) {
  dialogue::RunRequest run;
  run.undated = request.undated.value();
  const auto undated = layoutOf(request.kind, run.undated);
  if (!undated) {
    refusal = refuse("cannot tell ring widths from indices (give --kind M or --kind I)", run.undated);
    return std::nullopt;
  }
  run.undatedLayout = *undated;
  if (request.dated) {
    const auto dated = layoutOf(request.datedKind, *request.dated);
    if (!dated) {
      refusal = refuse("cannot tell ring widths from indices (give --dated-kind M or --dated-kind I)", *request.dated);
      return std::nullopt;
    }
    run.dated = request.dated;
    run.datedLayout = *dated;
  }
  run.report = reportName(request);
  run.pairLinesOnConsole = !request.quiet;
  return run;
}

}  // namespace veska::app
