#include "hosts/window/about_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veska::window {

AboutBox::AboutBox(const std::vector<AboutRow>& rows, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("dialog%1").arg(kDialogId));
  setWindowTitle(tr("About veska"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("veska %1").arg(QStringLiteral(VESKA_VERSION)), this), 0, Qt::AlignHCenter);
  auto* grid = new QGridLayout;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const AboutRow& row = rows[static_cast<std::size_t>(i)];
    grid->addWidget(new QLabel(tr(row.label.c_str()), this), i, 0);
    auto* value = new QLabel(QString::fromStdString(row.value), this);
    value->setObjectName(QStringLiteral("control%1").arg(kFirstValueId + i));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(value, i, 1);
  }
  layout->addLayout(grid);
  auto* button = new QPushButton(tr("Continue"), this);
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(button, 0, Qt::AlignHCenter);
}

}  // namespace veska::window
