#include "hosts/window/model/print_layout.h"

#include <algorithm>

namespace veska::window {

int linesPerPage(int pageHeight, int lineHeight) {
  if (lineHeight <= 0) return 1;
  return std::max(1, pageHeight / lineHeight);
}

int pageCount(int lineCount, int linesPerPage) {
  if (lineCount <= 0) return 0;
  const int perPage = std::max(1, linesPerPage);
  return (lineCount + perPage - 1) / perPage;
}

LineRange linesToPrint(int linesPerPage, int lineCount, std::optional<PageRange> pages) {
  if (!pages) return {1, lineCount};
  // In 64 bits: page 32,767 of a tall page overflows an int.
  const long long perPage = std::max(1, linesPerPage);
  const long long first = perPage * (pages->from - 1) + 1;
  const long long last = std::min<long long>(perPage * pages->to, lineCount);
  if (first > last) return {1, 0};
  return {static_cast<int>(first), static_cast<int>(last)};
}

PrintResult printLines(PageSink& sink, LineRange lines, int perPage, int copies,
                       const std::function<bool()>& keepGoing) {
  perPage = std::max(1, perPage);
  for (int copy = 0; copy < copies; ++copy) {
    if (copy > 0 && !sink.newPage()) return PrintResult::Stopped;
    int row = 0;
    for (int line = lines.first; line <= lines.last; ++line) {
      if (row == perPage) {
        if (!sink.newPage()) return PrintResult::Stopped;
        row = 0;
      }
      sink.drawLine(row++, line);
      if (!keepGoing()) return PrintResult::Stopped;
    }
  }
  return PrintResult::Finished;
}

}  // namespace veska::window
