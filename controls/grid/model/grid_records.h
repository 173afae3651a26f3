#pragma once
// The records in which cell attributes travel between the grid, its callers and its
// owner, and the grid's notification codes.

#include <QString>

#include <cstdint>

#include "controls/grid/model/cell_id.h"
#include "controls/support/notify.h"
#include "render/raster/color_ref.h"
#include "render/raster/log_font.h"

// Notification codes the grid sends its owner with WM_NOTIFY.
constexpr int GVN_SELCHANGING = -100;
constexpr int GVN_SELCHANGED = -101;
constexpr int GVN_BEGINDRAG = -109;
constexpr int GVN_ODCACHEHINT = -113;
constexpr int GVN_BEGINLABELEDIT = -175;  // a negative reply vetoes the edit
constexpr int GVN_ENDLABELEDIT = -176;    // a negative reply vetoes the edit
constexpr int GVN_GETDISPINFO = -177;
constexpr int NM_CLICK = -2;
constexpr int NM_DBLCLK = -3;
constexpr int NM_RCLICK = -5;

// GridCellInfo::mask bits: which members a record carries.
constexpr std::uint32_t GVIF_TEXT = 0x01;
constexpr std::uint32_t GVIF_IMAGE = 0x02;
constexpr std::uint32_t GVIF_PARAM = 0x04;
constexpr std::uint32_t GVIF_STATE = 0x08;
constexpr std::uint32_t GVIF_BKCLR = 0x10;
constexpr std::uint32_t GVIF_FGCLR = 0x20;
constexpr std::uint32_t GVIF_FORMAT = 0x40;
constexpr std::uint32_t GVIF_FONT = 0x80;
constexpr std::uint32_t GVIF_MARGIN = 0x100;

// Cell state bits.
constexpr std::uint32_t GVIS_FOCUSED = 0x01;
constexpr std::uint32_t GVIS_SELECTED = 0x02;
constexpr std::uint32_t GVIS_DROPHILITED = 0x04;
constexpr std::uint32_t GVIS_READONLY = 0x08;
constexpr std::uint32_t GVIS_FIXED = 0x10;
constexpr std::uint32_t GVIS_FIXEDROW = 0x20;
constexpr std::uint32_t GVIS_FIXEDCOL = 0x40;
constexpr std::uint32_t GVIS_MODIFIED = 0x80;

// A colour value that means "take the default cell's".
constexpr ColorRef kDefaultColor = 0xFF000000;

struct GridCellInfo {
  int row = 0;
  int col = 0;
  std::uint32_t mask = 0;
  std::uint32_t state = 0;
  std::uint32_t format = 0;
  int image = 0;
  ColorRef backColor = 0;
  ColorRef textColor = 0;
  LPARAM param = 0;
  LogFontW font;
  std::uint32_t margin = 0;
  QString text;
};

// Cell notifications (selection, drag, clicks): the header and the cell.
struct GridNotify {
  NMHDR hdr;
  int row = -1;
  int col = -1;
};

// Display request (-177) and end of an in-place edit (-176).
struct GridDisplayInfo {
  NMHDR hdr;
  GridCellInfo item;
};

// Cache hint (-113): the cells about to be drawn, all -1 after a paint.
struct GridCacheHint {
  NMHDR hdr;
  CCellBlock range;
};
