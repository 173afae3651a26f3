// The yardstick of the start-up benchmark: the least a Qt Widgets program does to show
// a main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.resize(980, 690);
  window.show();
  return QApplication::exec();
}
