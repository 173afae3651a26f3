#pragma once
// The layout frame's toolbar pictures, drawn by the program itself: one per button in
// the toolbar's order (zoom in, zoom out, align left, right, top, bottom, full width,
// full height, fill, play), then the stop picture the play button shows while the
// preview plays.

#include <QImage>

// The number of pictures: ten buttons and the stop picture.
constexpr int kFrameArtCount = 11;
// The play button's pictures.
constexpr int kFrameArtPlay = 9;
constexpr int kFrameArtStop = 10;

// Picture 0-10 at size x size pixels on white, the toolbar's transparent colour; a null
// image for any other index.
QImage PaintFrameArt(int index, int size);
