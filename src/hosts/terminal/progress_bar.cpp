#include "hosts/terminal/progress_bar.h"

#include <algorithm>

namespace veska::terminal {
namespace {

constexpr int kBarWidth = 30;

// 499500 as "499,500".
std::string grouped(std::size_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), 1, ',');
  return digits;
}

}  // namespace

std::string progressBarText(std::size_t written, std::size_t total, int width, std::string_view what) {
  const std::size_t done = std::min(written, total);
  const std::size_t filled = total == 0 ? 0 : done * static_cast<std::size_t>(width) / total;
  const std::size_t percent = total == 0 ? 100 : done * 100 / total;
  std::string text = "[";
  text.append(filled, '#').append(static_cast<std::size_t>(width) - filled, '.').append("] ");
  const std::string p = std::to_string(percent);
  text.append(3 - std::min<std::size_t>(3, p.size()), ' ').append(p).append("%  ");
  return text.append(grouped(done)).append(" of ").append(grouped(total)).append(" ").append(what);
}

void ProgressBar::update(std::size_t written, std::size_t total, std::string_view what) {
  if (written >= total) {
    if (!shown_.empty()) std::fprintf(out_, "\r%*s\r", static_cast<int>(shown_.size()), "");
    shown_.clear();
    std::fflush(out_);
    return;
  }
  // Drawn again only when the bar or its percentage moves: a terminal that
  // got a line per pair would slow the run it watches.
  const std::size_t step = std::max<std::size_t>(1, total / 1000);
  if (!shown_.empty() && written % step != 0) return;
  const std::string text = progressBarText(written, total, kBarWidth, what);
  if (text == shown_) return;
  std::fprintf(out_, "\r%s", text.c_str());
  std::fflush(out_);
  shown_ = text;
}

}  // namespace veska::terminal
