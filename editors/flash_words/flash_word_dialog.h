#pragma once
// CFlashWordDialog (IDD_FLASHWORD_DIALOG): the page of a flash-words area. It lists the
// area's items, adds, edits (in CFlashWordEditDialog), deletes, clears and orders them,
// copies the selected item's style to all, and edits the selected item's face, size,
// bold, italic, underline, colour, effect and speed in place. A change that alters an
// item's picture marks it changed (its frames are recorded again at the next send)
// and points the preview canvas at it; the speed alters no picture.
//
// The items are those of CurrentSelection, taken at each UM_LOAD_SELECTION and
// forgotten when the page itself is hidden (not while the main window hides for the
// preview to play). Loading an item into the controls marks nothing:
// the handlers run on the user's changes only.

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "controls/support/image_list.h"
#include "platform/message_window.h"

class CButtonQx;
class CColorPicker;
class CFlashWordEditDialog;
class CListBoxQx;
class CMyToolBar;
class CToolbarFrame;
class QComboBox;
class QPushButton;
struct FlashWordItem;

class CFlashWordDialog : public QWidget, public MessageWindow {
 public:
  // The effects the page offers: the first 22 play styles.
  static constexpr int kPageEffectCount = 22;
  enum Style { kBold, kItalic, kUnderline };

  // Runs the item editor; the start runs it modally.
  using EditorRunner = std::function<void(CFlashWordEditDialog& editor)>;

  // storedLanguage: the stored language choice the texts are first applied for.
  CFlashWordDialog(QWidget* parent, int storedLanguage);
  ~CFlashWordDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The toolbar texts (shown only for the stored language choice 1 or 3) and the
  // arrows' tooltips.
  void ApplyLanguage(int storedLanguage);

  void SetEditorRunner(EditorRunner run) { runEditor_ = std::move(run); }

  CListBoxQx& List() { return *list_; }
  CMyToolBar& ToolBar() { return *toolbar_; }
  QComboBox& FaceCombo() { return *face_; }
  QComboBox& SizeCombo() { return *size_; }
  QComboBox& EffectCombo() { return *effect_; }
  QComboBox& SpeedCombo() { return *speed_; }
  CButtonQx& StyleButton(Style style) { return *styles_[style]; }
  CColorPicker& ColorPicker() { return *color_; }
  QPushButton& UpButton() { return *up_; }
  QPushButton& DownButton() { return *down_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateToolBar();
  void CreateStyleControls();
  void CreateListControls();

  void Load();
  // The item of the selected row, or null.
  FlashWordItem* SelectedItem();
  // Selects the row without running the selection handler.
  void SelectRow(int row);
  // Shows the item of the row in the controls.
  void LoadControls(int row);
  // Tells the canvas to show the item of the row (-2: none).
  static void ShowOnCanvas(int row);
  // The selected item changed in a way that alters its picture.
  void MarkChanged(FlashWordItem& item);

  void OnCommand(UINT command);
  void OnSelectionChanged(int row);
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnClear();
  void OnApplyToAll();
  void OnMove(int step);
  void OnFace(const QString& face);
  void OnSizeText(const QString& text);
  void OnStyle(Style style);
  void OnColor();
  void OnEffect(int index);
  void OnSpeed(int index);

  EditorRunner runEditor_;
  std::vector<FlashWordItem>* items_ = nullptr;
  ImageList icons_{QSize(16, 16)};
  CToolbarFrame* frame_ = nullptr;
  CMyToolBar* toolbar_ = nullptr;
  CListBoxQx* list_ = nullptr;
  QComboBox* face_ = nullptr;
  QComboBox* size_ = nullptr;
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
  std::array<CButtonQx*, 3> styles_{};
  CColorPicker* color_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
};
