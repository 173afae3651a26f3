#pragma once
// A picture or GIF frame as the LED screen shows it: drawn over an opaque background
// (black, as the card shows transparent parts) and stretched nearest-neighbour to the
// area. The preview and the SDK both draw pictures through here, so that they show the
// same pixels.

#include <QImage>

// image drawn at its own size over background, then stretched onto width x height
// (copied one to one when the sizes match); Format_RGB32. Null when image is null or
// a picture cannot be made.
QImage PictureOnBackground(const QImage& image, int width, int height,
                           QRgb background = qRgb(0, 0, 0));
