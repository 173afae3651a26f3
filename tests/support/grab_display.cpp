// Saves a picture of the whole display the program runs on (the start test's
// screenshot of the X server the main program draws on): grab_display <file.png>.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc < 2 || QGuiApplication::primaryScreen() == nullptr) return 2;
  return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0
                                                                                               : 1;
}
