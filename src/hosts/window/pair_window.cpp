#include "hosts/window/pair_window.h"

#include <algorithm>
#include <cstdlib>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "hosts/window/dialogs.h"
#include "hosts/window/model/placement_saving.h"
#include "hosts/window/pair_chart.h"
#include "hosts/window/picture_file.h"
#include "hosts/window/save_checks.h"

namespace veska::window {
namespace {

Point pointOf(const QPointF& p) { return {p.x(), p.y()}; }

// The years the question for a first series' last ring accepts; a layout
// that cannot write a year refuses it when the file is saved.
constexpr std::int64_t kYearBound = 99999;

// The layouts a series can be saved in, chosen by the file name's extension.
QStringList seriesFileTypes() {
  return {PairWindow::tr("Decadal ring widths (*.rwl *.raw)"), PairWindow::tr("Heidelberg (*.fh)"),
          PairWindow::tr("CSV table (*.csv)")};
}

// A save dialog's check for a series file: the run's own files (its report,
// its data files), a name of no layout and a link are refused before the
// dialog could offer to replace one.
Dialogs::SaveCheck runFilesRefused(const std::vector<std::string>& dataFiles) {
  return [&dataFiles](const QString& name) -> std::optional<QString> {
    if (const auto why = placementSaveRefusal(fileNameBytes(name), dataFiles)) return QString::fromStdString(*why);
    return std::nullopt;
  };
}

// Paints the model's picture and hands the mouse to the model: the wheel
// zooms, a drag pans, a click on the curve selects.
class PairCanvas : public QWidget {
 public:
  PairCanvas(PairWindowModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setMinimumSize(640, 420);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintPairChart(painter, QRectF(rect()), model_);
  }
  void resizeEvent(QResizeEvent*) override { model_.resize(width(), height()); }
  void mousePressEvent(QMouseEvent* event) override {
    parentWidget()->setFocus(Qt::MouseFocusReason);  // the keys are the window's
    if (event->button() == Qt::LeftButton) model_.press(pointOf(event->position()));
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton)) return;
    model_.drag(pointOf(event->position()));
    update();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    model_.release(pointOf(event->position()));
    update();
  }
  void wheelEvent(QWheelEvent* event) override {
    model_.wheel(pointOf(event->position()), event->angleDelta().y() / 120.0);
    update();
  }

 private:
  PairWindowModel& model_;
};

}  // namespace

PairWindow::PairWindow(const match::RunSeries& first, const match::RunSeries& second, bool firstDated,
                       std::vector<std::string> dataFiles, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), model_(first, second, firstDated), dataFiles_(std::move(dataFiles)), dialogs_(dialogs) {
  setObjectName(QStringLiteral("pairWindow"));
  setWindowTitle(QString::fromStdString(model_.firstId() + " - " + model_.secondId()));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_DeleteOnClose);

  auto* hint = new QLabel(tr("Click the curve, or Left / Right, to move along the placements; wheel: zoom; "
                             "drag: pan; Home: the best, whole."),
                          this);
  hint->setStyleSheet(QStringLiteral("color: #555"));
  asReadBox_ = new QCheckBox(tr("Ring widths as read"), this);
  asReadBox_->setFocusPolicy(Qt::NoFocus);
  connect(asReadBox_, &QCheckBox::toggled, this, &PairWindow::showAsRead);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(8, 4, 8, 0);
  bar->addWidget(hint);
  bar->addStretch(1);
  bar->addWidget(asReadBox_);
  canvas_ = new PairCanvas(model_, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addLayout(bar);
  layout->addWidget(canvas_, 1);
}

PairWindow::~PairWindow() = default;

void PairWindow::refresh() { canvas_->update(); }

void PairWindow::select(int placement) {
  model_.select(placement);
  refresh();
}

void PairWindow::showAsRead(bool asRead) {
  model_.showAsRead(asRead);
  if (asReadBox_->isChecked() != asRead) asReadBox_->setChecked(asRead);
  refresh();
}

void PairWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: model_.step(-1); break;
    case Qt::Key_Right: model_.step(+1); break;
    case Qt::Key_Home: model_.home(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  refresh();
}

std::optional<QString> PairWindow::savePicture(const QString& path) const {
  return savePairPicture(path, model_, kPictureSize);
}

void PairWindow::copyTable() { QGuiApplication::clipboard()->setText(QString::fromStdString(model_.copyText())); }

void PairWindow::saveAs() {
  const QString suggested =
      QDir::current().filePath(QString::fromStdString(model_.firstId() + "-" + model_.secondId() + ".png"));
  const auto path = dialogs_.saveFileOfType(window(), tr("Save Picture As"), suggested, pictureTypes(), unwritableFile);
  if (!path) return;
  if (const auto why = savePicture(*path)) dialogs_.messageBox(window(), *why, tr("Save Picture"), Dialogs::Icon::Warning);
}

void PairWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!dialogs_.setUpPrinter(window(), printer)) return;
  const auto paint = [this](QPainter& p, const QRectF& area) { paintPairChart(p, area, model_); };
  if (!paintPictureOn(printer, kPictureSize, paint))
    dialogs_.messageBox(window(), tr("The picture could not be printed."), tr("Print"), Dialogs::Icon::Warning);
}

void PairWindow::saveSeriesAtPlacement() {
  const QString caption = tr("Save Series at This Placement");
  const auto selected = model_.selected();
  if (!selected) {
    dialogs_.messageBox(window(), tr("This pair has no placement to date its series by."), caption,
                        Dialogs::Icon::Information);
    return;
  }
  std::optional<std::int64_t> firstLastYear;
  if (!askFirstLastYear(caption, firstLastYear)) return;
  const QString suggested = QDir::current().filePath(QString::fromStdString(model_.secondId() + ".rwl"));
  const auto path = dialogs_.saveFileOfType(window(), caption, suggested, seriesFileTypes(), runFilesRefused(dataFiles_));
  if (!path) return;
  const match::PlacementRow& at = model_.placements()[static_cast<std::size_t>(*selected)];
  const input::SaveResult saved = window::saveSeriesAtPlacement(model_.first(), model_.second(), at, firstLastYear,
                                                                fileNameBytes(*path), dataFiles_);
  if (!saved.ok) dialogs_.messageBox(window(), QString::fromStdString(saved.message), caption, Dialogs::Icon::Warning);
}

bool PairWindow::askFirstLastYear(const QString& caption, std::optional<std::int64_t>& year) {
  if (model_.firstDated()) return true;
  // Both series float: the user's year for the first one's last ring dates
  // the pair, its own last ring number the starting guess.
  const match::RunSeries& first = model_.first();
  const auto lastRing =
      static_cast<std::int64_t>(first.firstYear) + static_cast<std::int64_t>(first.asRead.size()) - 1;
  const auto asked = dialogs_.askNumber(
      window(), caption, tr("Year of the last ring of %1:").arg(QString::fromStdString(model_.firstId())),
      static_cast<int>(std::clamp<std::int64_t>(lastRing, -kYearBound, kYearBound)), -kYearBound, kYearBound);
  if (!asked) return false;
  year = *asked;
  return true;
}

void PairWindow::saveCorrectedSeries() {
  const QString caption = tr("Save Corrected Series");
  const match::BreakCheck& check = model_.check().check;
  const QString second = QString::fromStdString(model_.secondId());
  if (check.answer != match::CheckAnswer::Break) {
    dialogs_.messageBox(window(), tr("The break check found no break in %1 to correct.").arg(second), caption,
                        Dialogs::Icon::Information);
    return;
  }
  const int count = std::abs(check.shift);
  const QString change =
      check.shift > 0
          ? (count == 1 ? tr("insert a ring of width 0 just before ring %1")
                        : tr("insert %1 rings of width 0 just before ring %2").arg(count))
                .arg(check.breakRing)
          : tr("merge ring %1 into the ring before it").arg(check.breakRing) +
                (count > 1 ? tr(", and ring %1 too").arg(check.breakRing + 1) : QString());
  const QString text = tr("The correction will %1 of %2 and save the corrected series as a new file; the "
                          "data file is not changed. Save it?")
                           .arg(change, second);
  if (dialogs_.question(window(), text, caption) != Dialogs::Answer::Yes) return;
  std::optional<std::int64_t> firstLastYear;
  if (!askFirstLastYear(caption, firstLastYear)) return;
  const QString suggested = QDir::current().filePath(QString::fromStdString(model_.secondId() + "-corrected.rwl"));
  const auto path = dialogs_.saveFileOfType(window(), caption, suggested, seriesFileTypes(), runFilesRefused(dataFiles_));
  if (!path) return;
  const input::SaveResult saved = window::saveCorrectedSeries(model_.first(), model_.second(), check, firstLastYear,
                                                              fileNameBytes(*path), dataFiles_);
  if (!saved.ok) dialogs_.messageBox(window(), QString::fromStdString(saved.message), caption, Dialogs::Icon::Warning);
}

}  // namespace veska::window
