#pragma once
// CUpdateDialog: task pane 10, the firmware update of the current screen's card. The
// user chooses a ".cpu" file, whose first bytes name the card model; a file that is no
// firmware is refused, and the update starts only after the user confirms the screen,
// its card number and the model. The file goes to the card through the controller
// library for a network or serial screen, with the progress and result posted to the
// main window, or is copied into the card folders of a chosen removable drive for a
// USB-disk screen, off the window thread behind the busy window.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "controls/buttons/button_qx.h"
#include "controls/shell/task_pane.h"
#include "device/common/drive_list.h"

struct ScreenRecord;

class CUpdateDialog : public TaskPane {
 public:
  // The styled message box: the text and its style; returns the button pressed.
  using Ask = std::function<int(const QString& text, int style)>;
  // The file-open dialog for the filter; an empty answer is a cancel.
  using ChooseFile = std::function<QString(const QString& filter)>;

  explicit CUpdateDialog(QWidget* parent, Ask ask = {}, ChooseFile chooseFile = {});

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Before the pane opens: no path or model, the drives listed, and the drive controls
  // (and their two-second look) only for a USB-disk current screen.
  void ResetPane();
  void OnBrowse();
  void OnRefreshDrives() { drives_.Fill(); }
  void OnUpdate();
  void ApplyLanguage();

  QString Path() const { return path_.text(); }
  QString Model() const { return model_.text(); }
  DriveList& Drives() { return drives_; }
  QPushButton& UpdateButton() { return update_; }

 protected:
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect PanelRect() const;
  void UpdateOverCable(const ScreenRecord& screen);
  void UpdateOnDrive();

  Ask ask_;
  ChooseFile chooseFile_;
  QLabel pathLabel_;
  QLineEdit path_;
  CButtonQx browse_;
  QLabel modelLabel_;
  QLineEdit model_;
  QLabel driveLabel_;
  DriveList drives_;
  CButtonQx refresh_;
  QPushButton update_;
  QString caption_;
};
