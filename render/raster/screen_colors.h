#pragma once
// What a screen's LEDs can show: each channel of a pixel lit (255) or dark (0), as the
// card's bit planes hold it, and only the channels the screen has (red on one colour,
// red and green on two colours, all three on full colour). The preview reduces every
// colour it shows of a page (text, pictures, GIF and video frames, tables, borders,
// backgrounds) by the planes' rule: a channel is lit at 128 or more.

#include <QImage>
#include <QRgb>

struct ScreenColors {
  QRgb channels = 0xFFFFFF;  // the screen's channels, each 0xFF or 0x00
};

// The colours of a screen's LedColor: 0 one colour (red), 1 two colours (red and
// green), any other value full colour.
ScreenColors ScreenColorsOf(int ledColor);

// The opaque colour the screen shows for a page's pixel: each channel's top bit (128 or
// more) spread over the channel (x 255), the channels the screen lacks dark.
inline QRgb ReducedPixel(QRgb pixel, ScreenColors colors) {
  return (((pixel >> 7) & colors.channels & 0x010101u) * 0xFFu) | 0xFF000000u;
}

// Reduces every pixel of a Format_RGB32 or ARGB32 picture (others are left as they are).
void ReduceColors(QImage& picture, ScreenColors colors);
