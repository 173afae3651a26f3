#include "controls/buttons/button_qx.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QImageReader>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <QUrl>

#include "controls/buttons/frame_paint.h"
#include "controls/support/draw_text.h"
#include "controls/support/gradient_rows.h"
#include "controls/support/image_effects.h"
#include "controls/support/sys_color.h"
#include "platform/message_window.h"

namespace {

constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kBorderLight = MakeColorRef(119, 196, 243);

// The bitmap with the pixels of its transparent colour made transparent; null when the
// picture cannot be converted.
QImage MaskedBitmap(const QImage& bitmap, ColorRef transparent) {
  QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
  if (masked.isNull()) return masked;
  for (int y = 0; y < masked.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
    for (int x = 0; x < masked.width(); ++x) {
      if (QRgbToColorRef(row[x]) == transparent) row[x] = 0;
    }
  }
  return masked;
}

QImage ReadBitmap(const QString& path) {
  QImageReader reader(path);
  return reader.read();
}

// The tip as lines no wider than the tip width, kept as they are by the tip label.
QString WrappedTip(const QString& text) {
  QStringList lines;
  for (const QString& paragraph : text.split(u'\n')) {
    QTextLayout layout(paragraph, QToolTip::font());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(CButtonQx::kTipWidth);
      lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed().toHtmlEscaped());
    }
    layout.endLayout();
    if (paragraph.isEmpty()) lines.append(QString());
  }
  return QStringLiteral("<p style='white-space:pre'>") + lines.join(QStringLiteral("<br>")) +
         QStringLiteral("</p>");
}

// A dotted one-pixel frame, every other pixel, as a focus rectangle.
void DrawFocusFrame(QPainter& painter, const PixelRect& rect) {
  if (rect.IsEmpty()) return;
  const QColor color = ToQColor(SysColor(COLOR_BTNTEXT));
  for (int x = rect.left; x < rect.right; x += 2) {
    painter.fillRect(x, rect.top, 1, 1, color);
    painter.fillRect(x, rect.bottom - 1, 1, 1, color);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    painter.fillRect(rect.left, y, 1, 1, color);
    painter.fillRect(rect.right - 1, y, 1, 1, color);
  }
}

PixelRect Shrunk(const PixelRect& rect, int by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

}  // namespace

std::vector<ColorRef> ButtonGradientRows(const PixelRect& rect) {
  const int half = rect.bottom / 2;
  const int rest = rect.bottom - half;
  std::vector<ColorRef> rows;
  if (half > 0) {
    const float h = static_cast<float>(half);
    rows = GradientRows(MakeColorRef(192, 237, 255), {-47 / h, -22 / h, -1 / h}, half);
  }
  if (rest > 0) {
    const float n = static_cast<float>(rest);
    const std::vector<ColorRef> second =
        GradientRows(MakeColorRef(104, 195, 249), {-29 / n, -1 / n, -6 / n}, rest);
    rows.insert(rows.end(), second.begin(), second.end());
  }
  return rows;
}

CButtonQx::CButtonQx(QWidget* parent) : CButtonQx(QString(), parent) {}

CButtonQx::CButtonQx(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent),
      hoverBackground_(SysColor(COLOR_3DFACE)),
      hoverText_(SysColor(COLOR_BTNTEXT)),
      normalBackground_(SysColor(COLOR_3DFACE)),
      normalText_(SysColor(COLOR_BTNTEXT)),
      focusBackground_(SysColor(COLOR_3DFACE)) {
  setMouseTracking(true);
  connect(this, &QAbstractButton::clicked, this, &CButtonQx::OnClicked);
}

void CButtonQx::SetButtonStyle(UINT style) {
  UINT type = style & 31;
  if ((style & 2) != 0) checkBoxMode_ = true;
  if (type == 0 || type == 1) {
    defaultButton_ = type == 1;
    type = 0;
  }
  buttonType_ = type;
  setDefault(defaultButton_);
  update();
}

void CButtonQx::FreeImages() {
  for (QImage& icon : icons_) icon = QImage();
  for (QImage& bitmap : bitmaps_) bitmap = QImage();
}

int CButtonQx::SetIcon(const QPixmap& primary, const QPixmap& idle) {
  FreeImages();
  icons_[0] = primary.toImage();
  if (!primary.isNull()) icons_[1] = idle.toImage();
  update();
  return 0;
}

int CButtonQx::SetIcon(const QPixmap& primary, IdleIcon) {
  FreeImages();
  if (!primary.isNull()) {
    const QImage grey = GreyCopy(primary.toImage());
    if (grey.isNull()) {
      update();
      return 1;
    }
    icons_[0] = primary.toImage();
    icons_[1] = grey;
  }
  update();
  return 0;
}

int CButtonQx::SetButtonBitmaps(const QString& primaryPath, const QString& idlePath) {
  FreeImages();
  update();
  if (primaryPath.isEmpty()) return 0;
  const QImage primary = ReadBitmap(primaryPath);
  const QImage idle = idlePath.isEmpty() ? QImage() : ReadBitmap(idlePath);
  if (primary.isNull() || (!idlePath.isEmpty() && idle.isNull())) return 1;
  const QImage primaryMasked = MaskedBitmap(primary, kWhite);
  const QImage idleMasked = idle.isNull() ? QImage() : MaskedBitmap(idle, kBlack);
  if (primaryMasked.isNull() || (!idle.isNull() && idleMasked.isNull())) return 2;
  bitmaps_[0] = primaryMasked;
  bitmaps_[1] = idleMasked;
  return 0;
}

void CButtonQx::SetImageAlignment(int alignment) {
  if (alignment < 0 || alignment > 2) return;
  imageAlignment_ = alignment;
  update();
}

void CButtonQx::SetHoverBackground(ColorRef color) {
  hoverBackground_ = color;
  update();
}
void CButtonQx::SetHoverText(ColorRef color) {
  hoverText_ = color;
  update();
}
void CButtonQx::SetNormalBackground(ColorRef color) {
  normalBackground_ = color;
  update();
}
void CButtonQx::SetNormalText(ColorRef color) {
  normalText_ = color;
  update();
}
void CButtonQx::SetFocusBackground(ColorRef color) {
  focusBackground_ = color;
  update();
}

void CButtonQx::CreateTooltip() {
  if (tipCreated_) return;
  tipCreated_ = true;
  tipActive_ = false;
  ApplyTip();
}

void CButtonQx::SetTipText(const QString& text, bool activate) {
  if (text.isNull()) return;
  CreateTooltip();
  tipText_ = text;
  tipActive_ = activate;
  ApplyTip();
}

void CButtonQx::ApplyTip() { setToolTip(tipActive_ ? WrappedTip(tipText_) : QString()); }

void CButtonQx::SetCheck(int state) {
  if (!checkBoxMode_) return;
  checked_ = state == 1 || state == 2;
  update();
}

LRESULT CButtonQx::DialogCode() const {
  return kDlgcButton | (defaultButton_ ? kDlgcDefPushButton : kDlgcUndefPushButton);
}

void CButtonQx::SetFlatLook(bool flat) {
  flat_ = flat;
  update();
}
void CButtonQx::SetTransparentBackground(bool transparent) {
  transparentBackground_ = transparent;
  update();
}
void CButtonQx::SetDrawBorder(bool drawBorder) {
  drawBorder_ = drawBorder;
  update();
}
void CButtonQx::SetFocusRectWhenFlat(bool focusRect) {
  focusRectWhenFlat_ = focusRect;
  update();
}
void CButtonQx::SetAlwaysTrack(bool alwaysTrack) { alwaysTrack_ = alwaysTrack; }
void CButtonQx::SetGreyBitmapWhenDisabled(bool grey) {
  greyBitmapWhenDisabled_ = grey;
  update();
}

int CButtonQx::SetMenu(int menuId, HWND notifyWindow) {
  menuNotify_ = notifyWindow;
  return menu_.LoadMenu(menuId);
}

void CButtonQx::OnClicked() {
  setFocus();
  if (checkBoxMode_) {
    checked_ = !checked_;
    update();
    return;
  }
  if (KvMenu* dropDown = menu_.GetSubMenu(0)) {
    menuShown_ = true;
    update();
    const QAction* chosen = dropDown->exec(mapToGlobal(rect().bottomLeft()));
    menuShown_ = false;
    update();
    const UINT command = chosen == nullptr ? 0 : chosen->data().value<KvMenuData>().commandId;
    if (command != 0) {
      // A notify window that has closed meanwhile simply gets nothing.
      static_cast<void>(PostMessage(menuNotify_, WM_COMMAND,
                                    MakeWParam(static_cast<std::uint16_t>(command), 0), 0));
    }
    return;
  }
  if (!link_.isEmpty()) {
    // As the shell's open verb: nothing is reported when no handler opens it.
    static_cast<void>(QDesktopServices::openUrl(QUrl::fromUserInput(link_)));
  }
}

void CButtonQx::TrackHover(bool pointerInside, bool leftButtonDown) {
  if (!flat_ || (leftButtonDown && !hovered_)) return;
  const bool tracking = alwaysTrack_ || isActiveWindow();
  if (pointerInside && tracking) {
    if (!hovered_) {
      hovered_ = true;
      update();
    }
    return;
  }
  ClearHover();
}

void CButtonQx::ClearHover() {
  if (!flat_ || !hovered_) return;
  hovered_ = false;
  update();
}

void CButtonQx::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  TrackHover(true, (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0);
}

void CButtonQx::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  ClearHover();
}

void CButtonQx::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  TrackHover(rect().contains(event->position().toPoint()),
             (event->buttons() & Qt::LeftButton) != 0);
}

void CButtonQx::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  ClearHover();
}

void CButtonQx::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  const bool deactivated = event->type() == QEvent::ActivationChange && !isActiveWindow();
  const bool disabled = event->type() == QEvent::EnabledChange && !isEnabled();
  if (deactivated || disabled) ClearHover();
}

void CButtonQx::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const bool selected = isDown();
  pressed_ = selected || (checkBoxMode_ ? checked_ : menuShown_);
  focused_ = hasFocus();
  disabled_ = !isEnabled();
  PixelRect rect = PixelRectOfSize(width(), height());
  if (!flat_ && (focused_ || defaultButton_)) {
    FramePixels(painter, rect, kBlack);
    rect = Shrunk(rect, 1);
  }
  if (!transparentBackground_) static_cast<void>(DrawBackground(painter, rect));
  if (pressed_ && !flat_) {
    FramePixels(painter, rect, SysColor(COLOR_BTNSHADOW));
  } else if (!pressed_ && !flat_) {
    DrawEdges(painter, rect);
  } else if (drawBorder_ && (pressed_ || hovered_)) {
    static_cast<void>(DrawBorder(painter, rect));
  }
  PixelRect caption = PixelRectOfSize(width(), height());
  DrawImage(painter, caption);
  DrawCaption(painter, caption);
  if ((!flat_ || focusRectWhenFlat_) && focused_) DrawFocusFrame(painter, Shrunk(rect, 3));
}

void CButtonQx::DrawEdges(QPainter& painter, const PixelRect& r) {
  const int l = r.left, t = r.top, ri = r.right, b = r.bottom;
  const ColorRef light = SysColor(COLOR_3DHILIGHT);
  DrawLineTo(painter, light, l, b - 1, l, t);
  DrawLineTo(painter, light, l, t, ri, t);
  const ColorRef midlight = SysColor(COLOR_3DLIGHT);
  DrawLineTo(painter, midlight, l + 1, b - 1, l + 1, t + 1);
  DrawLineTo(painter, midlight, l + 1, t + 1, ri, t + 1);
  const ColorRef dark = SysColor(COLOR_3DDKSHADOW);
  DrawLineTo(painter, dark, l, b - 1, ri - 1, b - 1);
  DrawLineTo(painter, dark, ri - 1, b - 1, ri - 1, t - 1);
  const ColorRef shadow = SysColor(COLOR_BTNSHADOW);
  DrawLineTo(painter, shadow, l + 1, b - 2, ri - 2, b - 2);
  DrawLineTo(painter, shadow, ri - 2, b - 2, ri - 2, t);
}

QPoint CButtonQx::PlaceImage(QSize size, PixelRect& caption) const {
  const int w = size.width(), h = size.height();
  const bool hasText = !text().isEmpty();
  QPoint at(0, 0);
  switch (imageAlignment_) {
    case 0:
      if (hasText) {
        at.setX(3);
        caption.left += w + 3;
      } else {
        at.setX((width() - w) / 2);
      }
      at.setY((height() - h) / 2);
      break;
    case 1:
      at.setX((width() - w) / 2);
      if (hasText) {
        at.setY(3);
        caption.top += h;
      } else {
        at.setY((height() - h) / 2);
      }
      break;
    default:
      if (hasText) {
        caption.right = width() - 3 - w;
        caption.left = 3;
        at = QPoint(width() - w - 3, (height() - h) / 2);
      } else {
        at.setX((width() - w) / 2);  // and it keeps the top
      }
      break;
  }
  if (pressed_ && !checkBoxMode_) at += QPoint(1, 1);
  return at;
}

void CButtonQx::DrawImage(QPainter& painter, PixelRect& caption) {
  const bool isIcon = !icons_[0].isNull();
  const QImage* images = isIcon ? icons_ : bitmaps_;
  if (images[0].isNull()) return;
  const bool idle = !images[1].isNull() && !pressed_ && (checkBoxMode_ || !hovered_);
  const QImage& image = images[idle ? 1 : 0];
  const QPoint at = PlaceImage(image.size(), caption);
  if (isIcon && disabled_) {
    DrawEmbossed(painter, at, image, {}, std::nullopt);
  } else if (!isIcon && disabled_ && greyBitmapWhenDisabled_) {
    QImage onWhite(image.size(), QImage::Format_ARGB32);
    onWhite.fill(Qt::white);
    QPainter compose(&onWhite);
    compose.drawImage(0, 0, image);
    compose.end();
    DrawEmbossed(painter, at, onWhite, {kWhite}, std::nullopt);
  } else {
    painter.drawImage(at, image);
  }
}

void CButtonQx::DrawCaption(QPainter& painter, PixelRect caption) {
  const QString captionText = text();
  if (captionText.isEmpty()) return;
  if (pressed_ && !checkBoxMode_)
    caption = {caption.left + 1, caption.top + 1, caption.right + 1, caption.bottom + 1};
  constexpr std::uint32_t kFormat = DT_WORDBREAK | DT_CENTER;
  const QSize block = MeasureTextInRect(font(), captionText, caption.Width(), kFormat);
  // The block centred in the caption rectangle; its lines are centred across the whole
  // width, which centres them in the block alike and wraps them as they were measured.
  const int top = caption.top + (caption.Height() - block.height()) / 2;
  const PixelRect centred{caption.left, top, caption.right, top + block.height()};
  painter.setFont(font());
  if (disabled_) {
    painter.setPen(ToQColor(SysColor(COLOR_3DHILIGHT)));
    DrawTextInRect(painter, captionText,
                   {centred.left + 1, centred.top + 1, centred.right + 1, centred.bottom + 1},
                   kFormat);
    painter.setPen(ToQColor(SysColor(COLOR_BTNSHADOW)));
  } else {
    painter.setPen(ToQColor(hovered_ || pressed_ ? hoverText_ : normalText_));
  }
  DrawTextInRect(painter, captionText, centred, kFormat);
}

int CButtonQx::DrawBackground(QPainter& painter, const PixelRect& rect) {
  if (!hovered_ && !pressed_) {
    FillPixels(painter, rect, focused_ ? focusBackground_ : normalBackground_);
    return 0;
  }
  const std::vector<ColorRef> rows = ButtonGradientRows(rect);
  // The rows start at the top; any beyond the bottom edge are left out.
  for (int row = 0; row < static_cast<int>(rows.size()) && rect.top + row < rect.bottom; ++row) {
    FillPixels(painter, {rect.left, rect.top + row, rect.right, rect.top + row + 1},
               rows[static_cast<std::size_t>(row)]);
  }
  return 0;
}

int CButtonQx::DrawBorder(QPainter& painter, const PixelRect& rect) {
  const ColorRef highlight = SysColor(COLOR_HIGHLIGHT);
  if (pressed_) {
    Draw3dFrame(painter, rect, kBorderLight, highlight);
  } else {
    Draw3dFrame(painter, rect, highlight, kBorderLight);
  }
  return 0;
}
