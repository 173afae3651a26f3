#include "model/painting/painting_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace {

const QColor kCaptionBandColor(102, 188, 240);
const QColor kCaptionTextColor(2, 45, 123);
const QColor kPanelOutlineColor(84, 166, 213);
constexpr int kCaptionBandFontPixels = 18;
constexpr int kCaptionIconWidth = 32;  // the icon's part of the centred group
constexpr int kHeaderCaptionIndent = 24;
constexpr int kPanelBodyMinHeight = 27;

const char kStartPicturePath[] = ":/images/start.png";

void DrawHeaderLines(QPainter& painter, int left, int top, int width) {
  for (int line = 0; line < kGradientHeaderLines; ++line) {
    painter.fillRect(QRect(left, top + line, width, 1), GradientHeaderColor(line));
  }
}

void DrawHeaderCaption(QPainter& painter, const QString& caption, bool centred, const QRect& band) {
  painter.save();
  painter.setFont(QApplication::font());
  painter.setPen(kCaptionTextColor);
  const QRect textRect = centred ? band : band.adjusted(kHeaderCaptionIndent, 0, 0, 0);
  painter.drawText(textRect, Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft),
                   caption);
  painter.restore();
}

}  // namespace

QColor GradientHeaderColor(int line) {
  // The channels grow in single precision and each line takes their integer parts.
  float red = 119, green = 196, blue = 243;
  for (int i = 0; i < line; ++i) {
    red += 5.44f;
    green += 2.36f;
    blue += 0.48f;
  }
  return QColor(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}

bool DrawPngResource(QPainter& painter) {
  QImage picture;
  if (!picture.load(QString::fromLatin1(kStartPicturePath))) return false;
  painter.drawImage(QPoint(0, 0), picture);
  return true;
}

bool ApplyLayeredAlpha(QWidget* window, const QImage& source, int alpha) {
  const QSize client = window->size();
  QPalette palette = window->palette();
  palette.setBrush(QPalette::Window, QBrush(source.copy(QRect(QPoint(0, 0), client))));
  window->setAttribute(Qt::WA_TranslucentBackground, source.hasAlphaChannel());
  // Translucency turns the background off; here the background is the picture.
  window->setAttribute(Qt::WA_NoSystemBackground, false);
  window->setAutoFillBackground(true);
  window->setPalette(palette);
  window->setWindowOpacity(qBound(0, alpha, 255) / 255.0);
  return true;
}

void DrawCaptionBand(QWidget* window, const QString& caption, const QIcon& icon,
                     QPainter& painter) {
  const QRect band(0, 0, window->width(), kCaptionBandHeight);
  painter.fillRect(band, kCaptionBandColor);
  painter.save();
  QFont font = QApplication::font();
  font.setPixelSize(kCaptionBandFontPixels);
  painter.setFont(font);
  painter.setPen(kCaptionTextColor);
  if (icon.isNull()) {
    painter.drawText(band, Qt::AlignCenter, caption);
  } else {
    const QSize iconSize = icon.availableSizes().value(0, QSize(32, 32));
    const int textWidth = painter.fontMetrics().horizontalAdvance(caption);
    const int left = (band.width() - (kCaptionIconWidth + textWidth)) / 2;
    icon.paint(&painter, QRect(QPoint(left, 1), iconSize));
    painter.drawText(QRect(left + kCaptionIconWidth, 0, textWidth + 1, kCaptionBandHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);
  }
  painter.restore();
}

void DrawGradientHeader(const QString& caption, bool centred, QWidget* window, QPainter& painter) {
  DrawHeaderLines(painter, 0, 0, window->width());
  DrawHeaderCaption(painter, caption, centred, QRect(0, 0, window->width(), kGradientHeaderLines));
}

void DrawPanelFrame(const QString& caption, bool centred, bool body, QPainter& painter,
                    const QRect& rect) {
  DrawHeaderLines(painter, rect.left(), rect.top(), rect.width());
  if (body && rect.height() >= kPanelBodyMinHeight) {
    // From white down to nearly the header's first colour at the bottom.
    const int lines = rect.height() - 26;
    float red = 255, green = 255, blue = 255;
    for (int line = 0; line < lines; ++line) {
      painter.fillRect(QRect(rect.left(), rect.top() + 25 + line, rect.width(), 1),
                       QColor(int(red), int(green), int(blue)));
      red -= 136.0f / lines;
      green -= 59.0f / lines;
      blue -= 12.0f / lines;
    }
  }
  painter.save();
  painter.setPen(QPen(kPanelOutlineColor, 1));
  painter.setBrush(Qt::NoBrush);
  // The outline covers the rectangle's pixels, right and bottom edge excluded.
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  painter.restore();
  DrawHeaderCaption(painter, caption, centred,
                    QRect(rect.left(), rect.top(), rect.width(), kGradientHeaderLines));
}

void DrawPanelFrameClient(const QString& caption, bool centred, bool body, QWidget* window,
                          QPainter& painter) {
  DrawPanelFrame(caption, centred, body, painter, window->rect());
}

void AddFontNames(QComboBox* comboBox) { comboBox->addItems(QFontDatabase::families()); }
