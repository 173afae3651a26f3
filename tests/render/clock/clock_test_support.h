#pragma once
// What the clock tests share: a fixed time zone, local times as wall seconds, area
// pictures, colour probes and fonts named by the tests.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "model/common/bounded_text.h"
#include "render/raster/color_ref.h"
#include "render/raster/gdi_text.h"

namespace clocktest {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kGreen = 0x00FF00;
constexpr ColorRef kBlue = 0xFF0000;
constexpr ColorRef kWhite = 0xFFFFFF;
constexpr ColorRef kYellow = 0x00FFFF;
constexpr ColorRef kCyan = 0xFFFF00;
inline const QString kLatinFace = QStringLiteral("DejaVu Sans");
inline const QString kCjkFace = QStringLiteral("WenQuanYi Micro Hei");

// Every test runs in China Standard Time (UTC+8, no daylight saving), spelled as a
// POSIX rule so that no zone database is needed.
class ClockTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* zone = std::getenv("TZ");
    savedZone_ = zone ? zone : "";
    hadZone_ = zone != nullptr;
    ::setenv("TZ", "CST-8", 1);
    ::tzset();
  }
  void TearDown() override {
    if (hadZone_) {
      ::setenv("TZ", savedZone_.c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

 private:
  std::string savedZone_;
  bool hadZone_ = false;
};

// Wall seconds of a local time in the tests' zone.
inline std::int64_t LocalSeconds(int year, int month, int day, int hour, int minute,
                                 int second) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  return static_cast<std::int64_t>(::timegm(&parts)) - 8 * 3600;
}

inline QImage BlackArea(int width, int height) {
  QImage area(width, height, QImage::Format_RGB32);
  area.fill(Qt::black);
  return area;
}

inline bool HasColor(const QImage& image, ColorRef color) {
  const QRgb wanted = ColorRefToQRgb(color);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == wanted) return true;
    }
  }
  return false;
}

inline bool AllBlack(const QImage& image) {
  return !image.isNull() && image == BlackArea(image.width(), image.height());
}

// Keeps a picture for a person to look at when QUENDRA_TEST_ARTEFACTS names a folder.
inline void KeepPicture(const QImage& image, const QString& name) {
  const char* folder = std::getenv("QUENDRA_TEST_ARTEFACTS");
  if (folder && *folder) {
    image.save(QString::fromLocal8Bit(folder) + u'/' + name + QStringLiteral(".png"));
  }
}

}  // namespace clocktest
