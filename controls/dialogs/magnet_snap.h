#pragma once
// How a window snaps to the edges of its master window and follows it: pure
// functions on window rectangles (frames included), right and bottom exclusive.

#include "render/raster/pixel_rect.h"

// A proposed position and size of a window: its frame's top-left corner and size.
struct WindowPos {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;

  friend bool operator==(const WindowPos&, const WindowPos&) = default;
};

// Where a window touches its master.
enum MagnetSide { kSideNone = 0, kSideLeft = 1, kSideRight = 2, kSideAbove = 3, kSideBelow = 4 };

struct MagnetDock {
  int docked = 0;  // 1 while the window touches one of its master's sides
  int offset = 0;  // along that side: from the master's top (left, right) or left
                   // (above, below) to the window's top or left
  int side = kSideNone;

  friend bool operator==(const MagnetDock&, const MagnetDock&) = default;
};

// Edges this close (in pixels) or closer snap together.
constexpr int kSnapDistance = 9;

// Adjusts the proposal of a window whose rectangle is now `window` so that its edges
// within kSnapDistance of the master's touch them, and works out the dock anew. A
// proposal whose size differs from the window's is a resize: the edges move, not
// the window. An all-zero proposal of a non-empty window changes nothing, the dock
// included. Near a corner both sides' adjustments hold and the dock is the one above
// or below.
void Snap(WindowPos& proposal, const PixelRect& window, const PixelRect& master, MagnetDock& dock);

// The top-left corner a docked window of rectangle `window` takes, its size kept,
// when its master's rectangle is `master`.
WindowPos FollowPosition(const PixelRect& window, const PixelRect& master, const MagnetDock& dock);
