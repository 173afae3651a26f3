// update, the updater: its start and window live in the updater's libraries.
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "updater/app/update_app.h"

int main(int argc, char** argv) {
  // Where X11 is there, the program runs on it, as the main program does.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "xcb");
  }
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setPalette(QApplication::style()->standardPalette());
  return CUpdateApp().InitInstance();
}
