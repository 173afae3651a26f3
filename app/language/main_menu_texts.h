#pragma once
// The main window's toolbar and menu bar texts from the current language file
// (sections "IDD_QUENDRA_DIALOG" and "IDR_MENU_MAIN"). Menu items are found by the
// command id each carries as its data; the six language names stay as they are.

class CMyToolBar;
class QMenuBar;

void LoadMainMenuTexts(CMyToolBar& toolbar, QMenuBar& menuBar);
