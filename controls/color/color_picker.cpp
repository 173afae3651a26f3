#include "controls/color/color_picker.h"

#include <QBitmap>
#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <initializer_list>

#include "controls/color/palette_layout.h"
#include "controls/support/message_owner.h"
#include "controls/support/sys_color.h"
#include "model/project/project_globals.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "platform/message_window.h"

namespace {

QColor Q(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

int Sign(int value) { return (value > 0) - (value < 0); }

// MoveTo the first point, then LineTo each next one, as GDI draws them: a segment
// leaves out its end point. Segments are horizontal or vertical.
void Polyline(QPainter& painter, std::initializer_list<QPoint> points, const QColor& color) {
  const QPoint* from = nullptr;
  for (const QPoint& to : points) {
    if (from != nullptr && *from != to) {
      const QPoint last = to - QPoint(Sign(to.x() - from->x()), Sign(to.y() - from->y()));
      painter.fillRect(QRect(QPoint(std::min(from->x(), last.x()), std::min(from->y(), last.y())),
                             QPoint(std::max(from->x(), last.x()), std::max(from->y(), last.y()))),
                       color);
    }
    from = &to;
  }
}

}  // namespace

CColorPicker::CColorPicker(QWidget* parent)
    : QAbstractButton(parent),
      color_(SysColor(COLOR_3DFACE)),
      eyedropper_(MakeEyedropperCursor()) {}

QCursor CColorPicker::MakeEyedropperCursor() {
  // Black is bitmap and mask set, white the mask alone, transparent neither.
  QBitmap bitmap(QSize(kEyedropperSide, kEyedropperSide));
  QBitmap mask(QSize(kEyedropperSide, kEyedropperSide));
  bitmap.fill(Qt::color0);
  mask.fill(Qt::color0);
  {
    QPainter bits(&bitmap);
    QPainter maskBits(&mask);
    bits.setPen(Qt::color1);
    maskBits.setPen(Qt::color1);
    for (int y = 0; y < kEyedropperSide; ++y) {
      for (int x = 0; x < kEyedropperSide; ++x) {
        const CursorPixel pixel = EyedropperPixel(x, y);
        if (pixel == CursorPixel::kTransparent) continue;
        maskBits.drawPoint(x, y);
        if (pixel == CursorPixel::kBlack) bits.drawPoint(x, y);
      }
    }
  }
  return QCursor(bitmap, mask, kEyedropperHotspot.x(), kEyedropperHotspot.y());
}

void CColorPicker::SetColor(ColorRef color) {
  color_ = color;
  NotifyParent();
  if (buddy_) SetControlText(buddy_, FormatColor(color));
  update();
}

void CColorPicker::NotifyParent() {
  MessageWindow* owner = NearestMessageWindow(this);
  if (owner == nullptr) return;
  const auto id = static_cast<std::uint16_t>(GetControlId(this));
  // Fails only for a window being destroyed, which has no use for the command.
  (void)PostMessage(owner->Handle(), WM_COMMAND, MakeWParam(id, 0), reinterpret_cast<LPARAM>(this));
}

void CColorPicker::OpenPalette() {
  if (!palette_) {
    paletteKindInUse_ = PaletteKind >= 0 ? PaletteKind : ownPaletteKind_;
    auto* palette = new CColorPalette(paletteKindInUse_, stripWithoutBlack_, this);
    const QRect button(mapToGlobal(QPoint(0, 0)), size());
    palette->setGeometry(PalettePlacement(paletteKindInUse_, stripWithoutBlack_, button,
                                          screen()->availableGeometry()));
    palette_ = palette;
  }
  palette_->SetColors(color_);
  palette_->show();
  palette_->SetCell(lastCell_);
  paletteOpen_ = true;
}

QCursor CColorPicker::PaletteCursor(bool arrow) const {
  if (paletteOpen_ && !arrow && eyedropper_.shape() == Qt::BitmapCursor) return eyedropper_;
  return QCursor(Qt::ArrowCursor);
}

void CColorPicker::OnPaletteClosed(PaletteEnd end, ColorRef color, int cell) {
  lastCell_ = cell;
  palette_ = nullptr;
  paletteOpen_ = false;
  // The pop-up took the release of the press that opened it.
  setDown(false);
  if (end == PaletteEnd::kChosen && color != color_) {
    SetColor(color);
  } else {
    update();
  }
  // The dialog runs once the pop-up's event has been handled.
  if (end == PaletteEnd::kMoreColors) QTimer::singleShot(0, this, [this] { RunColorDialog(); });
}

void CColorPicker::RunColorDialog() {
  // The dialog is the picker's child: should the picker go while the dialog runs, the
  // dialog goes with it and nothing of the picker is touched after.
  QPointer<QColorDialog> dialog = new QColorDialog(Q(color_), this);
  const int result = dialog->exec();
  if (dialog.isNull()) return;
  const QColor chosen = dialog->selectedColor();
  delete dialog;
  if (result == QDialog::Accepted && chosen.isValid()) SetColor(QRgbToColorRef(chosen.rgb()));
}

void CColorPicker::mousePressEvent(QMouseEvent* event) {
  QAbstractButton::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  OpenPalette();
  palette_->OnOpeningPress(event->globalPosition().toPoint());
  update();
}

void CColorPicker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor face = Q(SysColor(COLOR_3DFACE));
  const QColor white(Qt::white);
  const QColor darkShadow = Q(SysColor(COLOR_3DDKSHADOW));
  const int w = width();
  const int h = height();
  if (!paletteOpen_) {
    // Raised: white top-left, dark shadow bottom-right, a face-coloured ring inside.
    Polyline(painter, {{0, h - 1}, {0, 0}, {w - 1, 0}}, white);
    Polyline(painter, {{w - 1, 0}, {w - 1, h - 1}, {-1, h - 1}}, darkShadow);
    Polyline(painter, {{1, 1}, {w - 2, 1}, {w - 2, h - 2}, {1, h - 2}, {1, 1}}, face);
  }
  // The swatch, sunk in a frame whose bottom-right corner holds the drop-down mark.
  painter.fillRect(3, 3, w - 6, h - 6, Q(color_));
  const int l = 2;
  const int t = 2;
  const int r = w - 3;
  const int b = h - 3;
  Polyline(painter, {{r - 1, t}, {l, t}, {l, b}}, darkShadow);
  Polyline(painter, {{l, b}, {r - 6, b}, {r - 6, b - 4}, {r, b - 4}}, white);
  Polyline(painter, {{r, t}, {r, b - 3}}, white);
  const QRect corner(QPoint(r - 5, b - 3), QPoint(r, b));
  painter.fillRect(corner, face);
  const QColor mark = Q(kPaletteLineColor);  // the palette's line colour
  for (int i = 1; i <= 3; ++i) {
    Polyline(painter, {{corner.x() + i, corner.y() + i}, {r + 1 - (i - 1), corner.y() + i}}, mark);
  }
}
