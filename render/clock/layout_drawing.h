#pragma once
// The preview composes clocks and countdowns from the element table the card gets,
// as the card does: each element's glyph cell at its place, lit pixels in the colour
// of its colour bits as far as the screen has those channels, everything else left as
// it is.

#include <QImage>
#include <QString>

#include <cstring>
#include <ctime>
#include <map>
#include <optional>
#include <type_traits>

#include "render/clock_layout/clock_layout.h"
#include "render/raster/screen_colors.h"

// What the card fills the elements with at one moment.
struct ElementValues {
  std::map<int, QString> digits;  // by number kind: the digits drawn, one cell each
  int amPm = 0;                   // cell of the AM/PM element: 0 morning, 1 afternoon
  int weekday = 0;                // cell of the weekday element: 0 Sunday to 6 Saturday
};

// The values of a clock at a local time: day, month, minute and second in two digits,
// the hour on the 24-hour and the 12-hour clock (12 for 0 and 12) in two, the year in
// four and its last two.
ElementValues ClockValues(const std::tm& time);

// The colour bits a screen shows of an element's: those of the channels it has (all
// without a screen).
int VisibleBits(int colorBits, const std::optional<ScreenColors>& colors);

// Draws the layout's elements into area in table order. A number shows its digits
// side by side, digit i at x + i x w, each the first w columns of its digit cell; any
// other element the first `width` columns of its cell (the weekday's and the AM/PM
// cell by the values); every element h rows, its lit pixels in the colour of its
// VisibleBits; an element with none draws nothing. An x of kChainedX stands right
// behind the previous element. Pixels outside area are cut.
void DrawClockLayout(QImage& area, const ClockLayout& layout, const ElementValues& values,
                     const std::optional<ScreenColors>& colors);

// A layout worked out again only when the record or the area's size has changed, so
// that an edit shows at the next redraw and an unchanged clock costs a comparison.
template <typename Record>
class CachedClockLayout {
  static_assert(std::is_trivially_copyable_v<Record>);

 public:
  using LayOut = bool (*)(const Record&, int, int, ClockLayout&);

  explicit CachedClockLayout(LayOut layOut) : layOut_(layOut) {}

  // The layout of info at width x height; an empty one when a strip cannot be drawn.
  const ClockLayout& Get(const Record& info, int width, int height) {
    if (!valid_ || width != width_ || height != height_ ||
        std::memcmp(&info, &record_, sizeof(Record)) != 0) {
      std::memcpy(&record_, &info, sizeof(Record));
      width_ = width;
      height_ = height;
      valid_ = true;
      if (!layOut_(info, width, height, layout_)) layout_ = {};
    }
    return layout_;
  }

 private:
  LayOut layOut_;
  Record record_{};
  int width_ = 0;
  int height_ = 0;
  bool valid_ = false;
  ClockLayout layout_;
};
