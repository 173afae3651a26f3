#include "controls/bars/toolbar_frame.h"

#include <QChildEvent>
#include <QHelpEvent>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include "controls/bars/my_tool_bar.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/layout_frame_ids.h"
#include "controls/shell/project_page_ids.h"
#include "controls/support/command_action.h"
#include "controls/support/message_owner.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// Command ids first..last take the texts firstText.. of the section, in order.
struct ToolTipRange {
  UINT first;
  UINT last;
  QLatin1StringView section;
  int firstText;
};

constexpr ToolTipRange kToolTipRanges[] = {
    {ID_TREE_ADD_PROGRAM, ID_TREE_MOVE_DOWN, lang_section::IDD_MAIN_DIALOG, 1011},
    {ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TABLE, lang_section::IDD_IMAGEWORD_DIALOG, 1007},
    {ID_IMAGE_TEXT_EDIT, ID_IMAGE_TEXT_SAME_PROPERTIES, lang_section::IDD_IMAGEWORD_DIALOG, 1003},
    {ID_FRAME_ZOOM_IN, ID_FRAME_PLAY, lang_section::IDD_FRAME_DIALOG, 1000},
    {ID_FLASH_WORDS_ADD, ID_FLASH_WORDS_APPLY_TO_ALL, lang_section::IDD_FLASHWORD_DIALOG, 1003},
    {ID_FILES_ADD, ID_FILES_SAME_PROPERTIES, lang_section::IDD_FILE_DIALOG, 1003},
};

}  // namespace

std::optional<ToolTipText> ToolTipTextOf(UINT commandId) {
  for (const ToolTipRange& range : kToolTipRanges) {
    if (commandId >= range.first && commandId <= range.last) {
      return ToolTipText{range.section,
                         range.firstText + static_cast<int>(commandId - range.first)};
    }
  }
  return std::nullopt;
}

CToolbarFrame::CToolbarFrame(QWidget* parent) : QFrame(parent) {}

LRESULT CToolbarFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    if (MessageWindow* owner = NearestMessageWindow(this)) {
      SendMessage(owner->Handle(), msg, wParam, lParam);
    }
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CToolbarFrame::childEvent(QChildEvent* event) {
  // The buttons of a toolbar are its children, made as actions are added, so the
  // filter goes on the toolbar's children as they arrive. A toolbar constructed with
  // the frame as its parent is no QToolBar yet when added; it is caught when polished.
  if ((event->added() || event->polished()) && qobject_cast<QToolBar*>(event->child()) != nullptr) {
    QObject* toolbar = event->child();
    toolbar->installEventFilter(this);
    for (QObject* button : toolbar->children()) button->installEventFilter(this);
  }
  QFrame::childEvent(event);
}

bool CToolbarFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded && qobject_cast<QToolBar*>(watched) != nullptr) {
    static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    return false;
  }
  if (event->type() != QEvent::ToolTip) return false;
  auto* button = qobject_cast<QToolButton*>(watched);
  if (button == nullptr) return false;
  const std::optional<ToolTipText> tip = ToolTipTextOf(CommandIdOf(button->defaultAction()));
  if (!tip) return false;
  const QString text = ReadLangText(tip->section, tip->textNumber);
  QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, button);
  return true;
}
