#pragma once
// CFilesDialog (template 424): the page of a files area, a play list of picture and
// GIF files shown one after the other, each with its own effect, speed and stay time.
// It adds, deletes, clears and orders the files, gives the selected file's settings to
// the others, and edits the selected file's effect, speed and stay time in place; after
// each change the preview canvas shows the list again from that file. A GIF plays its
// own frames: its effect is not offered and its stay time is hidden.
//
// The items are those of CurrentSelection, taken at each UM_LOAD_SELECTION and
// forgotten when the page itself is hidden (not while the main window hides for the
// preview to play). Loading an item into the controls changes
// nothing: the handlers run on the user's changes only.

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

#include "controls/support/image_list.h"
#include "platform/message_window.h"

class CButtonQx;
class CListBoxQx;
class CMyToolBar;
class CToolbarFrame;
class DigitSpinEdit;
class QComboBox;
class QFrame;
class QLabel;
struct FileAreaItem;

// What the page asks of the user, replaceable in tests.
struct FilesPageHooks {
  // The files chosen in a multi-select open dialog with the filter, in the dialog's
  // order; empty for Cancel.
  std::function<QStringList(const QString& filter)> chooseFiles;
  // A styled message box (ShowStyleMessage).
  std::function<int(const QString& text, int style)> ask;
};

class CFilesDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kNewItemStay = 3;  // seconds
  static constexpr int kMinStay = 1;
  static constexpr int kMaxStay = 255;

  explicit CFilesDialog(QWidget* parent);
  ~CFilesDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The labels, both option lists and the arrows' tooltips.
  void ApplyLanguage();
  // Hooks left empty keep the real dialogs.
  void SetHooks(FilesPageHooks hooks);
  // The open dialog's filter: every picture kind the list plays, then each kind alone.
  static QString OpenFilter();

  CListBoxQx& List() { return *list_; }
  CMyToolBar& ToolBar() { return *toolbar_; }
  QComboBox& EffectCombo() { return *effect_; }
  QComboBox& SpeedCombo() { return *speed_; }
  DigitSpinEdit& StayEdit() { return *stay_; }
  CButtonQx& UpButton() { return *up_; }
  CButtonQx& DownButton() { return *down_; }
  // The stay time's labels and frame, shown and hidden with its edit.
  std::vector<QWidget*> StayLabels() const;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateToolBar();
  void CreateListControls();
  void CreateSettingControls();

  void Load();
  // The item of the selected row, or null.
  FileAreaItem* SelectedItem();
  // Selects the row without running the selection handler.
  void SelectRow(int row);
  // Shows the item of the row in the controls.
  void LoadControls(int row);
  void ClearControls();
  // Selects the row, shows its item and tells the canvas to play from it.
  void SelectAndShow(int row);
  // Tells the canvas to show the item of the row (-2: none).
  static void ShowOnCanvas(int row);
  // The index of the file's icon in the list's images.
  int IconOf(const QString& path);
  // Appends an entry for the item.
  int AddEntry(const FileAreaItem& item);

  void OnCommand(UINT command);
  void OnSelectionChanged(int row);
  void OnAdd();
  void OnDelete();
  void OnClear();
  void OnSameProperties();
  void OnMove(int step);
  void OnEffect(int index);
  void OnSpeed(int index);
  void OnStayTyped();
  void OnStayStepped(int delta);
  // Stores the stay time clamped to its range, shows the clamped value when it differs
  // from the text, and replays a changed item.
  void SetStay(int stay);

  FilesPageHooks hooks_;
  std::vector<FileAreaItem>* items_ = nullptr;
  ImageList icons_{QSize(16, 16)};
  QHash<QString, int> iconBySuffix_;
  CToolbarFrame* frame_ = nullptr;
  CMyToolBar* toolbar_ = nullptr;
  CListBoxQx* list_ = nullptr;
  CButtonQx* up_ = nullptr;
  CButtonQx* down_ = nullptr;
  QLabel* effectLabel_ = nullptr;
  QLabel* speedLabel_ = nullptr;
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
  QFrame* stayFrame_ = nullptr;
  QLabel* stayLabel_ = nullptr;
  QLabel* stayRange_ = nullptr;
  DigitSpinEdit* stay_ = nullptr;
};
