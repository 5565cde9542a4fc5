// The About box's figures and how they are written.
#include "hosts/window/model/system_figures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace veska::test {
namespace {

TEST(SystemFigures, AddressesShowEightLowerCaseHexDigitsAtLeast) {
  EXPECT_EQ(window::formatAddress(65536), "0x00010000");
  EXPECT_EQ(window::formatAddress(0), "0x00000000");
  EXPECT_EQ(window::formatAddress(0xfffeffff), "0xfffeffff");
  EXPECT_EQ(window::formatAddress(0x7fffffffefffULL), "0x7fffffffefff");
}

TEST(SystemFigures, ProcessorTypeFromTheMachineName) {
  struct Row {
    const char* machine;
    std::uint32_t type;
  };
  const Row rows[] = {{"x86_64", 8664}, {"i386", 386}, {"i686", 386}, {"aarch64", 64},
                      {"armv7l", 7},    {"s390x", 390}, {"mips", 0},  {"", 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.machine);
    EXPECT_EQ(window::processorTypeOf(row.machine), row.type);
  }
}

TEST(SystemFigures, TopOfTheUserSpaceFromTheMappings) {
  const char* maps =
      "55d0c4a00000-55d0c4a21000 r--p 00000000 fe:00 1234   /usr/bin/veska\n"
      "7fff21b46000-7fff21b67000 rw-p 00000000 00:00 0      [stack]\n"
      "7fff21bf0000-7fff21bf2000 r-xp 00000000 00:00 0      [vdso]\n"
      "ffffffffff600000-ffffffffff601000 --xp 00000000 00:00 0  [vsyscall]\n";
  EXPECT_EQ(window::highestMappingEnd(maps), 0x7fff21bf2000ULL);  // the kernel's page left out
  EXPECT_EQ(window::highestMappingEnd(""), 0u);
  // x86-64: 47 bits of user space, less the guard page below its top.
  EXPECT_EQ(window::userSpaceTop(0x7fff21bf2000ULL, 4096), 0x7fffffffefffULL);
  // A 32-bit process's stack just below 4 GiB.
  EXPECT_EQ(window::userSpaceTop(0xffffd000ULL, 4096), 0xffffefffULL);
  EXPECT_EQ(window::userSpaceTop(0, 4096), 0u);
}

TEST(SystemFigures, RowsCarryTheLabelsAndTheirTexts) {
  window::SystemFigures figures;
  figures.pageSize = 4096;
  figures.minimumAddress = 65536;
  figures.maximumAddress = 0x7fffffffefffULL;
  figures.processorType = 8664;
  figures.processors = 2;
  const std::vector<window::AboutRow> rows = window::aboutRows(figures);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Page Size", "4096"},
      {"Minimum Address", "0x00010000"},
      {"Maximum Address", "0x7fffffffefff"},
      {"Processor Type", "8664"},
      {"Number of Processors", "2"}};
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].label, expected[i].first);
    EXPECT_EQ(rows[i].value, expected[i].second);
  }
}

TEST(SystemFigures, GatheredFromThisSystem) {
  const window::SystemFigures figures = window::gatherSystemFigures();
  EXPECT_EQ(figures.pageSize, static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)));
  EXPECT_EQ(figures.processors, static_cast<std::uint32_t>(::sysconf(_SC_NPROCESSORS_ONLN)));
  std::ifstream setting("/proc/sys/vm/mmap_min_addr");
  std::uint64_t minimum = 0;
  if (setting >> minimum && minimum > 0) {
    EXPECT_EQ(figures.minimumAddress, minimum);
  }
  // Everything this process maps lies between the two addresses.
  const int local = 0;
  const auto here = reinterpret_cast<std::uintptr_t>(&local);
  EXPECT_LT(figures.minimumAddress, here);
  EXPECT_GT(figures.maximumAddress, here);
#if defined(__x86_64__)
  EXPECT_EQ(figures.processorType, 8664u);
#endif
}

}  // namespace
}  // namespace veska::test
