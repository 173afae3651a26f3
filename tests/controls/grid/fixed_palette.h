#pragma once
// A known application palette for the grid tests, so system colours are fixed values:
// set for the life of the object, the previous palette restored after.

#include <QGuiApplication>
#include <QPalette>

#include "controls/support/sys_color.h"
#include "render/raster/color_ref.h"

namespace grid_test {

constexpr ColorRef kWindow = MakeColorRef(250, 250, 250);
constexpr ColorRef kWindowText = MakeColorRef(10, 10, 10);
constexpr ColorRef kFace = MakeColorRef(200, 200, 200);
constexpr ColorRef kShadow = MakeColorRef(120, 120, 120);     // button shadow (Dark)
constexpr ColorRef kDarkShadow = MakeColorRef(60, 60, 60);    // Shadow
constexpr ColorRef kHilight = MakeColorRef(255, 255, 254);    // Light
constexpr ColorRef kLight = MakeColorRef(220, 220, 221);      // Midlight
constexpr ColorRef kHighlight = MakeColorRef(0, 90, 200);
constexpr ColorRef kHighlightText = MakeColorRef(255, 255, 0);

inline QColor Q(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

inline QPalette MakePalette(ColorRef window, ColorRef face) {
  QPalette palette;
  palette.setColor(QPalette::Base, Q(window));
  palette.setColor(QPalette::Text, Q(kWindowText));
  palette.setColor(QPalette::Button, Q(face));
  palette.setColor(QPalette::Dark, Q(kShadow));
  palette.setColor(QPalette::Shadow, Q(kDarkShadow));
  palette.setColor(QPalette::Light, Q(kHilight));
  palette.setColor(QPalette::Midlight, Q(kLight));
  palette.setColor(QPalette::Highlight, Q(kHighlight));
  palette.setColor(QPalette::HighlightedText, Q(kHighlightText));
  return palette;
}

class FixedPalette {
 public:
  FixedPalette() : previous_(QGuiApplication::palette()) {
    QGuiApplication::setPalette(MakePalette(kWindow, kFace));
  }
  ~FixedPalette() { QGuiApplication::setPalette(previous_); }

 private:
  QPalette previous_;
};

}  // namespace grid_test
