#include "app/language/language_switch.h"

#include <QMenu>

#include <algorithm>
#include <iterator>

#include "app/language/language_texts.h"
#include "controls/support/command_action.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kLanguageMenu = 4;

}  // namespace

int LanguageOfCommand(WPARAM commandId) {
  const auto* found =
      std::find(std::begin(kLanguageCommands), std::end(kLanguageCommands), commandId);
  return found == std::end(kLanguageCommands)
             ? -1
             : static_cast<int>(std::distance(std::begin(kLanguageCommands), found));
}

void CheckLanguageItem(const QMenuBar& menuBar, int index) {
  const QList<QAction*> menus = menuBar.actions();
  if (menus.size() <= kLanguageMenu || menus[kLanguageMenu]->menu() == nullptr) return;
  for (QAction* item : menus[kLanguageMenu]->menu()->actions()) {
    const int language = LanguageOfCommand(CommandIdOf(item));
    if (language >= 0) item->setChecked(language == index);
  }
}

bool SwitchLanguage(const QMenuBar& menuBar, int index) {
  SelectLanguageFile(index);
  CheckLanguageItem(menuBar, index);
  // Stored first: windows whose texts depend on the stored choice read it as they
  // are re-texted.
  const bool stored = StoreLanguageChoice(index);
  ReloadAllTexts();
  return stored;
}
