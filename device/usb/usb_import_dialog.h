#pragma once
// CUsbImportDialog: task pane 7, the USB read-back. It reads the single-screen file
// that the USB export left under "marvane/KQ-P/" (else "marvane/KQ-W/") of the chosen
// drive, shows the read screen's parameters and puts the screen, with its programs,
// in place of the current screen or adds it as a new one. The read screen stays in
// the pane's ScreenImport until it is imported or another read replaces it.

#include <QPushButton>

#include <functional>

#include "device/usb/usb_pane.h"
#include "model/project/screen_file.h"

class CUsbImportDialog : public UsbPane {
 public:
  // The styled message box: the text and its style; returns the button pressed.
  using Ask = std::function<int(const QString& text, int style)>;

  explicit CUsbImportDialog(QWidget* parent, Ask ask = {});
  ~CUsbImportDialog() override;

  // Before the pane opens: the drives listed, no values, both import buttons off.
  void ResetPane();
  void FillDriveList() { drives_.Fill(); }
  // Reads the file of the chosen drive and shows its screen.
  void OnImport();
  void OnImportToCurrent();
  void OnImportAsNew();
  void ApplyLanguage();

  const ScreenImport& Imported() const { return import_; }
  // The pane's button of that control id (read, import into current, import as new).
  QPushButton* Button(int id);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Reports an import to the main window (status, then the pane closes).
  void FinishImport(int statusCode, ScreenRecord& screen);
  // Reads the file into the import record on a worker while the busy window shows;
  // true when it was read.
  bool ReadOffWindowThread(const QString& path);
  void EnableImport(bool enabled);

  Ask ask_;
  ScreenImport import_;
  QPushButton read_;
  QPushButton toCurrent_;
  QPushButton asNew_;
  QLabel driveLabel_;
  QLabel paramsLabel_;
};
