// The references one data file gives: each chronology it holds as it is,
// and its ring-width series as one site mean.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/series.h"
#include "library/reference.h"

namespace veska::library {

// One series of a file as the readers give it, with what the file says
// about it.
struct FileSeries {
  input::Series series;
  bool chronology = false;  // an index or mean series rather than one tree's widths
  std::string species;      // the series' own species code (Heidelberg keys), or empty
  std::optional<GeoPoint> where;  // its own coordinates (Heidelberg keys)
  std::optional<MeasuredVariable> variable;  // its own variable (Heidelberg keys)
  std::optional<Country> country;            // its own country (Heidelberg keys)
};

struct FileContents {
  std::vector<std::u32string> titleLines;
  std::vector<FileSeries> series;
};

// What a file's header (else its first series' own keys) says of its site:
// the species code, the coordinates and the country named, whether they lie
// outside that country's box, and the measured variable (ring width, and
// `variableSaid` false, where nothing says).
struct FileHeader {
  std::string species;
  std::optional<GeoPoint> where;
  std::optional<Country> country;
  bool outsideCountry = false;
  MeasuredVariable variable = MeasuredVariable::RingWidth;
  bool variableSaid = false;
};
FileHeader headerOf(const FileContents& file);

// The file's references, and the reason when it gives none or its trees
// give no site mean beside its chronologies. A file's chronologies
// are named `FILE:ID` when it holds more than one reference (a repeated
// identifier gets `/2`, `/3`...), otherwise FILE. Species, coordinates and
// the variable measured come from the series' own keys, else from the
// decadal header; ring width where nothing says. Every
// reference is prewhitened as the match phase prewhitens a series.
struct FileReferences {
  std::vector<Reference> references;
  std::optional<std::string> refusal;
};
FileReferences referencesOf(const std::string& fileName, const FileContents& file);

}  // namespace veska::library
