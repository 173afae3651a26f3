// CMainDialog: keys, the tree's context menu, the add-area buttons and their strip.

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/tree/main_dialog.h"
#include "app/tree/project_tree_items.h"
#include "app/tree/tree_menus.h"
#include "controls/animation/pane_slide.h"
#include "controls/bars/my_tool_bar.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/window_globals.h"
#include "controls/support/command_action.h"
#include "model/project/project_globals.h"
#include "platform/input_codes.h"

namespace {

// The strip's animation: steps of 10 pixels, 10 ms apart.
constexpr int kStripSteps = 6;
constexpr int kStripStep = 10;
constexpr int kStripPauseMs = 10;

bool IsSwallowedKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
         key == Qt::Key_Space;
}

}  // namespace

void CMainDialog::WatchKeys(QWidget* control) { control->installEventFilter(this); }

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      PreTranslateKey(watched, *static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool CMainDialog::PreTranslateKey(QObject* watched, const QKeyEvent& key) {
  if (watched == tree_) {
    auto command = [this](WPARAM id) {
      SendMessage(Handle(), WM_COMMAND, id, 0);
      return true;
    };
    const bool leftCtrl = leftCtrl_.LeftCtrlHeld(key.modifiers());
    switch (key.key()) {
      case Qt::Key_Delete: return command(ID_TREE_DELETE);
      case Qt::Key_C:
        if (leftCtrl) return command(ID_TREE_COPY);
        break;
      case Qt::Key_V:
        if (leftCtrl) return command(ID_TREE_PASTE);
        break;
      // Taken before the tree's type-ahead search could use them.
      case Qt::Key_W: return command(ID_TREE_MOVE_UP);
      case Qt::Key_S: return command(ID_TREE_MOVE_DOWN);
      case Qt::Key_Tab:
        SendMessage(PreviewCanvasWindow, UM_CANVAS_KEY, VK_TAB, 0);
        tree_->setFocus();
        return true;
      default: break;
    }
  }
  return IsSwallowedKey(key.key());
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
  if (IsSwallowedKey(event->key())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CMainDialog::OnTreeRightClick(const QPoint& pos) {
  QTreeWidgetItem* item = tree_->itemAt(pos);
  const QPoint inPage = tree_->viewport()->mapTo(this, pos);
  if (!item || !HitsItemContent(item, pos) || !rect().contains(inPage)) return;
  SelectItem(item);
  ProjectTreeItem* selected = AsProjectItem(item);
  const bool onScreen = selected && selected->Ref().Kind == kScreenItem;
  const std::unique_ptr<KvMenu> menu = BuildTreeMenu(onScreen, copiedItem_ != nullptr);
  const QAction* chosen = hooks_.showMenu(*menu, tree_->viewport()->mapToGlobal(pos));
  static_cast<void>(SendCommandOf(chosen, Handle()));
}

bool CMainDialog::HitsItemContent(QTreeWidgetItem* item, const QPoint& pos) const {
  // The check box, the image and the label; not the indentation or the empty row
  // right of the label.
  const QRect row = tree_->visualItemRect(item);
  const int checkWidth = (item->flags() & Qt::ItemIsUserCheckable) ? 22 : 0;
  const int contentWidth = checkWidth + tree_->iconSize().width() + 8 +
                           tree_->fontMetrics().horizontalAdvance(item->text(0)) + 6;
  return pos.x() >= row.left() && pos.x() < row.left() + contentWidth;
}

void CMainDialog::OnAddAreaButton(int kind) {
  SendMessage(Handle(), WM_COMMAND, kAddAreaCommands[kind - 1], 0);
}

void CMainDialog::OnCollapse() {
  stripWanted_ = !stripWanted_;
  if (stripWanted_ == stripShown_) return;
  stripShown_ = stripWanted_;
  const bool opening = stripShown_;
  std::vector<StepAnimation::Step> plan;
  auto steps = [this, &plan](const std::function<void()>& move) {
    for (int i = 0; i < kStripSteps; ++i) {
      plan.push_back({[this, move] {
                        move();
                        repaint();
                      },
                      kStripPauseMs});
    }
  };
  auto moveTreeEdge = [this](int dx) {
    return [this, dx] {
      tree_->setGeometry(tree_->geometry().adjusted(dx, 0, 0, 0));
      collapse_->move(collapse_->pos() + QPoint(dx, 0));
    };
  };
  auto moveStrip = [this](int dx) {
    return [this, dx] {
      for (QToolButton* button : addAreaButtons_) button->move(button->pos() + QPoint(dx, 0));
    };
  };
  auto setArrow = [this, &plan](const char* arrow) {
    plan.push_back({[this, arrow] { collapse_->setText(QLatin1String(arrow)); }, 0});
  };
  if (opening) {
    setArrow("<");
    steps(moveTreeEdge(kStripStep));
  }
  steps(moveStrip(opening ? kStripStep : -kStripStep));
  if (!opening) {
    setArrow(">");
    steps(moveTreeEdge(-kStripStep));
  }
  stripAnimation_.Play(std::move(plan), SlidePause());
}
