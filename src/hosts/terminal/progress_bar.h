// A bar on standard error while a command-line run's match phase goes, for a
// person at a terminal: the run of 1000 series takes minutes. It is drawn on
// one line, redrawn only when what it shows changes, and wiped when the
// phase ends, so the terminal is left as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace veska::terminal {

// "[#########...........]  45%  224,775 of 499,500 pairs", the bar `width`
// characters between its brackets; `what` names what is counted.
std::string progressBarText(std::size_t written, std::size_t total, int width, std::string_view what = "pairs");

class ProgressBar {
 public:
  explicit ProgressBar(std::FILE* out) : out_(out) {}
  // After each pair written (or each of `what`); the last one wipes the bar.
  void update(std::size_t written, std::size_t total, std::string_view what = "pairs");

 private:
  std::FILE* out_;
  std::string shown_;
};

}  // namespace veska::terminal
