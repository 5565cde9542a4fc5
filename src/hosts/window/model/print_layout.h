// How a text window's lines fall onto printed pages: lines per page, the
// lines a chosen page range covers, and the order of pages and lines a job
// sends to the printer. No drawing here: the printer side is a PageSink.
#pragma once

#include <functional>
#include <optional>

namespace veska::window {

// Pages chosen in the print dialog, from 1, inclusive.
struct PageRange {
  int from;
  int to;
};

// Lines from 1, inclusive; nothing when first > last.
struct LineRange {
  int first;
  int last;
  bool empty() const { return first > last; }
};

// Whole lines that fit a page of `pageHeight` (same units as the line
// height); at least one, so a page always moves the job on.
int linesPerPage(int pageHeight, int lineHeight);

int pageCount(int lineCount, int linesPerPage);

// The window's lines a job prints: all of them without a page range,
// otherwise those of pages `from` to `to`.
LineRange linesToPrint(int linesPerPage, int lineCount, std::optional<PageRange> pages);

// What a job draws on.
class PageSink {
 public:
  virtual ~PageSink() = default;
  // Ends the current page and starts the next; false when the printer fails.
  virtual bool newPage() = 0;
  // Draws window line `line` (from 1) in row `row` (from 0) of the page.
  virtual void drawLine(int row, int line) = 0;
};

enum class PrintResult { Finished, Stopped };

// Sends `copies` copies of `lines` to `sink`, each copy starting on a page
// of its own, `perPage` lines to a page. The job starts on its first page;
// a page is begun only for a line that needs it, so no blank page follows
// the last line. `keepGoing` is asked after every line (false stops the
// job), as is a failed page change.
PrintResult printLines(PageSink& sink, LineRange lines, int perPage, int copies,
                       const std::function<bool()>& keepGoing);

}  // namespace veska::window
