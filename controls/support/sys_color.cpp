#include "controls/support/sys_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct RoleOfIndex {
  int index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
  ColorRef windowsDefault;
};

constexpr RoleOfIndex kRoles[] = {
    {COLOR_MENU, QPalette::Active, QPalette::Window, MakeColorRef(240, 240, 240)},
    {COLOR_WINDOW, QPalette::Active, QPalette::Base, MakeColorRef(255, 255, 255)},
    {COLOR_WINDOWTEXT, QPalette::Active, QPalette::Text, MakeColorRef(0, 0, 0)},
    {COLOR_MENUTEXT, QPalette::Active, QPalette::WindowText, MakeColorRef(0, 0, 0)},
    {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight, MakeColorRef(51, 153, 255)},
    {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText, MakeColorRef(255, 255, 255)},
    {COLOR_3DFACE, QPalette::Active, QPalette::Button, MakeColorRef(240, 240, 240)},
    {COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark, MakeColorRef(160, 160, 160)},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text, MakeColorRef(109, 109, 109)},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText, MakeColorRef(0, 0, 0)},
    {COLOR_3DHILIGHT, QPalette::Active, QPalette::Light, MakeColorRef(255, 255, 255)},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow, MakeColorRef(105, 105, 105)},
    {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight, MakeColorRef(227, 227, 227)},
    {COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText, MakeColorRef(0, 0, 0)},
    {COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase, MakeColorRef(255, 255, 225)},
};

}  // namespace

ColorRef SysColor(int index) {
  for (const RoleOfIndex& entry : kRoles) {
    if (entry.index != index) continue;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
      return entry.windowsDefault;
    }
    return QRgbToColorRef(QGuiApplication::palette().color(entry.group, entry.role).rgb());
  }
  return 0;
}
