// The About box: its caption, its rows and its Continue button.
#include "hosts/window/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace veska::test {
namespace {

TEST(AboutBox, ShowsTheProgramAndTheFiguresInTheirControls) {
  window::SystemFigures figures;
  figures.pageSize = 4096;
  figures.minimumAddress = 65536;
  figures.maximumAddress = 0x7fffffffefffULL;
  figures.processorType = 8664;
  figures.processors = 4;
  window::AboutBox box(window::aboutRows(figures), nullptr);
  EXPECT_EQ(box.windowTitle(), "About veska");
  QStringList texts;
  for (const QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("veska ") + VESKA_VERSION));  // the project's version
  for (const char* label : {"Page Size", "Minimum Address", "Maximum Address", "Processor Type",
                            "Number of Processors"}) {
    EXPECT_TRUE(texts.contains(label)) << label;
  }
  const std::pair<int, QString> values[] = {
      {102, "4096"}, {103, "0x00010000"}, {104, "0x7fffffffefff"}, {105, "8664"}, {106, "4"}};
  for (const auto& [id, text] : values) {
    SCOPED_TRACE(id);
    const auto* value = box.findChild<QLabel*>(QStringLiteral("control%1").arg(id));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text(), text);
  }
  const auto* button = box.findChild<QPushButton*>();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Continue");
  EXPECT_TRUE(button->isDefault());
}

TEST(AboutBox, ContinueClosesIt) {
  window::AboutBox box({}, nullptr);
  QTimer::singleShot(0, &box, [&box] { box.findChild<QPushButton*>()->click(); });
  EXPECT_EQ(box.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace veska::test
