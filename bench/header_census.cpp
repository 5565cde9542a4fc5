// Reads every file of a folder as the library reads its references and
// prints, per file, what its header gave: the measured variable, the species
// code, the coordinates and the country they were checked against. A line
// of totals ends it (bench/validate/header-census.sh).
//
//   header_census FOLDER
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "library/reference_file.h"
#include "library/reference_reader.h"

using namespace veska::library;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: header_census FOLDER\n");
    return 2;
  }
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  int read = 0, withSpecies = 0, withPlace = 0, outside = 0, withVariable = 0;
  for (const auto& path : files) {
    const std::string name = path.filename().string();
    auto contents = readReferenceFile(path);
    if (std::holds_alternative<std::string>(contents)) {
      std::printf("%s\tnot read: %s\n", name.c_str(), std::get<std::string>(contents).c_str());
      continue;
    }
    const FileContents& file = std::get<FileContents>(contents);
    if (file.series.empty()) {
      std::printf("%s\tno series read\n", name.c_str());
      continue;
    }
    const FileHeader header = headerOf(file);
    ++read;
    withSpecies += !header.species.empty();
    withPlace += header.where.has_value();
    withVariable += header.variableSaid;
    outside += header.outsideCountry;
    std::printf("%s\t%s%s\t%s\t%s\t%s%s\n", name.c_str(), std::string(variableName(header.variable)).c_str(),
                header.variableSaid ? "" : " (not said)", header.species.c_str(),
                header.where ? (std::to_string(header.where->latitude) + " " + std::to_string(header.where->longitude)).c_str()
                             : "",
                header.country ? std::string(header.country->name).c_str() : "", header.outsideCountry ? " (outside)" : "");
  }
  std::printf("%zu files, %d with series: species %d, coordinates %d (%d of them outside the country named), "
              "variable said %d\n",
              files.size(), read, withSpecies, withPlace, outside, withVariable);
  return 0;
}
