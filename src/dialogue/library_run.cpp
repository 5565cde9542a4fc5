#include "dialogue/library_run.h"

#include <filesystem>

#include "dialogue/data_file.h"
#include "dialogue/run_driver.h"
#include "library/library_folder.h"
#include "library/library_summary.h"
#include "library/library_table.h"
#include "library/reference_reader.h"
#include "runtime/new_file.h"
#include "runtime/same_file.h"
#include "runtime/shown_text.h"

namespace veska::dialogue {
namespace {

input::SeriesTable readUndated(runtime::Runtime& rt, const LibraryRequest& request) {
  std::optional<input::Layout> layout = request.undatedLayout;
  if (!layout) {
    const library::DataFileRead read = library::readDataFile(request.undated);
    if (const auto* reason = std::get_if<std::string>(&read)) rt.fatalIo("open", request.undated, *reason);
    layout = std::get<library::DataFile>(read).layout;
  }
  const runtime::OpenResult opened = rt.open(runtime::Unit::UndatedSeries, request.undated, runtime::OpenFor::Reading);
  if (!opened.ok) rt.fatalIo("open", request.undated, opened.reason);
  input::SeriesTable table = readSeriesFile(rt, runtime::Unit::UndatedSeries, *layout);
  endIfNoSeries(rt, table, records::decodeLine(request.undated));
  return table;
}

library::Library readLibrary(runtime::Runtime& rt, const LibraryRequest& request) {
  library::LoadedLibrary loaded = library::loadLibrary(
      request.folder, request.species, library::readReferenceFile, [&](std::size_t done, std::size_t total) {
        if (request.progress) request.progress(LibraryStage::Reading, done, total);
        return !rt.stopAsked();
      });
  if (!loaded.problem.empty()) rt.fatalIo("read", request.folder, loaded.problem);
  rt.yield();  // a stop asked for while the files were read ends the run here
  return std::move(loaded.library);
}

}  // namespace

std::optional<std::string> misplacedTable(const LibraryRequest& request) {
  if (!request.table) return std::nullopt;
  if (runtime::sameFile(*request.table, request.undated)) return "It is the file of undated series";
  const std::filesystem::path folder = std::filesystem::path(*request.table).parent_path();
  if (runtime::sameFile(folder.empty() ? "." : folder.string(), request.folder))
    return "It would lie in the library folder";
  return std::nullopt;
}

void runLibraryDating(runtime::Runtime& rt, const LibraryRequest& request) {
  // Nothing is asked: a limit's pause has nobody to wait for.
  rt.askNothing();
  setFloatingPointEnvironment();
  if (const auto why = misplacedTable(request)) rt.fatalIo("write", *request.table, *why);
  const std::vector<library::UndatedSeries> series = library::undatedSeriesOf(readUndated(rt, request));

  const library::Library library = readLibrary(rt, request);
  rt.writeConsole("");
  for (const std::string& line : library::librarySummary(library)) rt.writeConsole(line);
  if (library.references.empty()) {
    rt.writeConsole("");
    rt.endRun("    *** No reference read from " + runtime::shownName(request.folder) + " ***",
              runtime::kExitDataLimit);
  }

  const library::LibraryRun run =
      library::runLibrarySearch(library, series, [&](std::size_t done, std::size_t total) {
        if (request.progress) request.progress(LibraryStage::Searching, done, total);
        return !rt.stopAsked();
      });
  rt.yield();
  for (std::size_t s = 0; s < run.judgements.size(); ++s)
    for (const std::string& line : library::seriesSummary(run.series[s], run.judgements[s], library, request.rowsShown))
      rt.writeConsole(line);

  if (request.table) {
    const std::string reason = runtime::writeNewFile(*request.table, [&](std::ostream& table) {
      library::writeLibraryTable(table, run.series, run.judgements, library.references);
    });
    if (!reason.empty()) rt.fatalIo("write", *request.table, reason);
  }
  rt.writeConsole("");
  rt.endRun(" ", runtime::kExitNormal);
}

}  // namespace veska::dialogue
