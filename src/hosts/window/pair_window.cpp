// Before any Qt header (see pair_chart.h).
#include "match/pair_evidence.h"

#include "hosts/window/pair_window.h"

#include <algorithm>
#include <numeric>

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QVBoxLayout>

#include "hosts/window/dialogs.h"

namespace veska::window {
namespace {

// Paints the picture; clicks are the window's to handle.
class PairCanvas : public QWidget {
 public:
  explicit PairCanvas(PairWindow& window) : QWidget(&window), window_(window) {
    setMinimumSize(520, 420);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintPairChart(painter, QRectF(rect()), window_.picture());
  }

 private:
  PairWindow& window_;
};

QString idText(const std::u32string& id) { return QString::fromStdU32String(id).trimmed(); }

}  // namespace

PairWindow::PairWindow(const match::RunSeries& first, const match::RunSeries& second, Dialogs& dialogs,
                       QWidget* parent)
    : QWidget(parent),
      first_(std::make_unique<match::RunSeries>(first)),
      second_(std::make_unique<match::RunSeries>(second)),
      evidence_(std::make_unique<match::PairEvidence>(match::PairEvidence::compute(*first_, *second_))),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("pairWindow"));
  setWindowTitle(idText(first_->id) + QStringLiteral(" - ") + idText(second_->id));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_DeleteOnClose);

  const auto& rows = evidence_->placements();
  alongAxis_.resize(rows.size());
  std::iota(alongAxis_.begin(), alongAxis_.end(), 0);
  std::stable_sort(alongAxis_.begin(), alongAxis_.end(), [&](int a, int b) {
    return rows[static_cast<std::size_t>(a)].secondEndsAt < rows[static_cast<std::size_t>(b)].secondEndsAt;
  });
  rankOnAxis_.resize(rows.size());
  for (std::size_t i = 0; i < alongAxis_.size(); ++i) rankOnAxis_[static_cast<std::size_t>(alongAxis_[i])] = static_cast<int>(i);

  auto* hint = new QLabel(tr("Click the curve, or Left / Right, to move along the placements; Home: the best."), this);
  hint->setStyleSheet(QStringLiteral("color: #555"));
  asReadBox_ = new QCheckBox(tr("Ring widths as read"), this);
  asReadBox_->setFocusPolicy(Qt::NoFocus);
  connect(asReadBox_, &QCheckBox::toggled, this, &PairWindow::showAsRead);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(8, 4, 8, 0);
  bar->addWidget(hint);
  bar->addStretch(1);
  bar->addWidget(asReadBox_);
  canvas_ = new PairCanvas(*this);
  canvas_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addLayout(bar);
  layout->addWidget(canvas_, 1);

  selected_ = evidence_->bestPlacement();
}

PairWindow::~PairWindow() = default;

PairPicture PairWindow::picture() const {
  PairPicture p;
  p.first = first_.get();
  p.second = second_.get();
  p.evidence = evidence_.get();
  p.selected = selected_;
  p.asRead = asRead_;
  return p;
}

void PairWindow::select(int placement) {
  if (placement < 0 || placement >= static_cast<int>(evidence_->placements().size())) return;
  selected_ = placement;
  canvas_->update();
}

void PairWindow::showAsRead(bool asRead) {
  asRead_ = asRead;
  if (asReadBox_->isChecked() != asRead) asReadBox_->setChecked(asRead);
  canvas_->update();
}

int PairWindow::neighbour(int k, int step) const {
  if (k < 0) return k;
  const int at = std::clamp(rankOnAxis_[static_cast<std::size_t>(k)] + step, 0, static_cast<int>(alongAxis_.size()) - 1);
  return alongAxis_[static_cast<std::size_t>(at)];
}

void PairWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: select(neighbour(selected_, -1)); return;
    case Qt::Key_Right: select(neighbour(selected_, +1)); return;
    case Qt::Key_Home: select(evidence_->bestPlacement()); return;
    default: QWidget::keyPressEvent(event);
  }
}

bool PairWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == canvas_ && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    setFocus(Qt::MouseFocusReason);
    if (mouse->button() == Qt::LeftButton) {
      const int k = placementAtPoint(QRectF(canvas_->rect()), picture(), mouse->position());
      if (k >= 0) select(k);
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool PairWindow::savePicture(const QString& path, QString* error) const {
  return savePairPicture(path, picture(), kPictureSize, error);
}

void PairWindow::copyTable() const {
  QGuiApplication::clipboard()->setText(QString::fromStdString(evidence_->placementTable()));
}

void PairWindow::saveAs() {
  const QString png = tr("PNG image (*.png)");
  const QString svg = tr("SVG drawing (*.svg)");
  const QString pdf = tr("PDF document (*.pdf)");
  QString filter = png;
  const QString suggested = QDir::current().filePath(idText(first_->id) + QLatin1Char('-') + idText(second_->id) +
                                                     QStringLiteral(".png"));
  QString path = QFileDialog::getSaveFileName(window(), tr("Save Picture As"), suggested,
                                              png + QStringLiteral(";;") + svg + QStringLiteral(";;") + pdf, &filter);
  if (path.isEmpty()) return;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
    path += filter == svg ? QStringLiteral(".svg") : filter == pdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
  QString error;
  if (!savePicture(path, &error))
    dialogs_.messageBox(window(), error, tr("Save Picture"), Dialogs::Icon::Warning);
}

void PairWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!dialogs_.setUpPrinter(window(), printer)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    dialogs_.messageBox(window(), tr("The picture could not be printed."), tr("Print"), Dialogs::Icon::Warning);
    return;
  }
  const QRect page = painter.viewport();
  painter.setViewport(QRect(page.topLeft(), kPictureSize.scaled(page.size(), Qt::KeepAspectRatio)));
  painter.setWindow(QRect(QPoint(0, 0), kPictureSize));
  paintPairChart(painter, QRectF(QPointF(0, 0), QSizeF(kPictureSize)), picture());
  painter.end();
}

}  // namespace veska::window
