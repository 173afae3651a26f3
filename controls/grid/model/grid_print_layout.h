#pragma once
// How a printed grid falls into pages: the logical page the grid is scaled into, the
// room left for the grid on it, and the bands of rows (and, printed at screen
// proportions, of columns) that make up the pages. Pure functions of sizes, so the
// pagination is tested without a printer.

#include <vector>

// The pages of a print job: the page being printed and the last one (from 1).
struct PrintInfo {
  int currentPage = 1;
  int maxPage = 1;
};

// What the page layout is made from. Sizes in the grid's pixels, the header, footer,
// gap and margins in character heights or widths of the print font.
struct GridPageInput {
  int gridWidth = 0;
  int fixedRowHeight = 0;
  int fixedColumnWidth = 0;
  int charWidth = 1;
  int charHeight = 1;
  int pageWidthPixels = 0;  // the printer's printable page
  int pageHeightPixels = 0;
  int printerDpiX = 96;
  int printerDpiY = 96;
  bool proportional = false;  // screen proportions, pages across as needed
  int headerHeight = 2;
  int footerHeight = 2;
  int leftMargin = 4;
  int rightMargin = 4;
  int gap = 1;
};

struct GridPageLayout {
  int logicalWidth = 0;  // the page in the grid's units
  int logicalHeight = 0;
  int availableHeight = 0;  // for the non-fixed rows of a page
  int availableWidth = 0;   // for the non-fixed columns of a page
};

// The screen's resolution the proportional mode scales from.
constexpr int kScreenDpi = 96;

// The default mode scales the grid's whole width (with the margins) to the page; the
// proportional mode prints at three quarters of the screen's size.
GridPageLayout LayOutGridPage(const GridPageInput& input);

// The bands sizes[first..] fall into when each holds what fits in `available`: a band
// ends before the size that would make it exceed `available`. A size larger than
// `available` is a band of its own (printed cut at the page's edge), never after an
// empty band. At least 1 (an empty band when there are no sizes).
int CountPrintBands(const std::vector<int>& sizes, int first, int available);
// The first index of band `band` (from 0) as CountPrintBands counts them; sizes.size()
// after the last band.
int PrintBandStart(const std::vector<int>& sizes, int first, int available, int band);
