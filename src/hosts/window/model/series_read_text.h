// What the status bar says after a data file is read: how many series it
// gave and the span of their years.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veska::window {

// "site.rwl: 33 series, 1386 to 1987", "site.rwl: 1 series, 1801 to 1900",
// "site.rwl: no series". `fileName` is shown without its folder.
std::string seriesReadText(std::string_view fileName, int series, std::int32_t firstYear, std::int32_t lastYear);

}  // namespace veska::window
