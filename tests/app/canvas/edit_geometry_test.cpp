// Hit test, drag steps, arrow keys and align commands on a 128 x 32 screen, each drag
// at zooms 0.5, 1, 3 and 8 and with the view scrolled or not: the screen result must
// not depend on either, and the anchor must follow the mouse.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/canvas/edit_geometry.h"

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 32;

struct View {
  float zoom;
  int scroll;
};

class DragTest : public testing::TestWithParam<View> {
 protected:
  // A drag of the first area of areas, the anchor on the zoom grid at screen (40, 16).
  DragState Start(std::vector<AreaBox> areas, int border = 0, int areaBorder = 0) const {
    const View view = GetParam();
    return {.areas = std::move(areas),
            .anchorX = Client(40),
            .anchorY = Client(16),
            .view = {.zoom = view.zoom, .scrollX = view.scroll, .scrollY = view.scroll},
            .screenWidth = kWidth,
            .screenHeight = kHeight,
            .border = border,
            .areaBorder = areaBorder};
  }
  int Client(int screenPixels) const {
    return static_cast<int>(static_cast<float>(screenPixels) * GetParam().zoom);
  }
  // One step by a whole number of screen pixels (even, so that zoom 0.5 can show it).
  AreaBox Step(DragState& state, int kind, int dx, int dy) const {
    DragStep(state, kind, state.anchorX + Client(dx), state.anchorY + Client(dy));
    return state.areas[0];
  }
};

TEST_P(DragTest, HitTestOrderAndHandleZones) {
  const float z = GetParam().zoom;
  const std::vector<AreaBox> areas = {{10, 4, 60, 28}, {40, 8, 100, 24}};
  const auto hit = [&](int x, int y) {
    const AreaHit h = HitTestAreas(areas, x, y, z);
    return std::pair(h.kind, h.index);
  };
  // Where both lie, the last drawn wins.
  EXPECT_EQ(hit(Client(50), Client(16)), std::pair(9, 2));
  EXPECT_EQ(hit(Client(20), Client(16)), std::pair(9, 1));
  // Handle zones reach 2 pixels before a low edge and 3 before a high one.
  EXPECT_EQ(hit(Client(100) + 2, Client(24) + 2), std::pair(5, 2));
  EXPECT_EQ(hit(Client(100) + 3, Client(24) + 3), std::pair(0, 0));
  EXPECT_EQ(hit(Client(10) - 2, Client(4) - 2), std::pair(1, 1));
  EXPECT_EQ(hit(Client(10) - 3, Client(4) - 2), std::pair(0, 0));
  // An area's handles win over its inside, the inside of the last over the first's
  // handles.
  EXPECT_EQ(hit(Client(40) + 3, Client(16)), std::pair(8, 2));
  EXPECT_EQ(hit(Client(60), Client(16)), std::pair(9, 2));
  EXPECT_EQ(CursorOfHit(4), kCursorWe);
  EXPECT_EQ(CursorOfHit(9), kCursorMove);
}

TEST_P(DragTest, SubPixelAndStuckEdgesKeepTheAnchor) {
  // The right edge lies on the neighbour's left edge, the two overlapping vertically.
  DragState state = Start({{10, 4, 40, 20}, {40, 6, 70, 18}});
  const int anchor = state.anchorX;
  // Less than a screen pixel back moves a free edge nothing: the offset truncates to 0.
  DragStep(state, kHitLeft, anchor - std::max(Client(1) - 1, 0), state.anchorY);
  EXPECT_EQ(state.areas[0].left, 10);
  EXPECT_EQ(state.anchorX, anchor);
  Step(state, kHitRight, 6, 0);
  EXPECT_EQ(state.areas[0].right, 40);
  EXPECT_EQ(state.anchorX, anchor);
  // Past 6 pixels it jumps by the whole offset, the anchor under the mouse.
  EXPECT_EQ(Step(state, kHitRight, 8, 0).right, 48);
  EXPECT_EQ(state.anchorX, anchor + Client(8));
  // A left edge on another area's left edge sticks, overlap or not.
  state = Start({{10, 4, 40, 20}, {10, 24, 30, 30}});
  EXPECT_EQ(Step(state, kHitLeft, -4, 0).left, 10);
  // A corner's top edge meets the neighbour's bottom only once its right edge has moved
  // over the neighbour; from then on it sticks.
  state = Start({{10, 10, 30, 20}, {40, 0, 60, 10}});
  EXPECT_EQ(Step(state, kHitTopRight, 12, -3), (AreaBox{10, 10, 42, 20}));
}

TEST_P(DragTest, LimitsPlaceTheAnchorOnTheEdge) {
  const int scroll = GetParam().scroll;
  DragState state = Start({{10, 4, 40, 20}}, 2, 3);
  EXPECT_EQ(Step(state, kHitLeft, 50, 0).left, 40 - 2 * 3 - 1);
  EXPECT_EQ(state.anchorX, Client(33) - scroll);
  state = Start({{10, 4, 40, 20}}, 2, 3);
  EXPECT_EQ(Step(state, kHitRight, -40, 0).right, 10 + 2 * 3 + 1);
  state = Start({{10, 4, 40, 20}}, 2, 3);
  const AreaBox corner = Step(state, kHitTopLeft, -20, -10);
  EXPECT_EQ(corner, (AreaBox{2, 2, 40, 20}));
  EXPECT_EQ(state.anchorY, Client(2) - scroll);
}

TEST_P(DragTest, SnapsOnlyInTheDirectionOfMotion) {
  DragState state = Start({{10, 4, 40, 20}, {50, 6, 70, 18}});
  const int anchor = state.anchorX;
  EXPECT_EQ(Step(state, kHitRight, 4, 0).right, 50);  // 6 short, lands on it
  EXPECT_EQ(state.anchorX, anchor + Client(10));
  state = Start({{10, 4, 46, 20}, {50, 6, 70, 18}});
  EXPECT_EQ(Step(state, kHitRight, -2, 0).right, 44);  // moving away: no snap back
}

TEST_P(DragTest, MovesKeepTheSizeInsideTheBorder) {
  DragState state = Start({{10, 4, 40, 20}}, 2);
  EXPECT_EQ(Step(state, kHitInside, -30, 0), (AreaBox{2, 4, 32, 20}));
  EXPECT_EQ(state.anchorX, Client(40) - Client(8));
  state = Start({{0, 4, 140, 20}}, 2);
  EXPECT_EQ(Step(state, kHitInside, 2, 0), (AreaBox{-14, 4, kWidth - 2, 20}));
  // The left edge's snap (-3 onto a right edge) beats the right edge's (-1).
  state = Start({{20, 4, 40, 20}, {5, 4, 15, 20}, {37, 10, 60, 30}});
  EXPECT_EQ(Step(state, kHitInside, -2, 0), (AreaBox{15, 4, 35, 20}));
}

INSTANTIATE_TEST_SUITE_P(Zooms, DragTest,
                         testing::Values(View{0.5f, 0}, View{1.0f, 0}, View{3.0f, 0}, View{8.0f, 0},
                                         View{3.0f, 20}, View{8.0f, 44}),
                         [](const testing::TestParamInfo<View>& info) {
                           return "Tenths" +
                                  std::to_string(static_cast<int>(info.param.zoom * 10)) +
                                  "Scroll" + std::to_string(info.param.scroll);
                         });

TEST(EditKeysAndAlignTest, ArrowsSnapToTheBorderFirst) {
  const EditBounds bounds{2, kWidth, kHeight};
  AreaBox box{1, 10, 130, 20};
  ASSERT_TRUE(ArrowKeyStep(box, VK_LEFT, bounds));
  EXPECT_EQ(box, (AreaBox{2, 10, 130, 20}));
  ASSERT_TRUE(ArrowKeyStep(box, VK_LEFT, bounds));  // on the border: stays
  EXPECT_EQ(box.left, 2);
  ASSERT_TRUE(ArrowKeyStep(box, VK_RIGHT, bounds));
  EXPECT_EQ(box, (AreaBox{2, 10, 126, 20}));
  EXPECT_FALSE(ArrowKeyStep(box, VK_TAB, bounds));
}

TEST(EditKeysAndAlignTest, AlignAndSizeCommands) {
  const EditBounds bounds{2, kWidth, kHeight};
  const auto align = [&](AreaBox box, int type, EditBounds b) {
    AlignArea(box, type, b);
    return box;
  };
  const EditBounds none{0, kWidth, kHeight};
  EXPECT_EQ(align({10, 4, 210, 20}, 0, bounds), (AreaBox{-36, 4, 164, 20}));
  EXPECT_EQ(align({10, 5, 20, 20}, 6, none), (AreaBox{59, 8, 69, 23}));
  EXPECT_EQ(align({10, 4, 20, 20}, 3, bounds), (AreaBox{10, 14, 20, 30}));
  EXPECT_EQ(align({10, 4, 20, 20}, 5, bounds), (AreaBox{116, 4, 126, 20}));
  EXPECT_EQ(align({10, 4, 20, 20}, 7, bounds), (AreaBox{2, 2, 126, 30}));
  EXPECT_EQ(align({10, 4, 20, 20}, 7, EditBounds{2, 3, 4}), (AreaBox{2, 2, 3, 3}));
  // Half and quarter width ignore the border; near the right they take the last part.
  EXPECT_EQ(align({70, 4, 80, 20}, 9, bounds), (AreaBox{64, 4, 128, 20}));
  EXPECT_EQ(align({100, 4, 110, 20}, 10, bounds), (AreaBox{96, 4, 128, 20}));
  EXPECT_EQ(align({10, 4, 20, 20}, 10, bounds), (AreaBox{10, 4, 42, 20}));
  EXPECT_EQ(align({10, 4, 20, 20}, 11, bounds), (AreaBox{10, 2, 20, 30}));
  EXPECT_EQ(align({10, 20, 20, 22}, 13, bounds), (AreaBox{10, 20, 20, 28}));
  EXPECT_EQ(align({10, 4, 20, 20}, 14, bounds), (AreaBox{10, 4, 20, 20}));
}

}  // namespace
