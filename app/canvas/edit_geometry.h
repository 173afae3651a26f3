#pragma once
// The geometry of editing areas on the preview canvas, free of windows: which area and
// handle lie under the mouse, one step of a mouse drag (edges that stick, the program
// border, the smallest size, snapping onto the other areas' edges), the arrow keys and
// the align and size commands. Rectangles are in screen pixels, right and bottom
// excluded; mouse points and anchors in the canvas's client pixels. Every conversion
// from the float zoom truncates toward zero, as the canvas draws.

#include <vector>

#include "app/canvas/canvas_ids.h"
#include "app/canvas/canvas_view.h"
#include "platform/input_codes.h"

// An area's rectangle.
struct AreaBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const AreaBox&) const = default;
};

// What part of an area the mouse is on, and so what a drag does to it.
enum HitKind : int {
  kHitNone = 0,
  kHitTopLeft = 1,
  kHitTop = 2,
  kHitTopRight = 3,
  kHitRight = 4,
  kHitBottomRight = 5,
  kHitBottom = 6,
  kHitBottomLeft = 7,
  kHitLeft = 8,
  kHitInside = 9,
};

struct AreaHit {
  int kind = kHitNone;
  int index = 0;  // 1-based position in the list; 0: none
};

// The area and part at (x, y), a point of the zoomed screen (client point plus the
// scroll position). The last area wins (it is drawn on top), and an area's handles win
// over its inside; a handle reaches 2 or 3 pixels past the area's edge.
AreaHit HitTestAreas(const std::vector<AreaBox>& areas, int x, int y, float zoom);

// The cursor id of a hit kind; the arrow outside 1-9.
int CursorOfHit(int kind);

// Everything a drag step works on.
struct DragState {
  std::vector<AreaBox> areas;  // every area of the canvas, in list order
  int dragged = 0;             // 0-based index of the dragged area in areas
  int anchorX = 0;             // the mouse point the last move was measured from
  int anchorY = 0;
  CanvasView view;      // the zoom and the scroll position (zoomed pixels)
  int screenWidth = 0;  // the canvas's screen, which limits a drag
  int screenHeight = 0;
  int border = 0;      // the program border's width, which no area enters
  int areaBorder = 0;  // the dragged area's own border width
};

// One drag step of kind 1-9 to the client point (x, y): moves the dragged area's edges
// (1-8) or the whole area (9) by whole screen pixels and moves the anchor with them.
// An offset below one screen pixel, or within 6 pixels while an edge sits on another
// area's edge, changes nothing, the anchor included. Kind 0 does nothing.
void DragStep(DragState& state, int kind, int x, int y);

// The limits of the keys and the align commands: the program border and the owning
// screen's size.
struct EditBounds {
  int border = 0;
  int width = 0;
  int height = 0;
};

// The virtual-key number of a Qt key the canvas acts on (Tab and the four arrows); 0
// for any other key.
int CanvasKeyOf(int qtKey);

// An arrow key (VK_LEFT to VK_DOWN) on an area: an edge that lies past the border is
// brought back onto it first; else the area moves one pixel unless that edge sits on
// the border. Returns false, changing nothing, for any other key.
bool ArrowKeyStep(AreaBox& box, int key, const EditBounds& bounds);

// The align and size commands 0-13 (centre, align to an edge, fill, full, half and
// quarter size); any other type changes nothing. Types 7-13 change the size.
void AlignArea(AreaBox& box, int type, const EditBounds& bounds);
constexpr bool AlignChangesSize(int type) { return type >= 7 && type <= 13; }
