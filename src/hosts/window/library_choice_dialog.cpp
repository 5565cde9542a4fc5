#include "hosts/window/library_choice_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veska::window {
namespace {

// A name field with its Browse button, which fills it from `browse`.
QWidget* withBrowse(QLineEdit* field, QWidget* parent, const std::function<QString()>& browse) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field, 1);
  auto* button = new QPushButton(LibraryChoiceDialog::tr("Browse..."), row);
  layout->addWidget(button);
  QObject::connect(button, &QPushButton::clicked, field, [field, browse] {
    const QString chosen = browse();
    if (!chosen.isEmpty()) field->setText(chosen);
  });
  return row;
}

}  // namespace

LibraryChoiceDialog::LibraryChoiceDialog(const LibraryChoice& start, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Date Against Library"));
  folder_ = new QLineEdit(start.folder, this);
  undated_ = new QLineEdit(start.undated, this);
  species_ = new QLineEdit(start.species, this);
  species_->setPlaceholderText(tr("every species"));
  species_->setToolTip(tr("Species codes (QUSP) or genera by their codes' first two letters (QU for every oak), "
                          "separated by commas"));
  auto* form = new QFormLayout(this);
  form->addRow(tr("Library folder:"), withBrowse(folder_, this, [this] {
                 return QFileDialog::getExistingDirectory(this, tr("Library Folder"), folder_->text());
               }));
  form->addRow(tr("Undated series:"), withBrowse(undated_, this, [this] {
                 return QFileDialog::getOpenFileName(this, tr("Undated Series"), QFileInfo(undated_->text()).path(),
                                                     tr("Tree-ring files (*.rwl *.crn *.raw *.fh *.csv *.txt *.dat *.xml *.d *.cat *.CAT);;"
                                                        "All Files (*)"));
               }));
  form->addRow(tr("Species:"), species_);
  form->addRow(new QLabel(tr("Every plain file of the folder is a reference: a chronology as it is, a file of "
                             "ring widths as its site's mean."),
                          this));
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(folder_, &QLineEdit::textChanged, this, &LibraryChoiceDialog::update);
  connect(undated_, &QLineEdit::textChanged, this, &LibraryChoiceDialog::update);
  update();
}

LibraryChoice LibraryChoiceDialog::choice() const {
  return {folder_->text().trimmed(), undated_->text().trimmed(), species_->text().trimmed()};
}

void LibraryChoiceDialog::update() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(!folder_->text().trimmed().isEmpty() &&
                                                     !undated_->text().trimmed().isEmpty());
}

}  // namespace veska::window
