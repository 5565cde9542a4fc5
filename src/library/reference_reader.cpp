#include "library/reference_reader.h"

#include <cstring>

#include "input/file_layout.h"
#include "input/source_lines.h"
#include "library/species_filter.h"
#include "runtime/units.h"

namespace veska::library {
namespace {

// The lines of a file opened as the run opens its data files.
class FileLines : public records::RecordSource {
 public:
  explicit FileLines(runtime::InputUnit& unit) : unit_(unit) {}
  records::ReadStatus next(records::Text& line) override { return unit_.readLine(line); }
  bool startBytes(std::string& bytes, std::size_t limit) override { return unit_.startBytes(bytes, limit); }

 private:
  runtime::InputUnit& unit_;
};

struct Pass {
  input::LoadedFile loaded;
  input::FileLayout found = input::FileLayout::Decadal;
};

// One reading of the whole file; the reason when it cannot be opened or read.
std::variant<Pass, std::string> readOnce(const std::filesystem::path& path, input::Layout layout,
                                         input::MissingValues missing) {
  runtime::Units units;
  const runtime::OpenResult opened = units.open(runtime::Unit::DatedSeries, path.string(), runtime::OpenFor::Reading);
  if (!opened.ok) return opened.reason;
  runtime::InputUnit& unit = *units.input(runtime::Unit::DatedSeries);
  FileLines source(unit);
  input::SourceLines lines(source);
  Pass pass;
  pass.found = input::recognizeLayout(lines);
  pass.loaded = input::loadSeriesFile(lines, layout, missing);
  if (unit.readFailed()) return std::string(std::strerror(unit.readError()));
  return pass;
}

// Every series read, none lost for want of its end marker, no year out of
// step: the layout the file is in. Read in the other one, a chronology's
// lines mostly lose their end markers or their decades fall out of step (an
// index of 4 digits and a count of 3 read as 6-wide widths), and ring-width
// lines become title lines or series whose years go wrong.
// Missing values are no sign of the wrong layout: chronologies hold them too.
bool readsCleanly(const Pass& pass) {
  if (pass.loaded.table.empty() || pass.loaded.stop) return false;
  for (const input::Notice& notice : pass.loaded.notices)
    if (notice.kind == input::Notice::Kind::Warning && notice.text.find(": missing values (below 0) in ") == std::string::npos)
      return false;
  return true;
}

bool endInMarkers(const input::LoadedFile& loaded) {
  if (loaded.table.empty()) return false;
  for (const input::Notice& notice : loaded.notices)
    if (notice.kind == input::Notice::Kind::Warning && notice.text.find("has no end marker") != std::string::npos)
      return false;
  return true;
}

std::optional<GeoPoint> keyedPlace(const input::SeriesKeys& keys) {
  const auto latitude = decimalDegrees(keys.latitude);
  const auto longitude = decimalDegrees(keys.longitude);
  if (!latitude || !longitude) return std::nullopt;
  return GeoPoint{*latitude, *longitude};
}

}  // namespace

DataFileRead readDataFile(const std::filesystem::path& path, std::optional<input::Layout> layout,
                          input::MissingValues missing) {
  auto widths = readOnce(path, layout.value_or(input::Layout::RingWidths), missing);
  if (auto* reason = std::get_if<std::string>(&widths)) return *reason;
  Pass& asWidths = std::get<Pass>(widths);
  if (layout || asWidths.found != input::FileLayout::Decadal)
    return DataFile{std::move(asWidths.loaded), layout.value_or(input::Layout::RingWidths)};
  // Indices first: ring-width lines never read cleanly as indices (their
  // years fall out of step or do not read), while an index file's lines now
  // and then read as ring widths that happen to end in 999.
  auto indices = readOnce(path, input::Layout::Indices, missing);
  if (auto* reason = std::get_if<std::string>(&indices)) return *reason;
  Pass& asIndices = std::get<Pass>(indices);
  if (!readsCleanly(asIndices) && (readsCleanly(asWidths) || endInMarkers(asWidths.loaded)))
    return DataFile{std::move(asWidths.loaded), input::Layout::RingWidths};
  return DataFile{std::move(asIndices.loaded), input::Layout::Indices};
}

std::string stopReason(const input::ReadStop& stop) {
  // Its message names the routine that stopped; the limit is what counts here.
  if (stop.kind == input::ReadStop::Kind::TextLineLimit) return "more than 25 title lines";
  std::string text = stop.message;
  const std::size_t from = text.find_first_not_of(' ');
  text.erase(0, from == std::string::npos ? text.size() : from);
  if (text.starts_with("*** ")) text.erase(0, 4);
  if (text.ends_with(" ***")) text.resize(text.size() - 4);
  return text.empty() ? "reading stopped" : text;
}

std::variant<FileContents, std::string> readReferenceFile(const std::filesystem::path& path) {
  DataFileRead read = readDataFile(path, std::nullopt, input::MissingValues::AsRead);
  if (auto* reason = std::get_if<std::string>(&read)) return *reason;
  DataFile& data = std::get<DataFile>(read);
  if (data.loaded.stop) return stopReason(*data.loaded.stop);
  FileContents contents;
  for (const input::Notice& notice : data.loaded.notices)
    if (notice.kind == input::Notice::Kind::Title)
      contents.titleLines.push_back(records::fromUtf8(notice.text).substr(1));  // the console's leading blank
  for (input::Series& series : data.loaded.table) {
    FileSeries s;
    s.chronology = data.layout == input::Layout::Indices || series.keys.mean;
    s.species = speciesCode(series.keys.species);
    s.where = keyedPlace(series.keys);
    s.variable = heidelbergVariable(series.keys.dataType);
    s.country = countryNamed(series.keys.country);
    s.series = std::move(series);
    contents.series.push_back(std::move(s));
  }
  return contents;
}

}  // namespace veska::library
