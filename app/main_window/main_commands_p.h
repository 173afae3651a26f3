#pragma once
// What the main window's command files share.

// Section of the main window's texts in the language files.
inline constexpr const char* kMainWindowSection = "IDD_QUENDRA_DIALOG";
// Styles of the styled message box.
inline constexpr int kStyleError = 0x10;
inline constexpr int kStyleOkCancel = 1;
