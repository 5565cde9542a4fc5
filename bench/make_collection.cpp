// Writes a ring-width file of generated series for timing whole runs:
//   make_collection FILE PREFIX COUNT LENGTH SEED
// Every series is a stretch of one common chronology (the same for every
// file made with the same seed) with noise of its own, so the pairs have real
// matches to find. Identifiers are PREFIX's first letter and a number. Decadal ring-width layout: columns
// 1-8 the identifier, 9-12 the year, ten values of 6 columns in hundredths,
// the series closed by 999.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

int usage() {
  std::fprintf(stderr, "usage: make_collection FILE PREFIX COUNT LENGTH SEED\n");
  return 2;
}

// One line: identifier, year, up to ten values.
void writeLine(std::FILE* out, const std::string& id, int year, const std::vector<int>& values) {
  std::fprintf(out, "%-8.8s%4d", id.c_str(), year);
  for (int v : values) std::fprintf(out, "%6d", v);
  std::fprintf(out, "\n");
}

void writeSeries(std::FILE* out, const std::string& id, int firstYear, const std::vector<int>& widths) {
  std::vector<int> line;
  int lineYear = firstYear;
  int year = firstYear;
  for (int w : widths) {
    line.push_back(w);
    ++year;
    if (year % 10 == 0) {
      writeLine(out, id, lineYear, line);
      line.clear();
      lineYear = year;
    }
  }
  line.push_back(999);
  writeLine(out, id, lineYear, line);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6 || argv[2][0] == '\0') return usage();
  const char prefix = argv[2][0];
  const int count = std::atoi(argv[3]);
  const int length = std::atoi(argv[4]);
  const unsigned seed = static_cast<unsigned>(std::strtoul(argv[5], nullptr, 10));
  if (count < 1 || count > 9999999 || length < 1 || length > 5000) return usage();
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  std::mt19937 rng(seed);
  std::normal_distribution<double> normal(0.0, 1.0);
  // The common chronology, years 1001 to 8000.
  const int span = 7000;
  std::vector<double> climate(static_cast<std::size_t>(span));
  double previous = 0.0;
  for (double& c : climate) previous = c = 0.5 * previous + normal(rng);

  std::fprintf(out, "Generated collection: %d series of %d rings, seed %u\n", count, length, seed);
  std::uniform_int_distribution<int> start(0, span - length);
  for (int i = 1; i <= count; ++i) {
    const int offset = start(rng);
    std::vector<int> widths;
    for (int k = 0; k < length; ++k) {
      const double v = 150.0 + 40.0 * climate[static_cast<std::size_t>(offset + k)] + 40.0 * normal(rng);
      widths.push_back(std::clamp(static_cast<int>(v), 1, 998));  // never the end marker
    }
    char id[16];
    std::snprintf(id, sizeof id, "%c%07d", prefix, i);
    writeSeries(out, id, 1001 + offset, widths);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
