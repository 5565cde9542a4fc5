// The figures the About box shows, gathered from this system, and
// their texts. Gathering reads the system; everything else is pure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veska::window {

struct SystemFigures {
  std::uint64_t pageSize = 0;
  std::uint64_t minimumAddress = 0;
  std::uint64_t maximumAddress = 0;
  std::uint32_t processorType = 0;
  std::uint32_t processors = 0;
};

// Page size and processors from sysconf, the minimum address from
// /proc/sys/vm/mmap_min_addr, the maximum from the process's mappings, the
// processor type from the machine name.
SystemFigures gatherSystemFigures();

// "0x" and at least eight lower-case hexadecimal digits, leading zeros kept.
std::string formatAddress(std::uint64_t address);

// 8664 for x86-64, 386 for 32-bit x86, otherwise the first number in the
// machine name (7 for "armv7l", 64 for "aarch64"), else 0.
std::uint32_t processorTypeOf(std::string_view machine);

// The end of the highest mapping in /proc/self/maps text, leaving out the
// kernel's half of the address space (the [vsyscall] page); 0 when none.
std::uint64_t highestMappingEnd(std::string_view maps);

// The last address of the user address space that holds a mapping ending
// at `mappingEnd`: the space reaches to the next power of two, less the
// guard page the kernel keeps below it.
std::uint64_t userSpaceTop(std::uint64_t mappingEnd, std::uint64_t pageSize);

// The decimal number a /proc setting holds (leading blanks skipped); 0 when
// the text holds none.
std::uint64_t parseUnsigned(std::string_view text);

struct AboutRow {
  std::string label;  // in English; the About box shows it translated
  std::string value;
};

// The About box's five rows: Page Size, Minimum Address, Maximum Address,
// Processor Type, Number of Processors.
std::vector<AboutRow> aboutRows(const SystemFigures& figures);

}  // namespace veska::window
