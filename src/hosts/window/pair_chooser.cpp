// Before any Qt header (see pair_chart.h).
#include "match/pair_evidence.h"

#include "hosts/window/pair_chooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace veska::window {

std::optional<std::size_t> choosePair(QWidget* owner, const match::RunRecord& run) {
  QDialog dialog(owner);
  dialog.setWindowTitle(QObject::tr("Pair"));
  const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* heading = new QLabel(QStringLiteral("  FIRST    SECOND   LAST RING  N CORR  T- \n"
                                            "  SERIES   SERIES   COMPARED  YRS     STAT"),
                             &dialog);
  heading->setFont(mono);
  auto* list = new QListWidget(&dialog);
  list->setFont(mono);
  for (const std::size_t i : run.pairsByBestT()) {
    // The report line up to its first slot: identifiers, star and the best placement.
    const std::string line = run.pairLineText(run.pairs[i]);
    auto* item = new QListWidgetItem(QString::fromStdString(line.substr(0, std::min<std::size_t>(line.size(), 43))).mid(1));
    item->setData(Qt::UserRole, static_cast<qulonglong>(i));
    list->addItem(item);
  }
  if (list->count() > 0) list->setCurrentRow(0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Open)->setEnabled(list->count() > 0);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QObject::tr("Pairs by their best t-statistic:"), &dialog));
  layout->addWidget(heading);
  layout->addWidget(list, 1);
  layout->addWidget(buttons);
  dialog.resize(480, 420);
  if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
  return static_cast<std::size_t>(list->currentItem()->data(Qt::UserRole).toULongLong());
}

}  // namespace veska::window
