#include "app/canvas/edit_geometry.h"

#include <QtCore/qnamespace.h>

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// How far (screen pixels) an edge sticks to, and snaps onto, another area's edge.
constexpr int kStickDistance = 6;

bool Within(int value, int low, int high) { return value >= low && value <= high; }

// Whether two extents intersect, ends included.
bool Overlap(int start, int end, int otherStart, int otherEnd) {
  return Within(otherStart, start, end) || Within(otherEnd, start, end) ||
         Within(start, otherStart, otherEnd);
}

int Scale(int value, float zoom) { return static_cast<int>(static_cast<float>(value) * zoom); }

// Handles -------------------------------------------------------------------------

// Where a handle sits on one axis: on the low edge (left or top), the middle or the
// high edge. A handle on the low edge reaches from 2 before to 3 past it, any other
// from 3 before to 2 past.
enum class HandleAt { kLow, kMiddle, kHigh };

struct Handle {
  HandleAt x;
  HandleAt y;
};

// The handles of kinds 1-8, in the order they are tested.
constexpr std::array<Handle, 8> kHandles = {{
    {HandleAt::kLow, HandleAt::kLow},
    {HandleAt::kMiddle, HandleAt::kLow},
    {HandleAt::kHigh, HandleAt::kLow},
    {HandleAt::kHigh, HandleAt::kMiddle},
    {HandleAt::kHigh, HandleAt::kHigh},
    {HandleAt::kMiddle, HandleAt::kHigh},
    {HandleAt::kLow, HandleAt::kHigh},
    {HandleAt::kLow, HandleAt::kMiddle},
}};

bool InHandle(HandleAt at, int point, int low, int high, float zoom) {
  switch (at) {
    case HandleAt::kLow: return Within(point, Scale(low, zoom) - 2, Scale(low, zoom) + 3);
    case HandleAt::kMiddle: {
      const int middle = Scale(low + (high - low) / 2, zoom);
      return Within(point, middle - 3, middle + 2);
    }
    case HandleAt::kHigh: return Within(point, Scale(high, zoom) - 3, Scale(high, zoom) + 2);
  }
  return false;
}

int HitKindOf(const AreaBox& box, int x, int y, float zoom) {
  for (std::size_t i = 0; i < kHandles.size(); ++i) {
    if (InHandle(kHandles[i].x, x, box.left, box.right, zoom) &&
        InHandle(kHandles[i].y, y, box.top, box.bottom, zoom)) {
      return static_cast<int>(i) + 1;
    }
  }
  const auto fx = static_cast<float>(x);
  const auto fy = static_cast<float>(y);
  const bool inside =
      static_cast<float>(box.left) * zoom <= fx && fx <= static_cast<float>(box.right) * zoom &&
      static_cast<float>(box.top) * zoom <= fy && fy <= static_cast<float>(box.bottom) * zoom;
  return inside ? kHitInside : kHitNone;
}

// Edges ---------------------------------------------------------------------------

// One edge of a rectangle: the member it is, the member of another area that faces
// it (also its own opposite edge), whether it moves along x, and whether it is the
// low edge (left or top) of its axis.
struct Edge {
  int AreaBox::*self;
  int AreaBox::*facing;
  bool horizontal;
  bool low;
};

constexpr Edge kLeftEdge{&AreaBox::left, &AreaBox::right, true, true};
constexpr Edge kTopEdge{&AreaBox::top, &AreaBox::bottom, false, true};
constexpr Edge kRightEdge{&AreaBox::right, &AreaBox::left, true, false};
constexpr Edge kBottomEdge{&AreaBox::bottom, &AreaBox::top, false, false};

// The edges a resize of kind 1-8 moves, the horizontal one first; null for none.
struct ResizeEdges {
  const Edge* horizontal;
  const Edge* vertical;
};

ResizeEdges ResizeEdgesOf(int kind) {
  switch (kind) {
    case kHitTopLeft: return {&kLeftEdge, &kTopEdge};
    case kHitTop: return {nullptr, &kTopEdge};
    case kHitTopRight: return {&kRightEdge, &kTopEdge};
    case kHitRight: return {&kRightEdge, nullptr};
    case kHitBottomRight: return {&kRightEdge, &kBottomEdge};
    case kHitBottom: return {nullptr, &kBottomEdge};
    case kHitBottomLeft: return {&kLeftEdge, &kBottomEdge};
    case kHitLeft: return {&kLeftEdge, nullptr};
    default: return {nullptr, nullptr};
  }
}

// Whether two areas overlap across an edge's motion (top-bottom for a horizontal one).
bool OverlapAcross(const Edge& edge, const AreaBox& a, const AreaBox& b) {
  return edge.horizontal ? Overlap(a.top, a.bottom, b.top, b.bottom)
                         : Overlap(a.left, a.right, b.left, b.right);
}

// One axis of the mouse: the point, the anchor (changed by the step), the scroll
// position and the screen's extent.
struct Axis {
  int point;
  int& anchor;
  int scroll;
  int extent;
};

Axis AxisOf(DragState& state, bool horizontal, int x, int y) {
  if (horizontal) return {x, state.anchorX, state.view.scrollX, state.screenWidth};
  return {y, state.anchorY, state.view.scrollY, state.screenHeight};
}

class Drag {
 public:
  explicit Drag(DragState& state) : state_(state), box_(state.areas[state.dragged]) {}

  void Resize(int kind, int x, int y) {
    const ResizeEdges edges = ResizeEdgesOf(kind);
    const int dx = edges.horizontal ? MoveEdge(*edges.horizontal, x, y) : 0;
    const int dy = edges.vertical ? MoveEdge(*edges.vertical, x, y) : 0;
    const int gx = edges.horizontal ? KeptGap(*edges.horizontal, dx) : 0;
    const int gy = edges.vertical ? KeptGap(*edges.vertical, dy) : 0;
    if (edges.horizontal) SnapEdge(*edges.horizontal, gx, state_.anchorX);
    if (edges.vertical) SnapEdge(*edges.vertical, gy, state_.anchorY);
  }

  void Move(int x, int y) {
    const int dx = MoveAxis(kLeftEdge, kRightEdge, AxisOf(state_, true, x, y));
    const int dy = MoveAxis(kTopEdge, kBottomEdge, AxisOf(state_, false, x, y));
    SnapMove(kLeftEdge, kRightEdge, dx, state_.anchorX);
    SnapMove(kTopEdge, kBottomEdge, dy, state_.anchorY);
  }

 private:
  float Zoom() const { return state_.view.zoom; }

  // Screen pixels the mouse has moved from the anchor.
  int Delta(const Axis& axis) const {
    return static_cast<int>(static_cast<float>(axis.point - axis.anchor) / Zoom());
  }

  // The anchor on the zoom grid under the point: rounded down when moving forward,
  // up (in single precision) when moving back.
  int GridAnchor(const Axis& axis) const {
    const float exact = static_cast<float>(axis.point) / Zoom();
    const float cell =
        axis.point > axis.anchor ? static_cast<float>(static_cast<int>(exact)) : std::ceil(exact);
    return static_cast<int>(cell * Zoom());
  }

  // The anchor at an edge placed by a limit, in client pixels.
  int AnchorAt(int edge, const Axis& axis) const {
    return static_cast<int>(static_cast<float>(edge) * Zoom() - static_cast<float>(axis.scroll));
  }

  // Whether the edge sits on another area's facing edge (the two overlapping across)
  // or on its same edge.
  bool Stuck(const Edge& edge) const {
    for (std::size_t i = 0; i < state_.areas.size(); ++i) {
      if (static_cast<int>(i) == state_.dragged) continue;
      const AreaBox& other = state_.areas[i];
      if ((other.*edge.facing == box_.*edge.self && OverlapAcross(edge, box_, other)) ||
          other.*edge.self == box_.*edge.self) {
        return true;
      }
    }
    return false;
  }

  bool Sticks(const Edge& edge, int delta) const {
    return Within(delta, -kStickDistance, kStickDistance) && Stuck(edge);
  }

  // Moves one edge by the mouse's offset within the border and the smallest size;
  // returns the offset taken (0: nothing moved).
  int MoveEdge(const Edge& edge, int x, int y) {
    const Axis axis = AxisOf(state_, edge.horizontal, x, y);
    int delta = Delta(axis);
    if (Sticks(edge, delta)) delta = 0;
    if (delta == 0) return 0;
    const int border = state_.border;
    const int far = axis.extent - border;
    const int opposite = box_.*edge.facing;
    const int least = 2 * state_.areaBorder;
    int moved = box_.*edge.self + delta;
    if (edge.low ? moved < border : moved > far) {
      moved = edge.low ? border : far;
      axis.anchor = AnchorAt(moved, axis);
    } else if (edge.low ? moved >= opposite - least : moved <= opposite + least) {
      moved = edge.low ? opposite - least - 1 : opposite + least + 1;
      axis.anchor = AnchorAt(moved, axis);
    } else {
      axis.anchor = GridAnchor(axis);
    }
    box_.*edge.self = moved;
    return delta;
  }

  // The gap from the edge to the nearest other edge in the direction of motion: a
  // facing edge of an area overlapping across, or the same edge of any area; 0 for
  // none or when the edge did not move.
  int KeptGap(const Edge& edge, int delta) const {
    if (delta == 0) return 0;
    int kept = 0;
    const auto consider = [&](int gap) {
      if ((delta < 0 ? gap < 0 : gap > 0) && (kept == 0 || std::abs(gap) < std::abs(kept))) {
        kept = gap;
      }
    };
    for (std::size_t i = 0; i < state_.areas.size(); ++i) {
      if (static_cast<int>(i) == state_.dragged) continue;
      const AreaBox& other = state_.areas[i];
      if (OverlapAcross(edge, box_, other)) consider(other.*edge.facing - box_.*edge.self);
      consider(other.*edge.self - box_.*edge.self);
    }
    return kept;
  }

  static bool Snaps(int gap) { return Within(gap, -kStickDistance, kStickDistance); }

  void ShiftAnchor(int& anchor, int gap) const {
    anchor = static_cast<int>(static_cast<float>(gap) * Zoom() + static_cast<float>(anchor));
  }

  void SnapEdge(const Edge& edge, int gap, int& anchor) {
    if (!Snaps(gap)) return;
    box_.*edge.self += gap;
    ShiftAnchor(anchor, gap);
  }

  // Moves the area along one axis, keeping its size, inside the border; an area wider
  // than the room ends on the far border. Returns the offset taken.
  int MoveAxis(const Edge& low, const Edge& high, const Axis& axis) {
    int delta = Delta(axis);
    if (Sticks(low, delta) || Sticks(high, delta)) delta = 0;
    if (delta == 0) return 0;
    const int border = state_.border;
    const int far = axis.extent - border;
    int start = box_.*low.self + delta;
    int end = box_.*high.self + delta;
    if (start < border) {
      axis.anchor = static_cast<int>(static_cast<float>(axis.anchor) -
                                     static_cast<float>(box_.*low.self - border) * Zoom());
    } else if (end < far) {
      axis.anchor = GridAnchor(axis);
    } else {
      ShiftAnchor(axis.anchor, far - box_.*high.self);
    }
    if (start < border) {
      end += border - start;
      start = border;
    }
    if (end >= far) {
      start += far - end;
      end = far;
    }
    box_.*low.self = start;
    box_.*high.self = end;
    return delta;
  }

  // Snaps a moved area by its low edge, or else by its high edge.
  void SnapMove(const Edge& low, const Edge& high, int delta, int& anchor) {
    int gap = KeptGap(low, delta);
    if (gap == 0 || !Snaps(gap)) gap = KeptGap(high, delta);
    if (!Snaps(gap)) return;
    box_.*low.self += gap;
    box_.*high.self += gap;
    ShiftAnchor(anchor, gap);
  }

  DragState& state_;
  AreaBox& box_;
};

// Brings a low edge (left, top) back onto the border, or moves the area one pixel
// back unless the edge sits on it.
void StepBack(int& low, int& high, int border) {
  if (low < border) {
    low = border;
  } else if (low > border) {
    --low;
    --high;
  }
}

// The same for a high edge (right, bottom) against the far border, moving forward.
void StepForward(int& low, int& high, int far) {
  if (high > far) {
    high = far;
  } else if (high < far) {
    ++low;
    ++high;
  }
}

// Full (inside the border), half and quarter extent on one axis; size is the screen's.
void FullExtent(int& low, int& high, int border, int size) {
  low = border;
  high = size - border;
  if (high - low < 1) high = border + 1;
}

void PartExtent(int& low, int& high, int size, int parts) {
  if (low + size / parts > size) {
    low = (parts - 1) * size / parts;
    high = size;
  } else {
    high = low + size / parts;
  }
}

}  // namespace

AreaHit HitTestAreas(const std::vector<AreaBox>& areas, int x, int y, float zoom) {
  for (std::size_t i = areas.size(); i > 0; --i) {
    const int kind = HitKindOf(areas[i - 1], x, y, zoom);
    if (kind != kHitNone) return {kind, static_cast<int>(i)};
  }
  return {};
}

int CursorOfHit(int kind) {
  static constexpr std::array<int, 10> kCursors = {
      kCursorArrow, kCursorNwse, kCursorNs,   kCursorNesw, kCursorWe,
      kCursorNwse,  kCursorNs,   kCursorNesw, kCursorWe,   kCursorMove};
  return Within(kind, 0, 9) ? kCursors[static_cast<std::size_t>(kind)] : kCursorArrow;
}

void DragStep(DragState& state, int kind, int x, int y) {
  if (state.dragged < 0 || state.dragged >= static_cast<int>(state.areas.size()) ||
      state.view.zoom <= 0.0f) {
    return;
  }
  Drag drag(state);
  if (kind == kHitInside) {
    drag.Move(x, y);
  } else if (Within(kind, kHitTopLeft, kHitLeft)) {
    drag.Resize(kind, x, y);
  }
}

int CanvasKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
  }
}

bool ArrowKeyStep(AreaBox& box, int key, const EditBounds& bounds) {
  switch (key) {
    case VK_LEFT: StepBack(box.left, box.right, bounds.border); return true;
    case VK_UP: StepBack(box.top, box.bottom, bounds.border); return true;
    case VK_RIGHT: StepForward(box.left, box.right, bounds.width - bounds.border); return true;
    case VK_DOWN: StepForward(box.top, box.bottom, bounds.height - bounds.border); return true;
    default: return false;
  }
}

void AlignArea(AreaBox& box, int type, const EditBounds& bounds) {
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  const int border = bounds.border;
  const int width = bounds.width;
  const int height = bounds.height;
  const auto centreX = [&] {
    box.left = (width - w) / 2;
    box.right = box.left + w;
  };
  const auto centreY = [&] {
    box.top = (height - h) / 2;
    box.bottom = box.top + h;
  };
  switch (type) {
    case 0: centreX(); break;
    case 1: centreY(); break;
    case 2:
      box.top = border;
      box.bottom = border + h;
      break;
    case 3:
      box.top = height - border - h;
      box.bottom = height - border;
      break;
    case 4:
      box.left = border;
      box.right = border + w;
      break;
    case 5:
      box.left = width - border - w;
      box.right = width - border;
      break;
    case 6:
      centreX();
      centreY();
      break;
    case 7:
      FullExtent(box.left, box.right, border, width);
      FullExtent(box.top, box.bottom, border, height);
      break;
    case 8: FullExtent(box.left, box.right, border, width); break;
    case 9: PartExtent(box.left, box.right, width, 2); break;
    case 10: PartExtent(box.left, box.right, width, 4); break;
    case 11: FullExtent(box.top, box.bottom, border, height); break;
    case 12: PartExtent(box.top, box.bottom, height, 2); break;
    case 13: PartExtent(box.top, box.bottom, height, 4); break;
    default: break;
  }
}
