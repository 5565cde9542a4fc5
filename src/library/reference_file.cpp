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
  std::optional<Country> country;
  MeasuredVariable variable = MeasuredVariable::RingWidth;
};

// A point outside the country its header names was read wrongly or written
// wrongly: a map or a distance from it would mislead.
bool outside(const std::optional<Country>& country, const std::optional<GeoPoint>& where) {
  return country && where && onTheGlobe(*where) && !inside(*country, *where);
}

Reference made(const Common& common, std::int32_t firstYear, std::vector<float> values, stats::WhiteningWork& work) {
  Reference r;
  r.titleLines = common.titles;
  r.species = common.species;
  r.where = common.where;
  r.variable = common.variable;
  if (common.country) r.country = std::string(common.country->name);
  r.outsideCountry = outside(common.country, common.where);
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
  if (auto v = sharedBy<MeasuredVariable>(trees, [](const FileSeries& t) { return t.variable; })) site.variable = *v;
  if (auto c = sharedBy<std::string_view>(trees, [](const FileSeries& t) {
        return t.country ? std::optional(t.country->name) : std::nullopt;
      }))
    site.country = countryNamed(*c);
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

FileHeader headerOf(const FileContents& file) {
  FileHeader h;
  h.species = decadalSpeciesCode(file.titleLines);
  h.where = decadalCoordinates(file.titleLines);
  h.country = decadalCountry(file.titleLines);
  const auto variable = decadalVariable(file.titleLines);
  h.variable = variable.value_or(MeasuredVariable::RingWidth);
  h.variableSaid = variable.has_value();
  if (!file.series.empty()) {
    const FileSeries& first = file.series.front();
    if (!first.species.empty()) h.species = first.species;
    if (first.where) h.where = first.where;
    if (first.country) h.country = first.country;
    if (first.variable) {
      h.variable = *first.variable;
      h.variableSaid = true;
    }
  }
  h.outsideCountry = outside(h.country, h.where);
  return h;
}

FileReferences referencesOf(const std::string& fileName, const FileContents& file) {
  if (file.series.empty()) return {{}, "no series read"};
  Common header;
  for (const std::u32string& line : file.titleLines) header.titles.push_back(records::toUtf8(line));
  header.species = decadalSpeciesCode(file.titleLines);
  header.where = decadalCoordinates(file.titleLines);
  header.country = decadalCountry(file.titleLines);
  header.variable = decadalVariable(file.titleLines).value_or(MeasuredVariable::RingWidth);

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
    if (s.variable) own.variable = *s.variable;
    if (s.country) own.country = s.country;
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
