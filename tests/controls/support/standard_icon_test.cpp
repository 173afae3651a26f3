// Standard icons are made once per style and follow a widget to a new style.
#include <gtest/gtest.h>

#include <QPixmap>
#include <QProxyStyle>
#include <QWidget>

#include <memory>

#include "controls/support/standard_icon.h"

namespace {

// A style whose every standard icon is one colour, counting how often it is asked.
class OneColourStyle : public QProxyStyle {
 public:
  explicit OneColourStyle(Qt::GlobalColor colour) : colour_(colour) {}
  QIcon standardIcon(StandardPixmap, const QStyleOption*, const QWidget*) const override {
    ++asked;
    QPixmap picture(16, 16);
    picture.fill(colour_);
    return QIcon(picture);
  }
  mutable int asked = 0;

 private:
  Qt::GlobalColor colour_;
};

QRgb Colour(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixel(8, 8); }

TEST(StandardIcon, MadeOncePerStyleAndDroppedWithIt) {
  QWidget widget;
  auto red = std::make_unique<OneColourStyle>(Qt::red);
  widget.setStyle(red.get());
  EXPECT_EQ(Colour(StandardIcon(widget, QStyle::SP_ArrowUp)), QColor(Qt::red).rgb());
  EXPECT_EQ(Colour(StandardIcon(widget, QStyle::SP_ArrowUp)), QColor(Qt::red).rgb());
  EXPECT_EQ(red->asked, 1);
  static_cast<void>(StandardIcon(widget, QStyle::SP_ArrowDown));
  EXPECT_EQ(red->asked, 2);
  widget.setStyle(nullptr);
  red.reset();
  // A style made after the first one went, perhaps at its address, gives its own.
  auto blue = std::make_unique<OneColourStyle>(Qt::blue);
  widget.setStyle(blue.get());
  EXPECT_EQ(Colour(StandardIcon(widget, QStyle::SP_ArrowUp)), QColor(Qt::blue).rgb());
  EXPECT_EQ(blue->asked, 1);
  widget.setStyle(nullptr);
}

}  // namespace
