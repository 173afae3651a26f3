#include "controls/color/color_palette.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include <optional>

#include "controls/color/color_picker.h"
#include "controls/color/palette_layout.h"
#include "controls/support/sys_color.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kMoreColorsId = 100;
constexpr ColorRef kBorderColor = MakeColorRef(0, 0, 0);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);

QColor Q(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

// The pixel of the screen under a global point; nothing where the platform gives no
// picture of the screen (Wayland).
std::optional<ColorRef> ReadScreenPixel(QPoint global) {
  QScreen* screen = QGuiApplication::screenAt(global);
  if (screen == nullptr) return std::nullopt;
  const QPoint onScreen = global - screen->geometry().topLeft();
  const QImage pixel = screen->grabWindow(0, onScreen.x(), onScreen.y(), 1, 1).toImage();
  if (pixel.isNull()) return std::nullopt;
  return QRgbToColorRef(pixel.pixel(0, 0));
}

// The full palette's more-colours button: three overlapping squares on white, framed
// white top-left and in the line colour bottom-right (the other way round while down).
class MoreColorsControl : public QAbstractButton {
 public:
  explicit MoreColorsControl(QWidget* parent) : QAbstractButton(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), Q(kWhite));
    const bool down = isDown();
    const QColor topLeft = Q(down ? kPaletteLineColor : kWhite);
    const QColor bottomRight = Q(down ? kWhite : kPaletteLineColor);
    painter.fillRect(0, 0, w - 1, 1, topLeft);
    painter.fillRect(0, 0, 1, h - 1, topLeft);
    painter.fillRect(w - 1, 0, 1, h, bottomRight);
    painter.fillRect(0, h - 1, w, 1, bottomRight);
    const int shift = down ? 1 : 0;
    const QColor fills[] = {Q(MakeColorRef(255, 0, 0)), Q(MakeColorRef(0, 255, 0)),
                            Q(MakeColorRef(255, 255, 0))};
    painter.setPen(Q(SysColor(COLOR_3DDKSHADOW)));
    for (int i = 0; i < 3; ++i) {
      painter.setBrush(fills[i]);
      // Five pixels a side, outline included.
      painter.drawRect(3 + 2 * i + shift, 3 + 2 * i + shift, 4, 4);
    }
  }
};

}  // namespace

CColorPalette::CColorPalette(int kind, bool withoutBlack, CColorPicker* picker)
    : QWidget(picker, Qt::Popup),
      picker_(picker),
      kind_(kind),
      withoutBlack_(withoutBlack),
      current_(SysColor(COLOR_3DFACE)),
      atOpening_(current_) {
  setWindowTitle(QStringLiteral("Palatte"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  font_ = QFont(QStringLiteral("宋体"));
  font_.setPixelSize(12);
  font_.setStyleStrategy(QFont::NoAntialias);
  moreColors_ = new MoreColorsControl(this);
  moreColors_->setGeometry(kMoreColorsRect.translated(kPaletteBorder, kPaletteBorder));
  moreColors_->setVisible(kind == kFullPalette);
  SetControlId(moreColors_, kMoreColorsId);
  connect(moreColors_, &QAbstractButton::clicked, this,
          [this] { Finish(PaletteEnd::kMoreColors); });
}

void CColorPalette::SetColors(ColorRef color) {
  current_ = color;
  atOpening_ = color;
  update();
}

void CColorPalette::SetCell(int cell) {
  cell_ = cell;
  update();
}

void CColorPalette::OnOpeningPress(QPoint global) {
  moved_ = false;
  openingPress_ = true;
  pressPoint_ = global;
  UpdateClient(kSwatchRect);
}

QPoint CColorPalette::ToClient(QPoint global) const {
  return mapFromGlobal(global) - QPoint(kPaletteBorder, kPaletteBorder);
}

bool CColorPalette::IsInside(QPoint global) const { return rect().contains(mapFromGlobal(global)); }

void CColorPalette::UpdateClient(const QRect& clientRect) {
  update(clientRect.translated(kPaletteBorder, kPaletteBorder));
}

void CColorPalette::SelectCell(int cell) {
  if (cell == cell_) return;
  UpdateClient(PaletteCellFrame(kind_, cell_));
  UpdateClient(PaletteCellFrame(kind_, cell));
  // Off the cells (a line, the space past them) nothing is previewed.
  current_ = cell >= 0 ? PaletteCellColor(kind_, cell) : atOpening_;
  cell_ = cell;
  UpdateClient(kInfoRect);
}

bool CColorPalette::TrackFull(QPoint global) {
  if (!IsInside(global)) {
    // The eyedropper: any pixel of the screen.
    if (const auto pixel = ReadScreenPixel(global)) current_ = *pixel;
    UpdateClient(kInfoRect);
    return false;
  }
  const QPoint client = ToClient(global);
  if (client.y() < kFullCellsHeight) {
    SelectCell(PaletteCellAt(kind_, withoutBlack_, client));
    return false;
  }
  // Below the cells: the swatch and the more-colours button.
  SelectCell(-1);
  current_ = atOpening_;
  UpdateClient(kInfoRect);
  return true;
}

void CColorPalette::TrackStrip(QPoint global) {
  if (IsInside(global)) SelectCell(PaletteCellAt(kind_, withoutBlack_, ToClient(global)));
}

void CColorPalette::Track(QPoint global) {
  bool arrow = false;
  if (kind_ == kFullPalette) {
    arrow = TrackFull(global);
  } else {
    TrackStrip(global);
  }
  setCursor(picker_->PaletteCursor(arrow));
}

void CColorPalette::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const QPoint global = event->globalPosition().toPoint();
  // A click outside before the pointer ever moved is a way out, not a choice.
  if (!IsInside(global) && !everMoved_) {
    Finish(PaletteEnd::kCancelled);
    return;
  }
  moved_ = false;
  openingPress_ = false;
  pressPoint_ = global;
  Track(global);
  UpdateClient(kSwatchRect);
}

void CColorPalette::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const QPoint global = event->globalPosition().toPoint();
  if (global == pressPoint_) return;
  moved_ = true;
  everMoved_ = true;
  Track(global);
}

void CColorPalette::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  const QPoint global = event->globalPosition().toPoint();
  // The release of the press that opened the pop-up chooses only after a move.
  if (moved_ || (!openingPress_ && global == pressPoint_)) Finish(PaletteEnd::kChosen);
}

void CColorPalette::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    Finish(PaletteEnd::kCancelled);
    return;
  }
  QWidget::keyPressEvent(event);
}

void CColorPalette::closeEvent(QCloseEvent* event) {
  // Closed from outside (the application lost the focus): after a move the previewed
  // colour is chosen.
  Finish(moved_ ? PaletteEnd::kChosen : PaletteEnd::kCancelled);
  QWidget::closeEvent(event);
}

void CColorPalette::Finish(PaletteEnd end) {
  if (finished_) return;
  finished_ = true;
  hide();
  picker_->OnPaletteClosed(end, current_, cell_);
  deleteLater();
}

void CColorPalette::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Q(kBorderColor));
  painter.translate(kPaletteBorder, kPaletteBorder);
  const QRect client(0, 0, width() - 2 * kPaletteBorder, height() - 2 * kPaletteBorder);
  painter.setClipRect(client);
  painter.fillRect(client, Q(kWhite));
  if (kind_ == kFullPalette) {
    PaintFull(painter);
  } else if (IsPaletteKind(kind_)) {
    PaintStrip(painter);
  }
}

void CColorPalette::PaintFull(QPainter& painter) const {
  const QColor line = Q(kPaletteLineColor);
  for (int x = kFullCellPitch - 1; x < kFullColumns * kFullCellPitch - 1; x += kFullCellPitch) {
    painter.fillRect(x, 0, 1, kFullCellsHeight, line);
  }
  for (int y = kFullCellPitch - 1; y < kFullCellsHeight; y += kFullCellPitch) {
    painter.fillRect(0, y, kFullPaletteSize.width() - 1, 1, line);
  }
  const int cells = PaletteCellCount(kFullPalette, false);
  for (int cell = 0; cell < cells; ++cell) {
    const QRect frame = PaletteCellFrame(kFullPalette, cell);
    painter.fillRect(frame.x(), frame.y(), kFullCellPitch - 1, kFullCellPitch - 1,
                     Q(PaletteCellColor(kFullPalette, cell)));
  }
  PaintFocus(painter);
  // The information area: the swatch in its frame and the colour's text.
  painter.fillRect(kSwatchRect.adjusted(-1, -1, 1, 1), line);
  painter.fillRect(kSwatchRect, Q(current_));
  painter.setFont(font_);
  painter.setPen(Qt::black);
  painter.drawText(QRect(kSwatchTextOrigin, kInfoRect.bottomRight()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FormatColor(current_));
}

void CColorPalette::PaintStrip(QPainter& painter) const {
  const int cells = PaletteCellCount(kind_, withoutBlack_);
  for (int cell = 0; cell < cells; ++cell) {
    const int x = cell * kStripCellPitch;
    painter.fillRect(x, 0, kStripCellSide, kStripCellSide, Q(PaletteCellColor(kind_, cell)));
    painter.fillRect(x + kStripCellSide, 0, 1, kStripHeight - 1, Q(kPaletteLineColor));
  }
  PaintFocus(painter);
}

void CColorPalette::PaintFocus(QPainter& painter) const {
  const QRect frame = PaletteCellFrame(kind_, cell_);
  if (frame.isEmpty()) return;
  QPen pen(Q(kPaletteFocusColor), 0, Qt::DotLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // drawRect covers one pixel more than the rectangle's size.
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
}
