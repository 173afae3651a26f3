#pragma once
// The delay of a GIF's first frame exactly as the file stores it. Qt's reader turns
// short delays into 100 ms, so the card's speed rule reads the bytes itself.

#include <QIODevice>

// The delay, in hundredths of a second, of the Graphic Control Extension that comes
// before the first image of the GIF in device, read from the start of the device.
// 0 when the first image has none, or when the bytes are not a GIF that gets that far.
// Never reads past the end of the device; the position is left anywhere.
int FirstGifFrameDelay(QIODevice& device);
