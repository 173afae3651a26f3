#include "editors/page_parts/retext_node.h"

#include <QWidget>

#include "controls/shell/program_messages.h"
#include "platform/message_window.h"

void RetextSelectedNode(const QWidget& page) {
  if (auto* parent = dynamic_cast<MessageWindow*>(page.parentWidget())) {
    SendMessage(parent->Handle(), UM_RETEXT_SELECTED_NODE, 0, 0);
  }
}
