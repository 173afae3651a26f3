#include "updater/app/plain_button.h"

#include "controls/buttons/frame_paint.h"
#include "controls/support/sys_color.h"

namespace {

constexpr ColorRef kNormalFill = MakeColorRef(236, 240, 245);
constexpr ColorRef kFocusFill = MakeColorRef(218, 232, 250);
constexpr ColorRef kHoverFill = MakeColorRef(196, 222, 250);

}  // namespace

CPlainButton::CPlainButton(const QString& caption, int controlId, QWidget* parent)
    : CButtonQx(caption, parent), controlId_(controlId) {
  SetNormalBackground(kNormalFill);
  SetFocusBackground(kFocusFill);
  SetHoverBackground(kHoverFill);
}

int CPlainButton::DrawBackground(QPainter& painter, const PixelRect& rect) {
  ColorRef fill = NormalBackground();
  if (IsPressed() || IsHovered()) {
    fill = HoverBackground();
  } else if (IsFocusedState()) {
    fill = FocusBackground();
  }
  FillPixels(painter, rect, fill);
  return 0;
}

int CPlainButton::DrawBorder(QPainter& painter, const PixelRect& rect) {
  const ColorRef light = SysColor(COLOR_3DHILIGHT);
  const ColorRef shadow = SysColor(COLOR_BTNSHADOW);
  if (IsPressed()) {
    Draw3dFrame(painter, rect, shadow, light);
  } else {
    Draw3dFrame(painter, rect, light, shadow);
  }
  return 0;
}
