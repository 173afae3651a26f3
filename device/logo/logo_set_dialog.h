#pragma once
// CLogoSetDialog: task pane 8, the current screen's boot logo. It lists the screen's
// logos (pictures kept where the user keeps them, rich-text logos with their own RTF
// and frame files), edits the logo rectangle, each logo's stay time and the two flags
// that say when the card shows the logo, and sets them on the card (or on a USB
// drive): first the flags, then the logos as one program in boot-logo mode.
//
// While the pane is shown the preview canvas is in logo mode and plays a temporary
// image-text area that borrows the screen's logo list; dragging that area on the
// canvas moves the rectangle, which the pane follows. Every edit acts at once on the
// screen's own data; the rectangle goes back to the screen when the pane hides.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>

#include "controls/buttons/button_qx.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/task_pane.h"
#include "controls/support/digit_spin_edit.h"
#include "controls/support/image_list.h"
#include "device/common/drive_list.h"
#include "model/project/project_records.h"
#include "model/project/send_job.h"
#include "sdk/Corvanix.h"

class CLogoSetDialog : public TaskPane {
 public:
  // The styled message box: the text and its style; returns the button pressed.
  using Ask = std::function<int(const QString& text, int style)>;
  // The picture chooser: the chosen files in order, none when cancelled.
  using ChoosePictures = std::function<QStringList(QWidget* parent)>;

  // The pane's own size-settling timer (the drive timer is DriveList's).
  static constexpr UINT kSizeTimerId = 2;
  static constexpr UINT kSizeTimerMs = 1000;

  explicit CLogoSetDialog(QWidget* parent, Ask ask = {});
  ~CLogoSetDialog() override;

  // Loads the current screen's logo and puts the canvas into logo mode; called by the
  // main window before it slides the pane in.
  void LoadScreenLogo();
  void ApplyLanguage();
  // The chooser the pane asks for pictures in place of the file dialog (tests).
  void SetPictureChooser(ChoosePictures choose) { choosePictures_ = std::move(choose); }

  void OnSelchangeLogoList();
  void OnAddPicture();
  void OnAddRtfLogo();
  void OnEditLogo();
  void OnDeleteLogo();
  void OnSend();

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The temporary logo area; null while the pane is hidden.
  AreaRecord* LogoArea() const { return area_.get(); }
  ScreenRecord* Screen() const { return screen_; }
  CListBoxQx& LogoList() { return *list_; }
  DriveList& Drives() { return *drives_; }
  QString Caption() const { return caption_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // One side of the rectangle: its edit, and whether it is a position or a size.
  enum Side { kX, kY, kWidth, kHeight, kSideCount };

  void CreateControls();
  DigitSpinEdit* CreateSpinEdit(int digits, int maxValue, int editId, int spinId,
                                const QRect& geometry);
  void ShowUsbControls(bool shown);
  void FillLogoList();
  // The members from the controls; a text that is no number keeps its value.
  void ReadControls();
  void WriteControls();
  void WriteRectangle();
  // The rectangle rules of an edit change (stepped: an arrow, value already moved).
  void OnSideEdited(Side side);
  void OnSideStepped(Side side, int delta);
  // Keeps the side's value inside the screen and moves the logo area; true when the
  // edit's value was corrected.
  bool CorrectSide(Side side);
  void OnStayEdited();
  void OnStayStepped(int delta);
  void StoreStay();
  void OnFlagClicked(QCheckBox* box, std::int32_t ScreenRecord::*flag);
  // Renders the selected logo again (only when stale with onlyWhenStale) and plays it.
  void RerenderSelected(bool onlyWhenStale);
  void SendCanvas(WPARAM operation, LPARAM argument);
  FileItem* SelectedLogo();
  void SelectLogo(int row);
  // The set itself, once the job passed its check; the card's or drive's result.
  void SendLogo(ScreenSendJob& job, CommInfo& link, LedAllSettingInfo& settings, bool usb);
  void ReleaseLogoArea();

  Ask ask_;
  ChoosePictures choosePictures_;
  ScreenRecord* screen_ = nullptr;
  std::unique_ptr<ProgramRecord> program_;
  std::unique_ptr<AreaRecord> area_;
  std::vector<AreaRecord*> savedCanvasList_;
  // X, Y, width and height, the flags and the stay time, as the controls last showed.
  int side_[kSideCount] = {};
  int showAtStart_ = 0;
  int showWithoutProgram_ = 0;
  int stayTime_ = 0;
  QString caption_;

  ImageList images_;
  DigitSpinEdit* sides_[kSideCount] = {};
  QLabel* sideLabels_[kSideCount] = {};
  QLabel* listLabel_ = nullptr;
  CListBoxQx* list_ = nullptr;
  CButtonQx* addPictures_ = nullptr;
  CButtonQx* addText_ = nullptr;
  CButtonQx* delete_ = nullptr;
  QLabel* stayLabel_ = nullptr;
  DigitSpinEdit* stay_ = nullptr;
  QLabel* stayRange_ = nullptr;
  QCheckBox* atStart_ = nullptr;
  QCheckBox* noProgram_ = nullptr;
  QLabel* driveLabel_ = nullptr;
  DriveList* drives_ = nullptr;
  QLabel* usbWarning_ = nullptr;
  QPushButton* set_ = nullptr;
};
