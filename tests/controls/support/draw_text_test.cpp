// Text in a rectangle by DrawText flags: word breaks, the edit-control rule for a last
// line that does not fit, and the measure that matches the drawing.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "controls/support/draw_text.h"

namespace {

// True when any pixel of the rows [top, bottom) differs from white.
bool Inked(const QImage& image, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    }
  }
  return false;
}

}  // namespace

TEST(DrawText, WordBreaksMeasureAndTheEditControlRule) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  const QFontMetrics metrics(font);
  const QString text = QStringLiteral("WWW WWW WWW");
  const int width = metrics.horizontalAdvance(QStringLiteral("WWW")) + 2;
  const int line = metrics.height();

  EXPECT_EQ(MeasureTextInRect(font, text, width, DT_WORDBREAK), QSize(width - 2, 3 * line));
  EXPECT_EQ(MeasureTextInRect(font, text, width, DT_WORDBREAK | DT_SINGLELINE).height(), line);

  // A rectangle of one and a half lines: the half line is left out with the edit-control
  // rule and shown cut without it.
  const PixelRect rect{0, 0, width, line + line / 2};
  for (const bool editControl : {true, false}) {
    QImage image(width, 3 * line, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setFont(font);
      painter.setPen(Qt::black);
      DrawTextInRect(painter, text, rect, DT_WORDBREAK | (editControl ? DT_EDITCONTROL : 0));
    }
    EXPECT_TRUE(Inked(image, 0, line));
    EXPECT_EQ(Inked(image, line, rect.bottom), !editControl);
    EXPECT_FALSE(Inked(image, rect.bottom, image.height()));  // clipped to the rectangle
  }
}
