#include "device/settings/screen_tabs.h"

#include <QPainter>

#include <algorithm>

#include "model/common/app_paths.h"
#include "model/settings/ini_file.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kIconSize = 28;
constexpr int kNameTop = 31;
constexpr int kLargestNamePixels = 11;
constexpr int kSmallestNamePixels = 7;
constexpr int kNameFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// The largest font, down to the smallest, in which the name fits the rectangle in
// whole, wrapped at blanks.
QFont FittingFont(QFont font, const QString& name, const QRect& rect) {
  for (int pixels = kLargestNamePixels; pixels > kSmallestNamePixels; --pixels) {
    font.setPixelSize(pixels);
    const QRect needed = QFontMetrics(font).boundingRect(rect, kNameFlags, name);
    if (needed.width() <= rect.width() && needed.height() <= rect.height()) return font;
  }
  font.setPixelSize(kSmallestNamePixels);
  return font;
}

}  // namespace

QImage PaintScreenTab(DeviceIcon icon, const QString& name) {
  QImage image(kScreenTabImageSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.drawImage((kScreenTabImageSize.width() - kIconSize) / 2, 2,
                    PaintDeviceIcon(icon, kIconSize));
  const QRect nameRect(0, kNameTop, kScreenTabImageSize.width(),
                       kScreenTabImageSize.height() - kNameTop);
  painter.setFont(FittingFont(painter.font(), name, nameRect));
  painter.setPen(QColor(2, 45, 123));
  painter.drawText(nameRect, kNameFlags, name);
  return image;
}

QString PageNameIn(int language, const QString& section, int key) {
  const QString file = LanguageFileName(language);
  if (file.isEmpty()) return {};
  return ReadCachedIniValue(AppFilePath(AppFolder::Language, file), section, QString::number(key))
      .value_or(QString());
}

int ScreenTabImageIndex(int language, int tab) {
  return (std::clamp(language, 1, kLanguageCount - 1) - 1) * kScreenTabPages + tab;
}
