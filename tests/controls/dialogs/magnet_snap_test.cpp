// Snapping to a master's edges, as named rows: 9 pixels snap and 10 do not on each
// side, moving and resizing; the corner; an all-zero proposal; following.
#include <gtest/gtest.h>

#include "controls/dialogs/magnet_snap.h"

namespace {

constexpr PixelRect kMaster{100, 100, 400, 300};

struct SnapCase {
  const char* name;
  PixelRect window;  // the window's rectangle now
  WindowPos proposal;
  WindowPos expected;
  MagnetDock dock;
};

PixelRect At(int x, int y, int cx = 120, int cy = 80) { return {x, y, x + cx, y + cy}; }

const SnapCase kCases[] = {
    // Moving: the whole window comes to the edge.
    {"right_9_snaps", At(500, 150), {409, 150, 120, 80}, {400, 150, 120, 80}, {1, 50, kSideRight}},
    {"right_10_stays", At(500, 150), {410, 150, 120, 80}, {410, 150, 120, 80}, {}},
    {"left_9_snaps", At(-100, 150), {-29, 150, 120, 80}, {-20, 150, 120, 80}, {1, 50, kSideLeft}},
    {"left_10_stays", At(-100, 150), {-30, 150, 120, 80}, {-30, 150, 120, 80}, {}},
    {"above_9_snaps", At(150, -50), {150, 11, 120, 80}, {150, 20, 120, 80}, {1, 50, kSideAbove}},
    {"above_10_stays", At(150, -50), {150, 10, 120, 80}, {150, 10, 120, 80}, {}},
    {"below_9_snaps", At(150, 400), {150, 309, 120, 80}, {150, 300, 120, 80}, {1, 50, kSideBelow}},
    {"below_10_stays", At(150, 400), {150, 310, 120, 80}, {150, 310, 120, 80}, {}},
    {"right_top_aligns",
     At(500, 150),
     {405, 105, 120, 80},
     {400, 100, 120, 80},
     {1, 0, kSideRight}},
    {"right_bottom_aligns",
     At(500, 150),
     {405, 215, 120, 80},
     {400, 220, 120, 80},
     {1, 120, kSideRight}},
    {"below_right_aligns",
     At(150, 400),
     {275, 305, 120, 80},
     {280, 300, 120, 80},
     {1, 180, kSideBelow}},
    // Resizing: only the dragged border moves.
    {"resize_left_border_9",
     At(410, 150, 120),
     {405, 150, 125, 80},
     {400, 150, 130, 80},
     {1, 50, kSideRight}},
    {"resize_left_border_10", At(415, 150, 120), {410, 150, 125, 80}, {410, 150, 125, 80}, {}},
    {"resize_right_border_9",
     At(-40, 150),
     {-40, 150, 131, 80},
     {-40, 150, 140, 80},
     {1, 50, kSideLeft}},
    {"resize_right_border_10", At(-40, 150), {-40, 150, 130, 80}, {-40, 150, 130, 80}, {}},
    {"resize_bottom_border_9",
     At(150, 0),
     {150, 0, 120, 91},
     {150, 0, 120, 100},
     {1, 50, kSideAbove}},
    {"resize_bottom_border_10", At(150, 0), {150, 0, 120, 90}, {150, 0, 120, 90}, {}},
    {"resize_top_border_9",
     At(150, 320),
     {150, 309, 120, 91},
     {150, 300, 120, 100},
     {1, 50, kSideBelow}},
    {"resize_top_border_10", At(150, 320), {150, 310, 120, 90}, {150, 310, 120, 90}, {}},
    // Overlapping the top-right corner by less than 10 each way: above it, its left
    // edge on the master's right edge.
    {"corner_above_wins", At(600, 0), {395, 25, 120, 80}, {400, 20, 120, 80}, {1, 300, kSideAbove}},
};

TEST(MagnetSnap, NamedCases) {
  for (const SnapCase& c : kCases) {
    SCOPED_TRACE(c.name);
    WindowPos pos = c.proposal;
    MagnetDock dock{1, 77, kSideLeft};  // whatever came before is worked out anew
    Snap(pos, c.window, kMaster, dock);
    EXPECT_EQ(pos, c.expected);
    EXPECT_EQ(dock, c.dock);
  }
}

TEST(MagnetSnap, AllZeroProposalChangesNothing) {
  WindowPos pos{};
  MagnetDock dock{1, 50, kSideRight};
  Snap(pos, At(400, 150), kMaster, dock);
  EXPECT_EQ(pos, WindowPos{});
  EXPECT_EQ(dock, (MagnetDock{1, 50, kSideRight}));
}

TEST(MagnetSnap, FollowKeepsSizeAndOffsetOnEachSide) {
  const PixelRect window = At(0, 0, 120, 80);
  const PixelRect master{200, 100, 500, 300};
  EXPECT_EQ(FollowPosition(window, master, {1, 30, kSideLeft}), (WindowPos{80, 130, 120, 80}));
  EXPECT_EQ(FollowPosition(window, master, {1, 30, kSideRight}), (WindowPos{500, 130, 120, 80}));
  EXPECT_EQ(FollowPosition(window, master, {1, 30, kSideAbove}), (WindowPos{230, 20, 120, 80}));
  EXPECT_EQ(FollowPosition(window, master, {1, -30, kSideBelow}), (WindowPos{170, 300, 120, 80}));
}

}  // namespace
