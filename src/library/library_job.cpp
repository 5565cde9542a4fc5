#include "library/library_job.h"

#include "library/library_folder.h"
#include "library/reference_reader.h"

namespace veska::library {
namespace {

// The undated file's series, or why there are none.
std::variant<input::SeriesTable, std::string> undatedTable(const std::filesystem::path& path) {
  const std::string name = path.string();
  DataFileRead read = readDataFile(path);
  if (const auto* reason = std::get_if<std::string>(&read))
    return "The undated file " + name + " cannot be read: " + *reason + ".";
  input::LoadedFile& loaded = std::get<DataFile>(read).loaded;
  if (loaded.stop) return "Reading the undated file " + name + " stopped: " + stopReason(*loaded.stop) + ".";
  if (loaded.table.empty()) return "No series read from " + name + ".";
  return std::move(loaded.table);
}

std::string noReference(const Library& library) {
  std::string text = "No reference read from " + library.folder + ".";
  for (const RefusedFile& file : library.refused) text.append("\n").append(file.name).append(": ").append(file.reason);
  if (!library.otherVariables.empty()) {
    int files = 0;
    for (const auto& [variable, n] : library.otherVariables) files += n;
    text.append("\n").append(std::to_string(files)).append(" files of other variables than ")
        .append(variableName(library.variable)).append(" left out");
  }
  if (library.filteredOut > 0)
    text.append("\n").append(std::to_string(library.filteredOut)).append(" of other species left out by ")
        .append(library.filter.text());
  return text;
}

}  // namespace

LibraryJob::LibraryJob(LibraryJobRequest request) : thread_([this, request] { work(request); }) {}

LibraryJob::~LibraryJob() {
  stop();
  thread_.join();
}

LibraryJob::Progress LibraryJob::progress() const {
  return {static_cast<Stage>(stage_.load()), done_.load(), total_.load()};
}

const LibraryJobResult& LibraryJob::result() const { return finished() ? result_ : none_; }

bool LibraryJob::report(Stage stage, std::size_t done, std::size_t total) {
  stage_.store(static_cast<int>(stage));
  done_.store(done);
  total_.store(total);
  return !stop_.load();
}

void LibraryJob::work(const LibraryJobRequest& request) {
  LibraryJobResult& out = result_;
  auto table = undatedTable(request.undated);
  if (auto* problem = std::get_if<std::string>(&table)) {
    out.problem = *problem;
  } else {
    const std::vector<UndatedSeries> series = undatedSeriesOf(std::get<input::SeriesTable>(table));
    LoadedLibrary loaded = loadLibrary(
        request.folder, request.filter, readReferenceFile,
        [this](std::size_t done, std::size_t total) { return report(Stage::ReadingLibrary, done, total); },
        request.variable);
    auto library = std::make_shared<Library>(std::move(loaded.library));
    if (!loaded.problem.empty()) {
      out.problem = "The library folder " + request.folder.string() + " cannot be read: " + loaded.problem + ".";
    } else if (!stop_.load() && library->references.empty()) {
      out.problem = noReference(*library);
    } else if (!stop_.load()) {
      const SearchProgress progress = [this](std::size_t done, std::size_t total) {
        return report(Stage::Searching, done, total);
      };
      auto run = std::make_shared<LibraryRun>(runLibrarySearch(*library, series, progress));
      out.library = std::move(library);
      out.run = std::move(run);
    }
  }
  out.stopped = stop_.load();
  stage_.store(static_cast<int>(Stage::Finished));
  finished_.store(true, std::memory_order_release);
}

}  // namespace veska::library
