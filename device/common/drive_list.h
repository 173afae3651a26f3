#pragma once
// The list of removable drives that the USB panes (and the firmware and boot-logo
// panes) choose a drive from. Each item's text is the drive's root exactly, a mount
// point with a trailing "/", so that a refresh can compare the items with the drives
// by text. While its pane is shown the pane looks again every two seconds.

#include <QComboBox>
#include <QStringList>

#include "controls/support/image_list.h"
#include "platform/window_handle.h"

// The pane's timer that looks for changed drives, and its period.
constexpr UINT kDriveTimerId = 1;
constexpr UINT kDriveTimerMs = 2000;

class DriveList : public QComboBox {
 public:
  explicit DriveList(QWidget* parent);

  // Lists every removable drive in order and selects the first, when there is one.
  void Fill();
  // Lists the drives again, selecting the first, only when their number or any root
  // differs from the items; an unchanged set keeps the user's choice.
  void RefreshIfChanged();
  // The root of the chosen drive; empty when there is none.
  QString SelectedRoot() const;

 private:
  void Show(const QStringList& roots);

  ImageList images_;
};
