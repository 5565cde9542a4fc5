#include "hosts/window/library_choice_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "library/measured_variable.h"

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
  // Sites come as families of files, one per variable of the same trees; a
  // reference must measure what the undated series measure.
  variable_ = new QComboBox(this);
  for (const library::MeasuredVariable v : library::kChoosableVariables) {
    const QString name = QString::fromUtf8(library::variableName(v).data(),
                                           static_cast<qsizetype>(library::variableName(v).size()));
    const QString keyword = QString::fromUtf8(library::variableKeyword(v).data(),
                                              static_cast<qsizetype>(library::variableKeyword(v).size()));
    variable_->addItem(name.left(1).toUpper() + name.mid(1), keyword);
  }
  const int chosen = variable_->findData(start.variable);
  variable_->setCurrentIndex(chosen < 0 ? 0 : chosen);
  variable_->setToolTip(tr("Only reference files of this measured variable are used; a file whose header names "
                           "none is ring width"));
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
  form->addRow(tr("Variable:"), variable_);
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
  return {folder_->text().trimmed(), undated_->text().trimmed(), species_->text().trimmed(),
          variable_->currentData().toString()};
}

void LibraryChoiceDialog::update() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(!folder_->text().trimmed().isEmpty() &&
                                                     !undated_->text().trimmed().isEmpty());
}

}  // namespace veska::window
