// Menu and toolbar items carry their command id and reach their window one way: an
// item without an id, or without a window, sends nothing; a routed item goes to the
// window named when it is triggered; an owner-drawn menu's items carry their ids too.
#include <gtest/gtest.h>

#include <QAction>

#include <vector>

#include "controls/buttons/kv_menu.h"
#include "controls/support/command_action.h"
#include "tests/support/recording_window.h"

namespace {

using testsupport::Message;
using testsupport::RecordingWindow;

TEST(CommandAction, ReachesTheWindowNamedWhenTriggered) {
  RecordingWindow first;
  RecordingWindow second;
  QAction action;
  EXPECT_FALSE(SendCommandOf(&action, first.Handle()));  // no id yet
  EXPECT_FALSE(SendCommandOf(nullptr, first.Handle()));
  SetCommandId(action, 101);
  EXPECT_FALSE(SendCommandOf(&action, nullptr));
  EXPECT_TRUE(first.received.empty());

  HWND target = first.Handle();
  RouteCommand(action, [&target] { return target; });
  action.trigger();
  target = second.Handle();
  action.trigger();
  const std::vector<Message> once{{WM_COMMAND, 101, 0}};
  EXPECT_EQ(first.received, once);
  EXPECT_EQ(second.received, once);
}

TEST(CommandAction, OwnerDrawnMenuItemsCarryTheirIds) {
  KvMenu menu;
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Open"), 0, 101));
  ASSERT_TRUE(menu.AppendItem(QString(), 0, 0));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("More"), MF_POPUP, 102, std::make_unique<KvMenu>()));
  ASSERT_TRUE(menu.ModifyItem(0, QStringLiteral("&Close"), 0, 103));
  EXPECT_EQ(CommandIdOf(menu.actions()[0]), 103u);
  EXPECT_EQ(CommandIdOf(menu.actions()[1]), 0u);  // a separator
  EXPECT_EQ(CommandIdOf(menu.actions()[2]), 0u);  // a popup
}

}  // namespace
