#pragma once
// Choosing the language from the menu bar's fifth submenu: the seven language
// commands, their check marks, and the choice kept in "setting.cfg" [CONFIG] Language.

#include <QMenuBar>

#include "controls/shell/main_window_ids.h"
#include "model/settings/lang_text.h"
#include "platform/window_handle.h"

// The language items of the fifth menu, by language index 0 (automatic) to 6.
constexpr UINT kLanguageCommands[] = {ID_LANGUAGE_AUTOMATIC, ID_LANGUAGE_CHINESE,
                                      ID_LANGUAGE_ENGLISH,   ID_LANGUAGE_TRADITIONAL_CHINESE,
                                      ID_LANGUAGE_RUSSIAN,   ID_LANGUAGE_TURKISH,
                                      ID_LANGUAGE_PERSIAN};

// The language index of a command id; -1 for other ids.
int LanguageOfCommand(WPARAM commandId);

// The item of the language index checked in the fifth menu, the other six unchecked.
void CheckLanguageItem(const QMenuBar& menuBar, int index);

// The language command of an index: the language file chosen, its item checked,
// every window's texts given again, and the index (0 for automatic, resolved again at
// the next start) stored. False when the choice could not be stored; the switch
// holds for this run all the same.
[[nodiscard]] bool SwitchLanguage(const QMenuBar& menuBar, int index);
