#pragma once
// Pictures and GIF files shown in the preview keep only the colours the current
// screen can show, judged pixel by pixel on the 32-bit picture by the screen's
// LedColor, as the card's planes judge them (render/raster/screen_colors.h).

#include <QImage>

#include <optional>

// LedColor 0 (one colour): a pixel with red at least 128 becomes pure red, any other
// black. 1 (two colours): red and green each become 255 when at least 128, else 0;
// blue becomes 0. Any other value (full colour): each channel becomes 255 when at least
// 128, else 0. picture must be Format_RGB32 or ARGB32 (other formats are left as they
// are).
void ReduceColors(QImage& picture, int ledColor);

// The LedColor of the current screen; none while there is no current screen, and
// pictures are then shown as they are. GUI thread only, like the project.
std::optional<int> CurrentLedColor();

// Reduces picture by ledColor when there is one.
void ReduceColors(QImage& picture, std::optional<int> ledColor);
