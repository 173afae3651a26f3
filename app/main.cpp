// Quendra, the main program: its start and main window live in the app libraries.
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "app/startup/quendra_app.h"

int main(int argc, char** argv) {
  // Where X11 is there, the program runs on it: snapping and window placement need it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication application(argc, argv);
  // One fixed light look, whatever the desktop's theme.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(QApplication::style()->standardPalette());
  CQuendraApp quendra;
  quendra.InitInstance();
  return 0;
}
