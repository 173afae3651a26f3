// Links the image button and its menu with Qt alone, as the updater does, and paints a
// hovered button with a drop-down menu: exits 0 when the gradient shows.
#include <QApplication>
#include <QEnterEvent>
#include <QImage>

#include "controls/buttons/button_qx.h"

namespace {

class ShownButton : public CButtonQx {
 public:
  using CButtonQx::CButtonQx;
  using CButtonQx::enterEvent;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  AddMenuTemplate(
      {1,
       QStringLiteral("IDR_CHECK"),
       {{MF_POPUP | MF_END, 0, QStringLiteral("Menu")}, {MF_END, 100, QStringLiteral("&Item")}}});
  ShownButton button(QStringLiteral("Check"), nullptr);
  button.resize(80, 24);
  if (button.SetMenu(1, nullptr) != 1) return 1;
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  button.enterEvent(&enter);
  const QImage image = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const ColorRef row1 = ButtonGradientRows({0, 0, 80, 24})[1];
  return image.pixel(40, 1) == ColorRefToQRgb(row1) ? 0 : 2;
}
