#include "app/language/main_menu_texts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "controls/bars/my_tool_bar.h"
#include "model/settings/lang_text.h"

namespace {

const QString kToolbarSection = QStringLiteral("IDD_QUENDRA_DIALOG");
const QString kMenuSection = QStringLiteral("IDR_MENU_MAIN");

// Toolbar buttons by position: a text number, or 0 for the fixed "USB".
constexpr int kToolbarTexts[] = {1000, 1004, 1003, 0, 1001};

struct CommandText {
  unsigned commandId;
  int textNumber;
};

constexpr CommandText kMenuTexts[] = {{32800, 1001}, {32805, 1002}, {32806, 1003}, {32807, 1004},
                                      {32808, 1005}, {32957, 2001}, {32993, 2002}, {32976, 2003},
                                      {32974, 3001}, {32978, 3002}, {32979, 3003}, {32980, 3004},
                                      {32981, 3005}, {32983, 3006}, {33005, 3007}, {32968, 4001},
                                      {32984, 5001}, {32989, 6001}, {32990, 6002}, {32991, 6003}};

void SetCommandText(const QMenuBar& menuBar, unsigned commandId, const QString& text) {
  for (const QAction* top : menuBar.actions()) {
    if (top->menu() == nullptr) continue;
    for (QAction* action : top->menu()->actions()) {
      if (action->data().toUInt() == commandId) action->setText(text);
    }
  }
}

}  // namespace

void LoadMainMenuTexts(CMyToolBar& toolbar, QMenuBar& menuBar) {
  for (int position = 0; position < static_cast<int>(std::size(kToolbarTexts)); ++position) {
    QAction* button = toolbar.ButtonAction(position);
    if (button == nullptr) continue;
    const int number = kToolbarTexts[position];
    const QString text =
        number == 0 ? QStringLiteral("USB") : ReadLangText(kToolbarSection, number);
    button->setText(text);
    button->setToolTip(text);  // the tip of a button is its text
  }
  const QList<QAction*> menus = menuBar.actions();
  for (int position = 0; position < menus.size() && position < 6; ++position) {
    menus[position]->setText(ReadLangText(kMenuSection, 1000 * (position + 1)));
  }
  for (const CommandText& item : kMenuTexts) {
    SetCommandText(menuBar, item.commandId, ReadLangText(kMenuSection, item.textNumber));
  }
}
