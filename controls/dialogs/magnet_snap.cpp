#include "controls/dialogs/magnet_snap.h"

#include <cstdlib>

namespace {

bool Near(int a, int b) { return std::abs(a - b) <= kSnapDistance; }

}  // namespace

void Snap(WindowPos& pos, const PixelRect& window, const PixelRect& master, MagnetDock& dock) {
  // Every test below reads the proposal as it came in.
  const int x = pos.x;
  const int y = pos.y;
  const int right = pos.x + pos.cx;
  const int bottom = pos.y + pos.cy;
  if (x == 0 && right == 0 && y == 0 && bottom == 0 && !window.IsEmpty()) return;
  const bool resizing = pos.cx != window.Width() || pos.cy != window.Height();
  const PixelRect& m = master;
  dock = {};

  // Beside the master: left or right of it.
  if (m.top < bottom && y < m.bottom) {
    int side = kSideNone;
    if (Near(right, m.left)) {
      side = kSideLeft;
      if (resizing) {
        pos.cx = m.left - x;
      } else {
        pos.x = x + m.left - right;
      }
    } else if (Near(x, m.right)) {
      side = kSideRight;
      pos.x = m.right;
      if (resizing) pos.cx = right - m.right;
    }
    if (side != kSideNone) {
      dock = {1, 0, side};
      if (Near(y, m.top)) {
        pos.y = m.top;
        if (resizing) pos.cy = bottom - m.top;
      }
      if (Near(bottom, m.bottom)) {
        if (resizing) {
          pos.cy = m.bottom - pos.y;
        } else {
          pos.y = y + m.bottom - bottom;
        }
      }
      dock.offset = pos.y - m.top;
    }
  }

  // Above or below the master; at a corner this side and offset win.
  if (m.left < right && x < m.right) {
    int side = kSideNone;
    if (Near(bottom, m.top)) {
      side = kSideAbove;
      if (resizing) {
        pos.cy = m.top - pos.y;
      } else {
        pos.y = pos.y + m.top - bottom;
      }
    } else if (Near(y, m.bottom)) {
      side = kSideBelow;
      pos.y = m.bottom;
      if (resizing) pos.cy = bottom - m.bottom;
    }
    if (side == kSideNone) return;
    dock = {1, 0, side};
    if (Near(x, m.left)) {
      pos.x = m.left;
      if (resizing) pos.cx = right - m.left;
    }
    if (Near(right, m.right)) {
      if (resizing) {
        pos.cx = m.right - pos.x;
      } else {
        pos.x = x + m.right - right;
      }
    }
    dock.offset = pos.x - m.left;
  }
}

WindowPos FollowPosition(const PixelRect& window, const PixelRect& master, const MagnetDock& dock) {
  WindowPos pos{window.left, window.top, window.Width(), window.Height()};
  switch (dock.side) {
    case kSideLeft:
      pos.x = master.left - window.Width();
      pos.y = master.top + dock.offset;
      break;
    case kSideRight:
      pos.x = master.right;
      pos.y = master.top + dock.offset;
      break;
    case kSideAbove:
      pos.x = master.left + dock.offset;
      pos.y = master.top - window.Height();
      break;
    case kSideBelow:
      pos.x = master.left + dock.offset;
      pos.y = master.bottom;
      break;
    default: break;
  }
  return pos;
}
