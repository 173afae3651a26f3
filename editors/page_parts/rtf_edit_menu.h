#pragma once
// The menu IDR_MENU_RTFEDIT of the rich-text editor: File (open, save, save as, exit)
// and Edit (undo, cut, copy, paste, delete, select all). Its Edit submenu is also the
// context menu of every rich-edit control a page edits text in. Texts come from the
// language section IDR_MENU_RTFEDIT.

class KvMenu;

// The position of the Edit submenu.
constexpr int kRtfEditSubmenu = 1;

// Loads the menu into menu, with the texts of the current language. False when it
// cannot be built.
[[nodiscard]] bool LoadRtfEditMenu(KvMenu& menu);

// Gives a loaded menu the texts of the current language.
void ApplyRtfEditMenuTexts(KvMenu& menu);
