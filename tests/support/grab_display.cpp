// Saves a picture of the display the program runs on (the start test's screenshot of the
// X server the main program draws on), or of one window of it:
//   grab_display <file.png> [<window id> <rows>]
// With a window and a number of rows it also prints how many dark pixels (text drawn on
// the light palette) the window's top rows hold, so a test can tell a menu bar with its
// texts from an empty one.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>

namespace {

int DarkPixels(const QImage& picture, int rows) {
  int count = 0;
  for (int y = 0; y < std::min(rows, picture.height()); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qGray(picture.pixel(x, y)) < 96) ++count;
    }
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if ((argc != 2 && argc != 4) || screen == nullptr) return 2;
  bool valid = true;
  const WId window = argc == 4 ? QByteArray(argv[2]).toULongLong(&valid, 0) : 0;
  if (!valid) return 2;
  const QPixmap picture = screen->grabWindow(window);
  if (!picture.save(QString::fromLocal8Bit(argv[1]))) return 1;
  if (argc == 4) std::printf("%d\n", DarkPixels(picture.toImage(), QByteArray(argv[3]).toInt()));
  return 0;
}
