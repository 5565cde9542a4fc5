#include "library/reference_file.h"

#include <map>
#include <variant>

#include "library/found_in_library.h"
#include "library/site_mean.h"
#include "match/csv_text.h"
#include "records/text.h"
#include "stats/whitening.h"

namespace veska::library {
namespace {

struct Common {
  std::vector<std::string> titles;
  std::string species;
  std::optional<GeoPoint> where;
};

Reference made(const Common& common, std::int32_t firstYear, std::vector<float> values, stats::WhiteningWork& work) {
  Reference r;
  r.titleLines = common.titles;
  r.species = common.species;
  r.where = common.where;
  r.firstYear = firstYear;
  r.values = std::move(values);
  r.compared = r.values;
  stats::whiten(r.compared, work);
  return r;
}

// A species or place shared by every tree of a site mean, else none.
template <typename T, typename Get>
std::optional<T> sharedBy(const std::vector<const FileSeries*>& trees, Get get) {
  std::optional<T> shared;
  for (const FileSeries* tree : trees) {
    const std::optional<T> own = get(*tree);
    if (!own) return std::nullopt;
    if (shared && !(*shared == *own)) return std::nullopt;
    shared = own;
  }
  return shared;
}

// The trees' site mean as one reference, with the species and place every
// tree shares (else the header's); the reason when the trees give none.
std::variant<Reference, std::string> siteReference(const std::vector<const FileSeries*>& trees, const Common& header,
                                                   const std::string& fileName, stats::WhiteningWork& work) {
  std::vector<input::Series> widths;
  for (const FileSeries* tree : trees) widths.push_back(tree->series);
  SiteMean mean = siteMean(widths);
  if (mean.values.empty())
    return "its " + std::to_string(trees.size()) + " ring-width series never cover a year " +
           std::to_string(kMinTreesPerYear) + " together";
  Common site = header;
  if (auto s = sharedBy<std::string>(trees, [](const FileSeries& t) {
        return t.species.empty() ? std::nullopt : std::optional(t.species);
      }))
    site.species = *s;
  if (auto w = sharedBy<std::pair<double, double>>(trees, [](const FileSeries& t) {
        return t.where ? std::optional(std::pair(t.where->latitude, t.where->longitude)) : std::nullopt;
      }))
    site.where = GeoPoint{w->first, w->second};
  Reference r = made(site, mean.firstYear, std::move(mean.values), work);
  r.treeCount = mean.treeCount;
  for (const FileSeries* tree : trees) addStretchHashes(r.stretches, tree->series.values);
  r.name = "";  // the file itself
  r.id = records::fitRecord(records::fromUtf8(fileName), 8);
  return r;
}

// Names: the file alone for a single reference, else FILE:ID (FILE:mean for
// the site mean), repeated identifiers numbered.
void nameReferences(std::vector<Reference>& refs, const std::string& fileName) {
  std::map<std::string, int> seen;
  for (Reference& r : refs) {
    if (refs.size() == 1) {
      r.name = fileName;
    } else {
      const std::string id = r.name.empty() ? "mean" : r.name;
      const int n = ++seen[id];
      r.name = fileName + ":" + id;
      if (n > 1) r.name.append("/").append(std::to_string(n));
    }
    if (r.id.empty()) r.id = records::fitRecord(records::fromUtf8(r.name), 8);
  }
}

}  // namespace

FileReferences referencesOf(const std::string& fileName, const FileContents& file) {
  if (file.series.empty()) return {{}, "no series read"};
  Common header;
  for (const std::u32string& line : file.titleLines) header.titles.push_back(records::toUtf8(line));
  header.species = decadalSpeciesCode(file.titleLines);
  header.where = decadalCoordinates(file.titleLines);

  stats::WhiteningWork work(input::kMaxLength);
  std::vector<Reference> refs;
  std::vector<const FileSeries*> trees;
  for (const FileSeries& s : file.series) {
    if (!s.chronology) {
      trees.push_back(&s);
      continue;
    }
    Common own = header;
    if (!s.species.empty()) own.species = s.species;
    if (s.where) own.where = s.where;
    // A chronology is compared over its longest stretch without a missing
    // value, as a series of the undated file is.
    input::Series kept = input::keptStretch(s.series);
    Reference r = made(own, kept.firstYear, std::move(kept.values), work);
    r.id = s.series.id;
    r.name = match::trimmedId(s.series.id);
    r.stretches = stretchHashes(r.values);
    refs.push_back(std::move(r));
  }
  std::optional<std::string> treesRefused;
  if (!trees.empty()) {
    auto site = siteReference(trees, header, fileName, work);
    if (auto* reason = std::get_if<std::string>(&site)) treesRefused = *reason;
    else refs.insert(refs.begin(), std::move(std::get<Reference>(site)));
  }
  if (refs.empty()) return {{}, treesRefused};
  nameReferences(refs, fileName);
  return {std::move(refs), treesRefused};
}

}  // namespace veska::library
