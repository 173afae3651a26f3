#pragma once
// What the USB export and import panes share: the framed panel under the caption band
// with the USB picture, the drive list with its refresh button, looked at again every
// two seconds while the pane is shown, and the eight parameters of a screen, each a
// label and a value text.

#include <QLabel>

#include <array>

#include "controls/buttons/button_qx.h"
#include "controls/shell/task_pane.h"
#include "device/common/drive_list.h"
#include "model/project/project_records.h"

// The parameters in their order on the panes.
enum ScreenValue {
  kValueCardModel,
  kValueCardNumber,
  kValueWidth,
  kValueHeight,
  kValueColor,
  kValueOe,
  kValueDa,
  kValueScanType,
  kScreenValueCount
};

// Control ids of the parameters' labels and values, in ScreenValue order.
using ScreenValueIds = std::array<int, kScreenValueCount>;

// The texts of a screen's parameters: the card model of LedTypeStr, card number,
// size, colour type (empty for a type outside 0-3), the polarities (active high for
// a non-zero value, or with onlyOneIsHigh for 1 alone) and the scan route's name.
std::array<QString, kScreenValueCount> ScreenValueTexts(const ScreenRecord& screen,
                                                        bool onlyOneIsHigh);

class UsbPane : public TaskPane {
 public:
  UsbPane(int number, QWidget* parent, int backId, const ScreenValueIds& labelIds,
          const ScreenValueIds& valueIds, int drivesId, int refreshId);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  DriveList& Drives() { return drives_; }
  QString ValueText(ScreenValue value) const;

 protected:
  // The panel's rectangle, from which the panes place their controls.
  QRect PanelRect() const;
  // The screen's parameters; a colour type outside 0-3 leaves its text.
  void ShowValues(const ScreenRecord& screen, bool onlyOneIsHigh);
  void ClearValues();
  // The labels' texts, the caption and the Back tip.
  void ApplyBaseLanguage(const QString& caption);
  // Places the label and value of one parameter at (left, top) of the panel.
  void PlaceValue(ScreenValue value, int left, int top);

  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

  DriveList drives_;
  CButtonQx refresh_;

 private:
  std::array<QLabel*, kScreenValueCount> labels_{};
  std::array<QLabel*, kScreenValueCount> values_{};
  QString caption_;
};
