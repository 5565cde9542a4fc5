// The whole terminal dialogue, in-process, over arbitrary answers and data
// files. Input: the answer lines, a NUL byte, the undated file's bytes, a NUL
// byte, the dated file's bytes. The files are "u" and "d" in a directory of
// their own; the report VESKA.OUT is written there too.
//
// Every run must end through the end of run with one of the four exit
// statuses, write only valid UTF-8, and keep the report it opened.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/console.h"
#include "runtime/line_reader.h"
#include "runtime/runtime.h"
#include "dialogue/data_file.h"
#include "dialogue/run_driver.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

// Answer lines come from the fuzz input the way the terminal host reads them.
// A typed name could reach any file of the machine (/dev/zero would be an
// endless line, /dev/tty would wait for a person): slashes are kept only in
// the bail-out, so every name stays inside the run's own directory.
class FuzzConsole : public runtime::Console {
 public:
  explicit FuzzConsole(std::string_view answers) : file_(openBytes(answers)), lines_(file_) {}
  ~FuzzConsole() override { std::fclose(file_); }

  bool write(std::string_view bytes) override {
    output += bytes;
    return true;
  }
  std::optional<std::string> readLine(std::size_t capacity) override {
    // The prompt is what was written since the last line end: a data line
    // echoed as a title cannot pass for one.
    const auto lineEnd = output.rfind("\r\n");
    prompts.push_back(output.substr(lineEnd == std::string::npos ? 0 : lineEnd + 2));
    std::string line;
    if (!lines_.next(line)) return std::nullopt;
    if (line.size() > capacity) line.resize(capacity);
    if (!dialogue::isBailOut(records::decodeLine(line)))
      for (char& c : line)
        if (c == '/') c = '_';
    return line;
  }
  void yield() override {}
  void terminate(int status) override { terminated = status; }

  bool asked(std::string_view prompt) const {
    for (const std::string& p : prompts)
      if (p.starts_with(prompt)) return true;
    return false;
  }

  std::string output;
  std::vector<std::string> prompts;  // every prompt a read was waiting behind
  int terminated = -1;

 private:
  std::FILE* file_;
  runtime::LineReader lines_;
};

// Made once, removed at exit; kept on the heap so that it outlives the
// static destructors that run before the exit handler.
const std::filesystem::path& runDirectory() {
  static const std::filesystem::path* const dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "veska-fuzz-XXXXXX").string();
    check(::mkdtemp(pattern.data()) != nullptr, "cannot make the run directory");
    std::atexit([] { std::filesystem::remove_all(runDirectory()); });
    return new std::filesystem::path(pattern);
  }();
  return *dir;
}

void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The working directory is the run's directory for the run only, so that
// libFuzzer's own paths (corpus, artifacts) keep their meaning.
class InRunDirectory {
 public:
  InRunDirectory() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(runDirectory());
  }
  ~InRunDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

const char* const kCodePrompt = " Ring widths (M) or Indices (I)";

void checkRun(const FuzzConsole& console, int status) {
  check(status >= runtime::kExitNormal && status <= runtime::kExitDataLimit, "an unknown exit status");
  check(console.terminated == status, "the run ended without the terminate hook");
  check(isValidUtf8(console.output), "console output is not valid UTF-8");
  // The report is opened before the first kind question: from then on it
  // must exist, whatever ended the run.
  if (!console.asked(kCodePrompt)) return;
  const auto report = runDirectory() / "VESKA.OUT";
  check(std::filesystem::exists(report), "the report file is missing");
  const std::string text = readBytes(report);
  check(isValidUtf8(text), "the report is not valid UTF-8");
  if (console.asked(" Read in DATED tree-ring series? Y/N"))
    check(text.starts_with("\n  UNDATED TREE-RING SERIES:\n"), "the report lost its first lines");
  // At the closing pause the report is complete, match section and all. (A
  // data line echoed as a title starts with a blank, so cannot pass for it.)
  if (console.output.find("\r\nNormal Termination of Program- Hit return to Quit\r\n") != std::string::npos) {
    check(status == runtime::kExitNormal || status == runtime::kExitEndOfInput, "a finished run with a failure status");
    check(text.find("BEST THREE MATCHING POSITIONS FOR FLOATING SERIES") != std::string::npos,
          "a finished run's report without its match section");
  }
}

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska;
  std::string_view rest = fuzz::bytesOf(data, size);
  const std::string_view answers = fuzz::takeUntil(rest, '\0');
  const std::string_view undated = fuzz::takeUntil(rest, '\0');
  const std::string_view dated = rest;

  const auto dir = fuzz::runDirectory();
  std::filesystem::remove(dir / "VESKA.OUT");
  fuzz::writeBytes(dir / "u", undated);
  fuzz::writeBytes(dir / "d", dated);

  fuzz::FuzzConsole console(answers);
  runtime::Runtime runtime(console);
  int status = -1;
  {
    fuzz::InRunDirectory here;
    try {
      dialogue::runCrossdating(runtime);
    } catch (const runtime::RunEnded& ended) {
      status = ended.status;
    }
  }
  fuzz::checkRun(console, status);
  return 0;
}
