// The same measurements in another layout give the same results: each real
// decadal ring-width file written out as a Heidelberg file must give the very
// same report, and as a CSV table the same values to within one step of
// single precision.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "dialogue/data_file.h"
#include "runtime/units.h"
#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

input::SeriesTable load(const std::filesystem::path& file) {
  ScriptedConsole console({""});
  runtime::Runtime rt(console);
  EXPECT_TRUE(rt.open(runtime::Unit::UndatedSeries, file.string(), runtime::OpenFor::Reading).ok);
  input::SeriesTable table = dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
  rt.units().closeAll();
  return table;
}

// The integer a value was written as, in hundredths or thousandths of a
// millimetre, whichever gives the value back exactly as the readers compute it.
struct Scaled {
  std::vector<long> numbers;
  bool thousandths = false;
};
Scaled scaled(const input::Series& s) {
  Scaled out;
  for (bool th : {false, true}) {
    out.numbers.clear();
    out.thousandths = th;
    bool exact = true;
    for (float v : s.values) {
      const long n = std::lround(static_cast<double>(v) * (th ? 1000 : 100));
      const float back = th ? static_cast<float>(n) * 0.01f * 0.1f : static_cast<float>(n) * 0.01f;
      exact = exact && back == v;
      out.numbers.push_back(n);
    }
    if (exact) return out;
  }
  ADD_FAILURE() << "no integer gives the values of " << records::toUtf8(s.id) << " back";
  return out;
}

std::string trimmedId(const input::Series& s) {
  std::string id = records::toUtf8(s.id);
  while (!id.empty() && id.back() == ' ') id.pop_back();
  return id;
}

std::string asHeidelberg(const input::SeriesTable& table) {
  std::string out;
  char cell[32];
  for (const input::Series& s : table) {
    const Scaled sc = scaled(s);
    for (const std::string& part :
         {std::string("HEADER:\nKeyCode="), trimmedId(s), std::string("\nDateBegin="), std::to_string(s.firstYear),
          std::string("\nLength="), std::to_string(s.values.size()), std::string("\nUnit="),
          std::string(sc.thousandths ? "1/1000 mm" : "1/100 mm"), std::string("\nDataFormat=Tree\nDATA:Single\n")})
      out += part;
    std::size_t k = 0;
    for (; k < sc.numbers.size(); ++k) {
      std::snprintf(cell, sizeof cell, "%6ld", sc.numbers[k]);
      out += cell;
      if (k % 10 == 9) out += "\n";
    }
    for (; k % 10 != 0; ++k) out += k % 10 == 9 ? "     0\n" : "     0";
  }
  return out;
}

std::string asCsv(const input::SeriesTable& table) {
  std::int32_t first = table[0].firstYear, last = table[0].lastYear();
  for (const auto& s : table) {
    first = std::min(first, s.firstYear);
    last = std::max(last, s.lastYear());
  }
  std::vector<Scaled> sc;
  std::string out = "Year";
  for (const auto& s : table) {
    out += ',';
    out += trimmedId(s);
    sc.push_back(scaled(s));
  }
  out += "\n";
  char cell[32];
  for (std::int32_t y = first; y <= last; ++y) {
    out += std::to_string(y);
    for (std::size_t i = 0; i < table.size(); ++i) {
      out += ",";
      const std::int32_t k = y - table[i].firstYear;
      if (k < 0 || y > table[i].lastYear()) {
        out += "NA";
        continue;
      }
      const long n = sc[i].numbers[static_cast<std::size_t>(k)];
      // The decimal as written: hundredths or thousandths of a millimetre.
      std::snprintf(cell, sizeof cell, sc[i].thousandths ? "%s%ld.%03ld" : "%s%ld.%02ld", n < 0 ? "-" : "",
                    std::labs(n) / (sc[i].thousandths ? 1000 : 100), std::labs(n) % (sc[i].thousandths ? 1000 : 100));
      out += cell;
    }
    out += "\n";
  }
  return out;
}

// A series is loaded over its stretch without missing values, so the table
// holds no value below 0; one that did could not be copied to the Heidelberg
// or CSV layout, which read it as missing.
bool copiesInEveryLayout(const input::SeriesTable& table) {
  if (table.empty()) return false;
  for (const input::Series& s : table)
    if (std::any_of(s.values.begin(), s.values.end(), [](float v) { return v < 0.0f; })) return false;
  return true;
}

std::vector<std::filesystem::path> ringWidthFiles(const std::filesystem::path& real) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(real))
    if (entry.path().extension() == ".rwl") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(LayoutEquivalence, HeidelbergCopyGivesTheSameReport) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  TempDir dir;
  int compared = 0;
  for (const auto& file : ringWidthFiles(*real)) {
    SCOPED_TRACE(file.filename().string());
    const input::SeriesTable table = load(file);
    if (!copiesInEveryLayout(table)) continue;
    writeFile(dir.file("copy.fh"), asHeidelberg(table));
    std::filesystem::copy_file(file, dir.file("orig.rwl"), std::filesystem::copy_options::overwrite_existing);
    const ConsoleRun decadal = runConsole(dir.path(), "orig.rwl\nM\nN\n\n");
    const std::string decadalReport = readFile(dir.file("VESKA.OUT"));
    const ConsoleRun heidelberg = runConsole(dir.path(), "copy.fh\nM\nN\n\n");
    EXPECT_EQ(heidelberg.status, decadal.status);
    EXPECT_NE(heidelberg.output.find(" Reading a Heidelberg file"), std::string::npos);
    // Compared whole; on a difference the two reports would only flood the log.
    EXPECT_TRUE(readFile(dir.file("VESKA.OUT")) == decadalReport) << "the reports differ";
    ++compared;
  }
  EXPECT_EQ(compared, 14);  // th001 too, read over the stretches its missing value leaves
}

TEST(LayoutEquivalence, CsvCopyGivesTheSameValuesToOneStep) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  TempDir dir;
  for (const auto& file : ringWidthFiles(*real)) {
    SCOPED_TRACE(file.filename().string());
    const input::SeriesTable table = load(file);
    if (!copiesInEveryLayout(table)) continue;
    writeFile(dir.file("copy.csv"), asCsv(table));
    const input::SeriesTable copy = load(dir.file("copy.csv"));
    ASSERT_EQ(copy.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
      EXPECT_EQ(copy[i].firstYear, table[i].firstYear);
      ASSERT_EQ(copy[i].values.size(), table[i].values.size());
      for (std::size_t k = 0; k < table[i].values.size(); ++k) {
        const float a = table[i].values[k];
        const float b = copy[i].values[k];
        EXPECT_TRUE(a == b || std::nextafter(a, b) == b)
            << trimmedId(table[i]) << " value " << k << ": " << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace veska::test
