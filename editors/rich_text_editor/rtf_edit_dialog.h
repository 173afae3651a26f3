#pragma once
// CRtfEditDialog (IDD_RTFEDIT_DIALOG, menu IDR_MENU_RTFEDIT): the modal editor of one
// rich-text page of an image-text area or of a boot logo. It edits the page's RTF file
// in a rich-edit control whose lines break at the area's inner width (plus the
// control's 4-pixel inset), and the display fields of the page's FileItem in place.
// Every change of the text or its formats is saved to the file at once and the owner
// (the page or pane that opened the editor) is sent UM_RERENDER_ITEM (0, 0), so that
// the preview follows the typing; so are the page's vertical flag, background, zoom
// and offset. The page name is kept without a render.
//
// Opening loads the file without saving or rendering; the background picker's posted
// echo then colours the control and asks the owner for one render. Loading a file
// clears the undo history, so undo never empties the page.
//
// A failed save is shown once (IDD_RTFEDIT_DIALOG 1027) until a save succeeds again.
// Closing, however asked for (Esc, the close box, the exit command), saves; when that
// save fails the user is asked (1028) whether to close without saving, and Cancel keeps
// the editor open.

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

#include "controls/bars/my_tool_bar.h"
#include "controls/buttons/kv_menu.h"
#include "editors/page_parts/rtf_file_saver.h"
#include "platform/message_window.h"
#include "render/text/rich_format.h"

class CButtonQx;
class CColorPicker;
class CRichEditEx;
class CharFormatControls;
class DigitSpinEdit;
class QLabel;
class QLineEdit;
class QMenuBar;
struct FileItem;
struct RtfEditRequest;

// What the editor takes from outside, replaceable in tests.
struct RtfEditHooks {
  std::function<int(const QString& text, int style)> ask;  // the styled message box
  // The open-file and save-file dialogs: the path chosen, empty for Cancel.
  std::function<QString(const QString& filter)> chooseOpenFile;
  std::function<QString(const QString& filter)> chooseSaveFile;
};

class CRtfEditDialog : public QDialog, public MessageWindow {
 public:
  static constexpr int kNameLimit = 32;
  static constexpr int kLineSpacingMax = 256;
  // The largest plain-text file opened: far more text than the most pages a text
  // renders (MaxTextPages) can show.
  static constexpr qint64 kMaxPlainTextBytes = 64 << 20;

  // width and height: the area's inner size. item is edited in place; owner gets the
  // UM_RERENDER_ITEM messages.
  CRtfEditDialog(QString rtfPath, int width, int height, FileItem& item, HWND owner,
                 QWidget* parent = nullptr, RtfEditHooks hooks = {});

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The caption, labels, tooltips, toolbar and menu texts from the language file.
  void ApplyLanguage();

  // Saves, then ends the dialog; after a failed save only when the user agrees.
  void done(int result) override;

  CRichEditEx& TextEdit() { return *edit_; }
  CharFormatControls& Formats() { return *formats_; }
  CButtonQx& AlignButton(RichAlign align) { return *align_[AlignIndex(align)]; }
  CButtonQx& VerticalButton() { return *vertical_; }
  CColorPicker& BackPicker() { return *back_; }
  DigitSpinEdit& LineSpacing() { return *spacing_; }
  QLineEdit& NameEdit() { return *name_; }
  enum Step { kZoomUp, kZoomDown, kOffsetUp, kOffsetDown };
  CButtonQx& StepButton(Step step) { return *steps_[step]; }
  QLabel& ZoomStatic() { return *zoomStatic_; }
  QLabel& OffsetStatic() { return *offsetStatic_; }
  CMyToolBar& ToolBar() { return toolbar_; }
  QMenuBar& MenuBar() { return *menuBar_; }

 private:
  static std::size_t AlignIndex(RichAlign align);

  void CreateMenuAndToolBar(QWidget& body);
  void CreateParagraphControls(QWidget& body);
  void CreatePageControls(QWidget& body);
  void CreateTextEdit(QWidget& body, int width);
  void Open();
  void OnCommand(WPARAM command);

  // The page's fields and the owner.
  void Rerender();
  void OnTextChanged();
  void OnSelectionChanged();
  void ShowParagraph(const RichParaFormat& format);
  // Changes the format of every paragraph the selection touches, as one edit.
  void ChangeParagraphs(const std::function<void(RichParaFormat&)>& change);
  void OnAlign(RichAlign align);
  void OnLineSpacing(int value);
  void OnBackColor();
  void SetBackground(ColorRef color);
  void OnStep(Step step);

  // Files (rtf_edit_files.cpp).
  void OnOpenFile();
  void OpenPlainText(const QString& path);
  bool SaveTo(const QString& path);
  void OnSaveAs();

  QString rtfPath_;
  FileItem& item_;
  HWND owner_;
  RtfEditHooks hooks_;
  bool loading_ = false;
  RtfFileSaver saver_;
  KvMenu menu_;
  QMenuBar* menuBar_ = nullptr;
  CMyToolBar toolbar_;
  CRichEditEx* edit_ = nullptr;
  CharFormatControls* formats_ = nullptr;
  std::array<CButtonQx*, 3> align_{};  // left, centre, right
  CButtonQx* vertical_ = nullptr;
  CColorPicker* back_ = nullptr;
  DigitSpinEdit* spacing_ = nullptr;
  QLineEdit* name_ = nullptr;
  std::array<CButtonQx*, 4> steps_{};
  QLabel* zoomStatic_ = nullptr;
  QLabel* offsetStatic_ = nullptr;
};

// Runs the editor modally over the request's parent with the program's own message
// box and file dialogs; the runner the main window publishes as RunRtfEditor. Nothing
// for a request without a page.
void RunRtfEditDialog(const RtfEditRequest& request);
