#pragma once
// The application's main window. The main program registers it at start-up; long
// operations disable it while they run so that no other command starts meanwhile.
// Tests register their own.

class QWidget;

// Registers the main window; null unregisters it. The registration ends by itself
// when the window is destroyed.
void SetMainWindow(QWidget* window);

// The registered main window, or null.
QWidget* MainWindow();
