// Exit codes of the whole windowed process, seen from outside: the host
// driven by a scripted user in a process of its own.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "hosts/window/sample_data.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

struct Outcome {
  int exitCode;
  std::string output;
};

Outcome runDriver(const std::filesystem::path& dir, const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(QString::fromStdString(dir.string()));
  process.start(QStringLiteral(VESKA_HOST_DRIVER_EXE), arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  return {process.exitCode(), process.readAllStandardOutput().toStdString()};
}

TEST(HostProcess, ExitWhileTheFirstQuestionWaitsEndsWithCodeZero) {
  TempDir dir;
  const Outcome outcome = runDriver(dir.path(), {"exit-during-read"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.output, "");
  EXPECT_FALSE(std::filesystem::exists(dir.file("VESKA.OUT")));
}

TEST(HostProcess, ExitAfterTheReportWasOpenedEndsWithCodeZeroAndClosesIt) {
  TempDir dir;
  const QString data = QString::fromStdString(writeSampleRingWidths(dir.file("site.rwl")).string());
  const Outcome outcome = runDriver(dir.path(), {"exit-during-read", data, "M"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_NE(readFile(dir.file("VESKA.OUT")).find("UNDATED TREE-RING SERIES:"), std::string::npos);
}

TEST(HostProcess, ClosingTheInputOutputWindowDuringAReadEndsWithTheErrorBox) {
  TempDir dir;
  const Outcome outcome = runDriver(dir.path(), {"close-window-during-read"});
  EXPECT_EQ(outcome.exitCode, 255);  // the quit code -1
  EXPECT_EQ(outcome.output, "Window Handler Error: Not a valid window, program exited.\n");
}

TEST(HostProcess, ClosingTheFrameAfterANormalRunEndsWithCodeZero) {
  TempDir dir;
  const QString data = QString::fromStdString(writeSampleRingWidths(dir.file("site.rwl")).string());
  const Outcome outcome = runDriver(dir.path(), {"answer", data, "M", "N", ""});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.file("VESKA.OUT")));
}

}  // namespace
}  // namespace veska::test
