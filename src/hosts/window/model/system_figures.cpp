#include "hosts/window/model/system_figures.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <bit>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace veska::window {
namespace {

constexpr std::uint64_t kKernelHalf = std::uint64_t{1} << 63;

std::string readWholeFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint64_t sysconfValue(int name) {
  const long value = ::sysconf(name);
  return value > 0 ? static_cast<std::uint64_t>(value) : 0;
}

std::string machineName() {
  struct utsname names {};
  return ::uname(&names) == 0 ? std::string(names.machine) : std::string();
}

}  // namespace

std::string formatAddress(std::uint64_t address) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%08llx", static_cast<unsigned long long>(address));
  return text;
}

std::uint32_t processorTypeOf(std::string_view machine) {
  if (machine == "x86_64" || machine == "amd64") return 8664;
  if (machine.size() == 4 && machine[0] == 'i' && machine.substr(2) == "86" && machine[1] >= '3' &&
      machine[1] <= '6') {
    return 386;
  }
  const std::size_t digit = machine.find_first_of("0123456789");
  if (digit == std::string_view::npos) return 0;
  std::uint32_t number = 0;
  for (std::size_t i = digit; i < machine.size() && std::isdigit(static_cast<unsigned char>(machine[i])); ++i) {
    if (number > 100000000) break;  // no machine name carries a longer number
    number = number * 10 + static_cast<std::uint32_t>(machine[i] - '0');
  }
  return number;
}

std::uint64_t parseUnsigned(std::string_view text) {
  std::uint64_t value = 0;
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  return value;
}

std::uint64_t highestMappingEnd(std::string_view maps) {
  std::uint64_t highest = 0;
  std::istringstream lines{std::string(maps)};
  for (std::string line; std::getline(lines, line);) {
    unsigned long long start = 0;
    unsigned long long end = 0;
    if (std::sscanf(line.c_str(), "%llx-%llx", &start, &end) != 2) continue;
    if (start >= kKernelHalf) continue;
    if (end > highest) highest = end;
  }
  return highest;
}

std::uint64_t userSpaceTop(std::uint64_t mappingEnd, std::uint64_t pageSize) {
  if (mappingEnd == 0 || mappingEnd > kKernelHalf) return 0;
  const std::uint64_t limit = std::bit_ceil(mappingEnd);
  return limit > pageSize ? limit - pageSize - 1 : limit - 1;
}

SystemFigures gatherSystemFigures() {
  SystemFigures figures;
  figures.pageSize = sysconfValue(_SC_PAGESIZE);
  figures.minimumAddress = parseUnsigned(readWholeFile("/proc/sys/vm/mmap_min_addr"));
  // Without the setting, nothing below the first page can be mapped.
  if (figures.minimumAddress == 0) figures.minimumAddress = figures.pageSize;
  std::uint64_t end = highestMappingEnd(readWholeFile("/proc/self/maps"));
  if (end == 0) {
    const int onTheStack = 0;  // the stack lies at the top of the user space
    end = reinterpret_cast<std::uintptr_t>(&onTheStack);
  }
  figures.maximumAddress = userSpaceTop(end, figures.pageSize);
  figures.processorType = processorTypeOf(machineName());
  figures.processors = static_cast<std::uint32_t>(sysconfValue(_SC_NPROCESSORS_ONLN));
  return figures;
}

std::vector<AboutRow> aboutRows(const SystemFigures& figures) {
  return {
      {"Page Size", std::to_string(figures.pageSize)},
      {"Minimum Address", formatAddress(figures.minimumAddress)},
      {"Maximum Address", formatAddress(figures.maximumAddress)},
      {"Processor Type", std::to_string(figures.processorType)},
      {"Number of Processors", std::to_string(figures.processors)},
  };
}

}  // namespace veska::window
