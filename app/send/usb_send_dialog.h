#pragma once
// CUsbSendDialog: task pane 5, the USB export. It writes one screen's checked
// programs and its settings into the card folders "marvane/KQ-P/" and
// "marvane/KQ-W/" of a removable drive, for a card that reads them from the disk:
// the controller library writes the settings file and the display-data file, and the
// pane writes the screen itself as a single-screen file ("kq_disp_pgm.usb") into both
// folders, which the USB import pane reads back. Progress and the result go to the
// main window as UM_STATUS_CODE 6, 7 and 8.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

#include <functional>

#include "controls/support/image_list.h"
#include "device/usb/usb_pane.h"
#include "model/project/send_job.h"
#include "sdk/Corvanix.h"

class ProjectTreeItems;

// The settings written for a screen: basic, polarity, scan, timed power and
// brightness; the scan table when the scan-row table has the route's row; the clock
// when clock is given (its date and time of day, second 0); the lock when the
// screen's lock state is above 0 (locked for state 2). The brightness level only in
// fixed mode, the brightness schedule only in timed mode, the power schedule only
// when timed power is on.
void FillUsbSettings(const ScreenRecord& screen, const QDateTime* clock, LedAllSettingInfo& info);

class CUsbSendDialog : public UsbPane {
 public:
  // The styled message box: the text and its style; returns the button pressed.
  using Ask = std::function<int(const QString& text, int style)>;

  CUsbSendDialog(QWidget* parent, const ProjectTreeItems& tree, Ask ask = {});

  // Before the pane opens: every screen listed with the current one selected, the
  // drives listed, the selected screen shown and both pickers at the present time.
  void ResetPane();
  void FillDriveList() { drives_.Fill(); }
  // The parameters of the selected screen.
  void ShowScreenInfo();
  void OnExport();
  void ApplyLanguage();

  QComboBox& Screens() { return screens_; }
  QCheckBox& AdjustTime() { return adjustTime_; }
  QDateEdit& DatePicker() { return date_; }
  QTimeEdit& TimePicker() { return time_; }
  QPushButton& ExportButton() { return export_; }
  QString BrightnessText() const { return brightness_.text(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Steps from the first SDK call on: the settings, the display data, the program
  // file in both card folders. Returns 0 or the failure's code.
  std::int32_t WriteToDrive(const QString& root, ScreenSendJob& job);

  const ProjectTreeItems& tree_;
  Ask ask_;
  ImageList screenImages_;
  QLabel screenLabel_;
  QComboBox screens_;
  QLabel paramsLabel_;
  QLabel brightnessLabel_;
  QLabel brightness_;
  QSlider brightnessBar_;
  QCheckBox adjustTime_;
  QDateEdit date_;
  QTimeEdit time_;
  QLabel driveLabel_;
  QPushButton export_;
};
