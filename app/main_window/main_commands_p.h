#pragma once
// What the main window's command files share.

// Styles of the styled message box.
inline constexpr int kStyleError = 0x10;
inline constexpr int kStyleOkCancel = 1;
