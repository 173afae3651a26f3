#pragma once
// Choosing the language from the menu bar's fifth submenu: the seven language
// commands, their check marks, and the choice kept in "setting.cfg" [CONFIG] Language.

#include <QMenuBar>

#include "platform/window_handle.h"

// The language items of the fifth menu, by language index 0 (automatic) to 6.
constexpr UINT kLanguageCommands[] = {32984, 32985, 32986, 32987, 33006, 33011, 33013};

// The language index of a command id; -1 for other ids.
int LanguageOfCommand(WPARAM commandId);

// The stored choice; a value outside 0-6 (a damaged file) is taken as automatic.
int StoredLanguageChoice();

// The item of the language index checked in the fifth menu, the other six unchecked.
void CheckLanguageItem(const QMenuBar& menuBar, int index);

// The language command of an index: the language file chosen, its item checked,
// every window's texts given again, and the index (0 for automatic, resolved again at
// the next start) stored. False when the choice could not be stored; the switch
// holds for this run all the same.
[[nodiscard]] bool SwitchLanguage(const QMenuBar& menuBar, int index);
