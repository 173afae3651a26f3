#include "controls/grid/model/grid_print_layout.h"

#include <cmath>
#include <cstdint>

namespace {

// MulDiv: a x b / c rounded half away from zero, in 64 bits; -1 for c = 0.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const double exact = static_cast<double>(std::int64_t{a} * b) / c;
  return static_cast<int>(std::lround(exact));
}

// Walks the bands of sizes[first..]: the index where band `wanted` (from 0) starts,
// or sizes.size() when it does not; *count is the number of bands walked.
int WalkBands(const std::vector<int>& sizes, int first, int available, int wanted, int* count) {
  int sum = 0;
  int band = 0;
  for (int i = first; i < static_cast<int>(sizes.size()); ++i) {
    if (sum > 0 && sum + sizes[i] > available) {
      ++band;
      sum = 0;
      if (band == wanted) return i;
    }
    sum += sizes[i];
  }
  *count = band + 1;
  return static_cast<int>(sizes.size());
}

}  // namespace

GridPageLayout LayOutGridPage(const GridPageInput& in) {
  GridPageLayout out;
  const int margins = in.charWidth * (in.leftMargin + in.rightMargin);
  if (in.proportional && in.printerDpiX > 0 && in.printerDpiY > 0) {
    out.logicalWidth = in.pageWidthPixels * kScreenDpi / in.printerDpiX * 3 / 4;
    out.logicalHeight = in.pageHeightPixels * kScreenDpi / in.printerDpiY * 3 / 4;
  } else {
    out.logicalWidth = in.gridWidth + margins;
    out.logicalHeight = MulDiv(out.logicalWidth, in.pageHeightPixels, in.pageWidthPixels);
  }
  out.availableHeight = out.logicalHeight -
                        (in.headerHeight + 2 * in.gap + in.footerHeight) * in.charHeight -
                        in.fixedRowHeight;
  out.availableWidth = out.logicalWidth - in.fixedColumnWidth - margins;
  return out;
}

int CountPrintBands(const std::vector<int>& sizes, int first, int available) {
  int count = 1;
  WalkBands(sizes, first, available, -1, &count);
  return count;
}

int PrintBandStart(const std::vector<int>& sizes, int first, int available, int band) {
  if (band <= 0) return first;
  int count = 1;
  return WalkBands(sizes, first, available, band, &count);
}
