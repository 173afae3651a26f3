#include "editors/background/swf_back_select_dialog.h"

#include <QPainter>
#include <QPushButton>

#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kFirstCellGif = 440;
constexpr int kSecondCellGif = 443;  // cells 1-21 play 443-463
constexpr int kCellsPerRow = 4;
constexpr QPoint kFirstCell(30, 30);
constexpr QSize kCellStep(70, 40);
constexpr QSize kButtonSize(70, 26);
constexpr int kButtonTop = 276;
constexpr int kOkLeft = 158;
constexpr int kCancelLeft = 240;
constexpr int kCorner = 25;  // the rounded corners' width and height

const QColor kShadow(120, 120, 120);
const QColor kOutline(84, 165, 213);

int CellGif(int number) { return number == 0 ? kFirstCellGif : kSecondCellGif + number - 1; }

// The rectangle whose one-pixel outline covers columns left to right - 1 and rows top
// to bottom - 1, as GDI draws a shape's outline (an outline in Qt spans the
// rectangle's size plus one).
QRect GdiRect(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left - 1, bottom - top - 1);
}

}  // namespace

CSwfBackSelectDialog::CSwfBackSelectDialog(QWidget* parent)
    : SeeThroughDialog(kRightInset, kBottomInset, parent) {
  setFixedSize(kClientSize);
  setModal(true);
  for (int n = 0; n < kCellCount; ++n) {
    const QPoint at(kFirstCell.x() + kCellStep.width() * (n % kCellsPerRow),
                    kFirstCell.y() + kCellStep.height() * (n / kCellsPerRow));
    Cell(n).Create(CellGif(n), this, at);
  }
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  SetControlId(ok_, kOkId);
  SetControlId(cancel_, kCancelId);
  ok_->setGeometry(QRect(QPoint(kOkLeft, kButtonTop), kButtonSize));
  cancel_->setGeometry(QRect(QPoint(kCancelLeft, kButtonTop), kButtonSize));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  static_cast<void>(SetDlgItemLangText(this, kOkId, lang_section::PUBLIC, 1000));
  static_cast<void>(SetDlgItemLangText(this, kCancelId, lang_section::PUBLIC, 1001));
}

std::vector<int> CSwfBackSelectDialog::SelectedBackgrounds() const {
  std::vector<int> selected;
  for (int n = 0; n < kCellCount; ++n) {
    if (cells_[static_cast<std::size_t>(n)].Selected()) selected.push_back(n);
  }
  return selected;
}

void CSwfBackSelectDialog::showEvent(QShowEvent* event) {
  for (CGifDialog& cell : cells_) cell.SetSelected(false);
  SeeThroughDialog::showEvent(event);
}

void CSwfBackSelectDialog::PaintSurface(QPainter& painter, QSize size) {
  const int w = size.width();
  const int h = size.height();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kShadow);
  painter.setBrush(kShadow);
  painter.drawRoundedRect(GdiRect(1, 1, w, h - 25), kCorner / 2.0, kCorner / 2.0);
  painter.drawPolygon(
      QPolygon({QPoint(w - 50, h - 26), QPoint(w - 25, h - 26), QPoint(w - 37, h)}));
  painter.setPen(kOutline);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(GdiRect(0, 0, w - 1, h - 26), kCorner / 2.0, kCorner / 2.0);
  painter.drawPolygon(
      QPolygon({QPoint(w - 51, h - 27), QPoint(w - 26, h - 27), QPoint(w - 38, h - 1)}));
  // The balloon and its pointer show no outline between them (the line's last point,
  // as GDI draws lines, is left out).
  painter.setPen(Qt::white);
  painter.drawLine(QPoint(w - 51, h - 27), QPoint(w - 27, h - 27));
}
