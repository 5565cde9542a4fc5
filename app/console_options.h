// veska-console's command line. With an undated file named, the whole run
// goes without a question; without one, the dialogue runs as it always has,
// writing the pair table too when --table names a file. Anything wrong with
// the command line, or with the files it names, is refused before anything
// is written: one line on standard error and status 4.
//
//   veska-console [--kind M|I] [--dated FILE [--dated-kind M|I]] [--out FILE]
//                 [--table FILE] [--quiet] [--] UNDATED
//   veska-console --library FOLDER [--species LIST] [--variable NAME] [--kind M|I]
//                 [--table FILE] [--] UNDATED
//   veska-console [--table FILE]
#pragma once

#include <optional>
#include <string>

#include "dialogue/library_run.h"
#include "dialogue/run_request.h"

namespace veska::app {

struct ConsoleRequest {
  std::optional<std::string> undated;  // none: the dialogue
  std::optional<char> kind;  // 'M' or 'I'; none: decided from the file
  std::optional<std::string> dated;
  std::optional<char> datedKind;
  std::optional<std::string> out;    // the report; none: VESKA.OUT
  std::optional<std::string> table;  // the pair table
  bool quiet = false;                // no per-pair lines on the console
  std::optional<std::string> library;  // date UNDATED against this folder's references
  std::optional<std::string> species;  // the species codes or genera the library search keeps
  std::optional<std::string> variable;  // the measured variable it keeps (WIDTH_RING when none)
};

struct ConsoleArguments {
  ConsoleRequest request;
  std::string refusal;  // the refusal line; empty when the command line is good
};

// Options take their value as the next argument or behind "=" (--kind=M); an
// argument that begins with "-" is an option unless it follows "--".
ConsoleArguments parseConsoleArguments(int argc, const char* const argv[]);

// The report's name: the --out file, or VESKA.OUT.
std::string reportName(const ConsoleRequest& request);

// The refusal line for data files that are missing, unreadable, no plain
// file, or the report or table file itself, and for a table that would be
// the report; empty when every file is fit.
std::string checkRequestFiles(const ConsoleRequest& request);

// The library run's request, for a request with --library: the undated
// file's kind as given (without --kind, decided as the library decides a
// reference's), the species, the variable, the table.
dialogue::LibraryRequest libraryRequestOf(const ConsoleRequest& request);

// The run's answers, for a request that names its undated file: each file's
// kind as given, or decided from the file; nullopt, with the refusal line
// set, when a kind cannot be decided.
std::optional<dialogue::RunRequest> runRequestOf(const ConsoleRequest& request, std::string& refusal);

}  // namespace veska::app
