// The rows of the end-to-end catalogues of bad inputs: what is given to the
// built terminal program (a data file, piped answers, files prepared beside
// it, a shell prefix), and what must come of it: the console texts it shows,
// its exit status, and what the report holds afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace veska::test {

inline const std::string kClosing = "Normal Termination of Program- Hit return to Quit\n\n";
// The usual answers: the data file, ring widths, no dated file, Enter at the end.
inline const std::string kAnswers = "data.rwl\nM\nN\n\n";
inline const std::string kIncomplete = " *** Run stopped before its end: this report is incomplete ***\n";

// What the report holds once the run is over.
struct Report {
  enum Kind { Absent, Empty, Listing, Exact, CutAt } kind = Absent;
  std::vector<std::string> ids;  // Listing: the heading, then one line per series, in order
  std::string bytes;             // Exact: the whole file
  std::size_t size = 0;          // CutAt: the heading, and the file cut at this size
};
inline Report absent() { return {Report::Absent, {}, {}, 0}; }
inline Report empty() { return {Report::Empty, {}, {}, 0}; }
inline Report listing(std::vector<std::string> ids) { return {Report::Listing, std::move(ids), {}, 0}; }
inline Report exactly(std::string bytes) { return {Report::Exact, {}, std::move(bytes), 0}; }
inline Report cutAt(std::size_t size) { return {Report::CutAt, {}, {}, size}; }

// One row: what is given, and what must come of it. Rows are written as
// BadInput("what").data(...).answers(...).status(...)...
struct BadInput {
  explicit BadInput(std::string what) : what_(std::move(what)) {}
  BadInput& data(std::string bytes) { return set(data_, std::move(bytes)); }
  BadInput& noFile(bool none) { return set(noFile_, none); }
  BadInput& answers(std::string lines) { return set(answers_, std::move(lines)); }
  BadInput& status(int status) { return set(status_, status); }
  BadInput& shows(std::vector<std::string> texts) { return set(shows_, std::move(texts)); }
  BadInput& lacks(std::vector<std::string> texts) { return set(lacks_, std::move(texts)); }
  BadInput& endsWith(std::string text) { return set(endsWith_, std::move(text)); }
  BadInput& report(Report report) { return set(report_, std::move(report)); }
  BadInput& prepare(std::function<void(const TempDir&)> f) { return set(prepare_, std::move(f)); }
  BadInput& afterwards(std::function<void(const TempDir&)> f) { return set(afterwards_, std::move(f)); }
  BadInput& readsLike(std::string bytes) { return set(readsLike_, std::move(bytes)); }
  BadInput& shell(std::string prefix) { return set(shell_, std::move(prefix)); }

  std::string what_;
  std::string data_;         // the bytes of data.rwl
  bool noFile_ = false;      // no data.rwl at all
  std::string answers_ = kAnswers;
  int status_ = 0;
  std::vector<std::string> shows_;  // console texts that must appear, in this order
  std::vector<std::string> lacks_;  // texts that must appear neither on the console nor in the report
  std::string endsWith_;            // the console's last lines
  Report report_;
  std::function<void(const TempDir&)> prepare_;     // more files before the run
  std::function<void(const TempDir&)> afterwards_;  // more checks of the files after it
  std::string readsLike_;  // when set: the report must equal that of this file's run
  std::string shell_;      // before the program in its shell command (see runConsole)

 private:
  template <class T, class V>
  BadInput& set(T& field, V&& value) {
    field = std::forward<V>(value);
    return *this;
  }
};

// Runs the row in a fresh directory and checks everything it asks for.
void check(const BadInput& c);

// Ring widths between 0.50 and 3.00 mm (in hundredths), the same on every run.
std::vector<int> widths(int n, std::uint32_t seed);

}  // namespace veska::test
