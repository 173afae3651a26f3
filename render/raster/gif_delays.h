#pragma once
// The frame delays of a GIF exactly as the file stores them. Qt's reader reports
// delays below 2 hundredths of a second as 100 ms; the preview and the card take
// every delay as stored, so the bytes are read here.

#include <QIODevice>

#include <vector>

// The delay, in hundredths of a second, of each image of the GIF in device (read from
// its start), in order: that of the Graphic Control Extension before the image, 0 for
// an image without one. The walk stops at the trailer or at the first block that is
// not whole, keeping the images it has passed (an image counts once its descriptor
// has begun). Never reads past the end of the device; the position is left anywhere.
std::vector<int> GifFrameDelays(QIODevice& device);
