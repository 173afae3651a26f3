#pragma once
// CScanSetDialog: the scan page of the screen-parameter pane, offered for custom
// modules. It chooses the selected screen's scan mode from grouped lists (the scan key
// ZouXianType = group * 1000 + entry, with its route, scan type and data height), its
// row order and colour order, and writes the scan settings to the screen's card.
//
// Handlers hang on the user's actions; loading a screen blocks the list's signals.

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "controls/lists/list_box_qx.h"
#include "controls/support/image_list.h"
#include "device/settings/screen_pages.h"

class CScanSetDialog : public ScreenPage {
 public:
  // Groups 0-6 have lists; group 7, custom, has none.
  static constexpr int kGroupCount = 8;

  explicit CScanSetDialog(QWidget* parent);

  // Shows the screen's scan key (group and entry), row order and colour order.
  void LoadScreen(ScreenRecord* screen) override;
  // The caption, the radios, the options' texts and the names in the list, whose
  // entry stays selected.
  void ApplyLanguage() override;

  // Writes the screen's scan and scan table to its card. Status codes 3, 4, 5.
  void OnSend();

  QRadioButton& GroupRadio(int group) { return *groups_[static_cast<std::size_t>(group)]; }
  CListBoxQx& ScanList() { return list_; }
  QComboBox& RowOrderList() { return *rowOrder_; }
  QComboBox& ColorOrderList() { return *colorOrder_; }
  QPushButton& SendButton() { return *send_; }

 private:
  void OnScanEntry(int index);
  // Checks the group's radio (none for a group outside 0-7) and fills its list.
  void ShowGroup(int group);

  ImageList icons_{QSize(20, 20)};
  CListBoxQx list_;
  QButtonGroup radios_;
  std::array<QRadioButton*, kGroupCount> groups_{};
  QLabel* rowLabel_ = nullptr;
  QComboBox* rowOrder_ = nullptr;
  QLabel* colorLabel_ = nullptr;
  QComboBox* colorOrder_ = nullptr;
  QPushButton* send_ = nullptr;
  int group_ = -1;
};
