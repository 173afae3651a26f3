#pragma once
// Keeps a picture of a window a widget test opened, so that a person can look at
// it: "<name>.png" in the folder QUENDRA_TEST_ARTEFACTS names, or else
// test-artefacts/ in the build tree. Also holds the icons we draw to the rows kept in
// tests/art/.

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

// The pairs of visible sibling controls under root that lie over each other, each as
// "overlap: a / b", controls partly past their parent's edge, as "cut off: a", and
// siblings with one control id, as "same id n: a / b". A control wholly past its
// parent's edge has been slid out of view and is no fault.
QStringList ControlFaults(const QWidget& root);

// The path of the picture written, or an empty string when it could not be written.
// A window with any of those faults fails the test that shows it.
QString SaveScreenshot(QWidget& widget, const QString& name);

// Keeps a picture the test drew (a printed page, say) the same way.
QString SavePicture(const QImage& picture, const QString& name);

// Lays the icons out in one row and fails the test unless it matches the row kept as
// tests/art/<name>.png pixel for pixel. The row drawn now is kept with the
// screenshots either way: an icon redrawn on purpose is taken by copying its row over the
// kept one.
void ExpectArtAsKept(const std::vector<QImage>& icons, const QString& name);

// Every icon of an enumeration, from its first to last, drawn by paint.
template <typename Icon, typename Paint>
std::vector<QImage> EveryIcon(Icon last, Paint paint) {
  std::vector<QImage> icons;
  for (int i = 0; i <= static_cast<int>(last); ++i) icons.push_back(paint(static_cast<Icon>(i)));
  return icons;
}
