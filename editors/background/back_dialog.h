#pragma once
// CBackDialog (IDD_BACK_DIALOG): the page in the project page's tab control that edits
// the background of the selected area: whether one is used, the ordered list of its
// entries (picture files, and built-in backgrounds picked in CSwfBackSelectDialog) and
// each entry's speed. Changes go at once into the area's record; the preview picks
// the list up when it next draws the area.
//
// The area is that of CurrentSelection, taken at each UM_LOAD_SELECTION and again when
// the page is shown (its tab chosen), and forgotten when the page is hidden; the
// handlers run on the user's changes.

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

#include "controls/support/image_list.h"
#include "platform/message_window.h"

class CButtonQx;
class CListBoxQx;
class QCheckBox;
class QComboBox;
struct AreaRecord;
struct BackgroundItem;

// The name of built-in background number (0-21); empty for any other number.
QString GetBackgroundName(int number);

class CBackDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kUseCheckId = 1292;
  static constexpr int kListId = 1063;
  static constexpr int kAddBuiltInId = 1288;
  static constexpr int kAddFilesId = 1289;
  static constexpr int kDeleteId = 1290;
  static constexpr int kDeleteAllId = 1291;
  static constexpr int kSpeedLabelId = 1459;
  static constexpr int kSpeedListId = 1293;
  enum Tool { kAddBuiltIn, kAddFiles, kDelete, kDeleteAll };

  // Asks for picture files with the filter; the chosen paths in the dialog's order,
  // none when cancelled.
  using FileChooser = std::function<QStringList(const QString& filter)>;

  explicit CBackDialog(QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The texts of the check, the label and the tooltips; refills the speed list and
  // names the built-in entries anew.
  void ApplyLanguage();

  void SetFileChooser(FileChooser choose) { chooseFiles_ = std::move(choose); }

  QCheckBox& UseCheck() { return *use_; }
  CListBoxQx& List() { return *list_; }
  CButtonQx& ToolButton(Tool tool) { return *tools_[static_cast<std::size_t>(tool)]; }
  QComboBox& SpeedList() { return *speed_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void Load();
  void EnableControls();
  // The row's entry text: a built-in background's name, else its path.
  static QString EntryText(const BackgroundItem& item);

  void OnUseCheck(bool on);
  void OnSelectionChanged(int row);
  void OnSpeed(int index);
  void OnAddBuiltIn();
  void OnAddFiles();
  void OnDelete();
  void OnDeleteAll();

  FileChooser chooseFiles_;
  AreaRecord* area_ = nullptr;
  ImageList icons_{QSize(16, 16)};
  QCheckBox* use_ = nullptr;
  CListBoxQx* list_ = nullptr;
  std::array<CButtonQx*, 4> tools_{};
  QComboBox* speed_ = nullptr;
};
