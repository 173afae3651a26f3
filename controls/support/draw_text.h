#pragma once
// Text drawn and measured in a rectangle by the DrawText flags that cells and records
// store. Only the flags the controls use take effect: horizontal and vertical
// alignment (vertical only on a single line, as GDI does), word breaks, single line,
// the end ellipsis, and the edit-control rule that a last line that does not fit whole
// is left out. The prefix character '&' is never interpreted (every caller passes
// DT_NOPREFIX).

#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>

#include <cstdint>

#include "render/raster/pixel_rect.h"

constexpr std::uint32_t DT_LEFT = 0x0000;
constexpr std::uint32_t DT_CENTER = 0x0001;
constexpr std::uint32_t DT_RIGHT = 0x0002;
constexpr std::uint32_t DT_VCENTER = 0x0004;
constexpr std::uint32_t DT_BOTTOM = 0x0008;
constexpr std::uint32_t DT_WORDBREAK = 0x0010;
constexpr std::uint32_t DT_SINGLELINE = 0x0020;
constexpr std::uint32_t DT_CALCRECT = 0x0400;
constexpr std::uint32_t DT_NOPREFIX = 0x0800;
constexpr std::uint32_t DT_EDITCONTROL = 0x2000;
constexpr std::uint32_t DT_END_ELLIPSIS = 0x8000;

// Draws the text in the painter's font and pen inside the rectangle, clipped to it.
void DrawTextInRect(QPainter& painter, const QString& text, const PixelRect& rect,
                    std::uint32_t format);

// The size DrawTextInRect covers (DT_CALCRECT): one line's advance and height, or with
// word breaks the widest line and the height of the lines wrapped at width.
QSize MeasureTextInRect(const QFont& font, const QString& text, int width,
                        std::uint32_t format);
