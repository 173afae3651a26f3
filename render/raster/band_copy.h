#pragma once
// One-to-one copies of a band between 32-bit pictures (Format_RGB32 or Format_ARGB32),
// the BitBlt SRCCOPY of the LED pictures: the band is clipped to both pictures, so any
// rectangle and position are safe, and a part of the band that lies outside the source
// is never read. Nothing is allocated, so the preview may copy every tick.

#include <QImage>
#include <QRgb>

#include "render/raster/pixel_rect.h"

// Which lines of the band are copied; parity counts in target coordinates. The
// interlaced transitions copy every other row or column in one pass.
enum class BandLines { kAll, kEvenRows, kOddRows, kEvenColumns, kOddColumns };

// Copies the part sourceRect of source to target with its top-left corner at
// (targetX, targetY). An empty band, a null picture or one of another format draws
// nothing. source and target must not be the same picture.
void CopyBand(const QImage& source, const PixelRect& sourceRect, QImage& target, int targetX,
              int targetY, BandLines lines = BandLines::kAll);

// Copies count pixels of one row (count <= 0 copies nothing) with plain vector moves.
// memcpy is avoided on purpose: for rows of a few kilobytes the C library (and the
// compiler, inlining a bounded copy) use a string-move instruction that, on some
// processors, runs several times slower when the two rows lie at certain distances
// apart, as pictures of one size allocated one after the other do.
void CopyPixels(QRgb* out, const QRgb* in, int count);
