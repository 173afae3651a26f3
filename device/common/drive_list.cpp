#include "device/common/drive_list.h"

#include "controls/shell/artwork.h"
#include "model/common/removable_drives.h"

namespace {

constexpr int kDriveIconSize = 24;

}  // namespace

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent), images_(QSize(kDriveIconSize, kDriveIconSize)) {
  static_cast<void>(images_.Add(PaintArt(Art::Usb, kDriveIconSize)));
  setIconSize(images_.ImageSize());
}

void DriveList::Fill() {
  QStringList roots;
  ListRemovableDrives(roots);
  Show(roots);
}

void DriveList::RefreshIfChanged() {
  QStringList roots;
  ListRemovableDrives(roots);
  bool same = roots.size() == count();
  for (int i = 0; same && i < count(); ++i) same = itemText(i) == roots[i];
  if (!same) Show(roots);
}

void DriveList::Show(const QStringList& roots) {
  clear();
  const QIcon icon(QPixmap::fromImage(images_.GetImage(0)));
  for (const QString& root : roots) addItem(icon, root);
  setCurrentIndex(roots.isEmpty() ? -1 : 0);
}

QString DriveList::SelectedRoot() const { return currentIndex() < 0 ? QString() : currentText(); }
