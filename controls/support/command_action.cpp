#include "controls/support/command_action.h"

#include <QAction>

#include "platform/message_window.h"

namespace {

constexpr char kCommandProperty[] = "commandId";

}  // namespace

void SetCommandId(QAction& action, UINT commandId) {
  action.setProperty(kCommandProperty, commandId);
}

UINT CommandIdOf(const QAction* action) {
  return action == nullptr ? 0 : action->property(kCommandProperty).toUInt();
}

bool SendCommandOf(const QAction* action, HWND window) {
  const UINT command = CommandIdOf(action);
  if (command == 0 || window == nullptr) return false;
  SendMessage(window, WM_COMMAND, command, 0);
  return true;
}

void RouteCommand(QAction& action, std::function<HWND()> window) {
  QObject::connect(&action, &QAction::triggered, &action,
                   [&action, window = std::move(window)] { SendCommandOf(&action, window()); });
}
