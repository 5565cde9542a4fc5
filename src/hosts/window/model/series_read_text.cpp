#include "hosts/window/model/series_read_text.h"

namespace veska::window {

std::string seriesReadText(std::string_view fileName, int series, std::int32_t firstYear, std::int32_t lastYear) {
  const std::size_t slash = fileName.rfind('/');
  std::string text(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
  text += ": ";
  if (series <= 0) return text + "no series";
  text += std::to_string(series) + " series, " + std::to_string(firstYear) + " to " + std::to_string(lastYear);
  return text;
}

}  // namespace veska::window
