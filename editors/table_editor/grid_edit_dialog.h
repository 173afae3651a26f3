#pragma once
// CGridEditDialog (IDD_GRIDEDIT_DIALOG): the modal editor of one table page of an
// image-text area. It edits the page's table file in a grid with one numbered header
// row and column, and the page's name and grid-line colour in its FileItem in place.
// The font, size, effects, colours, alignment, row height and column width controls act
// on every cell of a valid selection; a click or a navigation key shows the focused
// cell's format in them.
//
// The table is saved on closing (however asked for), on apply (which also sends the
// owner UM_RERENDER_ITEM (0, 0)), on save as, and around inserting and deleting rows
// and columns, which load the saved file back. Before every save, texts longer than
// the table file holds (511 units) are named; the user saves them cut or calls the
// save off, which leaves the grid as it is, the first such cell focused. A failed save
// is shown (1029); closing after one asks (1032) whether to close without saving.

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "controls/bars/my_tool_bar.h"
#include "platform/message_window.h"
#include "render/raster/color_ref.h"

class CButtonQx;
class CColorPicker;
class CGridCtrl;
class DigitSpinEdit;
class QComboBox;
class QLineEdit;
struct FileItem;
struct TableEditRequest;

// What the editor takes from outside, replaceable in tests.
struct TableEditHooks {
  std::function<int(const QString& text, int style)> ask;  // the styled message box
  // The open-file and save-file dialogs: the path chosen, empty for Cancel.
  std::function<QString(const QString& filter)> chooseOpenFile;
  std::function<QString(const QString& filter)> chooseSaveFile;
  // The rows and columns of a new table (CNewGridDialog); nullopt for Cancel.
  std::function<std::optional<std::pair<int, int>>()> askNewTableSize;
};

class CGridEditDialog : public QDialog, public MessageWindow {
 public:
  static constexpr int kNameLimit = 250;
  static constexpr int kSizeLimit = 99999;

  enum Toggle { kBold, kItalic, kUnderline, kLeft, kCentre, kRight, kTop, kMiddle, kToggleCount };
  enum Picker { kTextColor, kBackColor, kLineColor, kPickerCount };

  // tablePath: the page's table file; item is edited in place; width and height: the
  // area's inner size, which a new table fills; owner gets UM_RERENDER_ITEM.
  CGridEditDialog(QString tablePath, FileItem& item, int width, int height, HWND owner,
                  QWidget* parent = nullptr, TableEditHooks hooks = {});

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The caption, labels, tooltips and toolbar texts from the language file.
  void ApplyLanguage();
  // Saves, then ends the dialog; not when the save is called off, nor after a failed
  // save unless the user agrees.
  void done(int result) override;
  // Replaces the table by the first worksheet of the spreadsheet file; a file that
  // cannot be read is shown (1027) and the table stays.
  void ImportExcel(const QString& path);

  CGridCtrl& Grid() { return *grid_; }
  CMyToolBar& ToolBar() { return toolbar_; }
  QLineEdit& NameEdit() { return *name_; }
  QComboBox& FaceCombo() { return *face_; }
  QComboBox& SizeCombo() { return *size_; }
  QComboBox& LineWidthCombo() { return *lineWidth_; }
  CButtonQx& ToggleButton(Toggle toggle) { return *toggles_[toggle]; }
  CColorPicker& ColorPicker(Picker picker) { return *pickers_[picker]; }
  DigitSpinEdit& RowHeight() { return *rowHeight_; }
  DigitSpinEdit& ColumnWidth() { return *columnWidth_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Saved { kYes, kFailed, kCalledOff };

  void CreateToolBar(QWidget& body);
  void CreateFormatControls(QWidget& body);
  void CreateSizeControls(QWidget& body);
  void Open();
  void OnCommand(WPARAM command);

  // Table files (grid_edit_files.cpp).
  // Loads a table file; an existing file that is no table or is damaged is shown
  // (1031) and leaves the grid as it was (false).
  bool LoadTable(const QString& path);
  Saved SaveTable(const QString& path, bool showFailure);
  // Saves the page's file and loads it back, after an insert or a delete.
  void SaveAndReload();
  void OnNew();
  void OnOpen();
  void OnSaveAs();
  void OnApply();

  // Rows, columns and cells.
  void OnInsert(bool row);
  void OnDelete(bool rows);
  void OnMerge();
  void OnSplit();

  // Formats of the selection.
  void OnFace(const QString& face);
  void OnSizeText(const QString& text);
  void OnEffect(Toggle toggle);
  void OnAlign(Toggle toggle);
  void OnColor(Picker picker);
  void OnRowHeight(int height);
  void OnColumnWidth(int width);
  // Shows a colour in a picker without applying it (its echo is ignored).
  void ShowColor(Picker picker, ColorRef color);
  void ShowAlignment(std::uint32_t format);
  void ShowFocusedCell();

  QString tablePath_;
  FileItem& item_;
  int width_;
  int height_;
  HWND owner_;
  TableEditHooks hooks_;
  CMyToolBar toolbar_;
  CGridCtrl* grid_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* face_ = nullptr;
  QComboBox* size_ = nullptr;
  QComboBox* lineWidth_ = nullptr;
  std::array<CButtonQx*, kToggleCount> toggles_{};
  std::array<CColorPicker*, kPickerCount> pickers_{};
  // Colours shown in each picker whose posted echoes are still to come.
  std::array<int, kPickerCount> pendingEchoes_{};
  DigitSpinEdit* rowHeight_ = nullptr;
  DigitSpinEdit* columnWidth_ = nullptr;
};

// Runs the editor modally over the request's parent with the program's own message
// box, file dialogs and new-table dialog; the runner the main window publishes as
// RunTableEditor. Nothing for a request without a page.
void RunGridEditDialog(const TableEditRequest& request);
