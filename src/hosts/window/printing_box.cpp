#include "hosts/window/printing_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veska::window {

PrintingBox::PrintingBox(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("dialog%1").arg(kDialogId));
  setWindowTitle(QStringLiteral("VIRN"));
  // Modal to the frame: while the job runs, no key, click or menu command
  // can reach the window being printed, or close it; only this box takes
  // input.
  setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Printing..."), this), 0, Qt::AlignHCenter);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setDefault(true);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  connect(cancel, &QPushButton::clicked, this, [this] { continues_ = false; });
  connect(this, &QDialog::rejected, this, [this] { continues_ = false; });
}

}  // namespace veska::window
