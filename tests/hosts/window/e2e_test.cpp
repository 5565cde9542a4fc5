// The whole dialogue typed into the windowed host gives the same report, and
// the same transcript, as the terminal host given the same answers.
#include <gtest/gtest.h>

#include <QProcess>

#include "hosts/window/host.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host_script.h"
#include "hosts/window/sample_data.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

// Runs veska-console in `dir` with the answers on its standard input; its
// standard output.
std::string runTerminalHost(const std::filesystem::path& dir, const QStringList& answers) {
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(dir.string()));
  process.start(QStringLiteral(VESKA_CONSOLE_EXE), {});
  EXPECT_TRUE(process.waitForStarted());
  process.write((answers.join('\n') + '\n').toUtf8());
  process.closeWriteChannel();
  EXPECT_TRUE(process.waitForFinished(30000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  return process.readAllStandardOutput().toStdString();
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(EndToEnd, WindowedRunWritesTheSameReportAsTheTerminalHost) {
  TempDir dir;
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  const QString path = QString::fromStdString(data.string());
  const QStringList answers = {path, "M", "Y", path, "m", ""};

  std::filesystem::create_directory(dir.file("terminal"));
  const std::string transcript = runTerminalHost(dir.file("terminal"), answers);
  const std::string expectedReport = readFile(dir.file("terminal") / "VESKA.OUT");
  ASSERT_FALSE(expectedReport.empty());

  // The first answer typed, or given as the file to start with (veska FILE),
  // which answers the first file prompt as if typed there.
  for (const bool namedAtStart : {false, true}) {
    SCOPED_TRACE(namedAtStart ? "veska FILE" : "typed");
    std::filesystem::remove(dir.file("VESKA.OUT"));
    FakeDialogs dialogs;
    window::Host host(dialogs);
    std::vector<QString> typed(answers.begin(), answers.end());
    if (namedAtStart) {
      host.hooks().answerFirstFilePrompt(typed.front());
      typed.erase(typed.begin());
    }
    Typist typist(host, typed);
    std::vector<std::string> shown;
    bool finalWait = false;
    typist.atFinalWait = [&] {
      finalWait = true;
      shown = windowLines(*host.consoleWindow());
      host.frame()->close();
    };
    EXPECT_EQ(host.run(), 0);
    EXPECT_TRUE(finalWait);
    EXPECT_EQ(typist.reads, static_cast<int>(typed.size()));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(readFile(dir.file("VESKA.OUT")), expectedReport);
    // The terminal host echoes each piped answer behind its prompt, so both
    // show the dialogue line for line.
    EXPECT_EQ(shown, splitLines(transcript));
  }
}

}  // namespace
}  // namespace veska::test
