#pragma once
// The character-format controls of a page that edits rich text in a CRichEditEx: font
// family and size combos, bold, italic and underline buttons and the text colour
// picker. They show the format of the control's selection and set theirs on it; they
// also run the control's Edit commands and show the Edit context menu (IDR_MENU_RTFEDIT)
// when the right button is released over the control.
//
// The colour picker posts its command to the page for every colour set, the user's and
// the one shown for a selection alike. The controls count the colours they show and
// ignore as many of the picker's commands, so that a quick run of selection changes
// never paints an old colour onto a new selection.
//
// The page creates the controls with their ids, places them, and passes its WM_COMMAND
// to OnCommand.

#include <QObject>
#include <QPoint>

#include <array>

#include "platform/window_handle.h"
#include "render/text/rich_format.h"

class CButtonQx;
class CColorPicker;
class CRichEditEx;
class QComboBox;
class QWidget;

// The control ids of the format controls on their page.
struct CharFormatIds {
  int face;
  int size;
  int bold;
  int italic;
  int underline;
  int color;
};

class CharFormatControls : public QObject {
 public:
  enum Effect { kBold, kItalic, kUnderline };

  // The sizes the size combo offers, in points.
  static constexpr std::array<int, 16> kOfferedSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                        20, 22, 24, 26, 28, 36, 48, 72};

  CharFormatControls(CRichEditEx& edit, QWidget& page, const CharFormatIds& ids);

  QComboBox& FaceCombo() { return *face_; }
  QComboBox& SizeCombo() { return *size_; }
  CButtonQx& EffectButton(Effect effect) { return *effects_[effect]; }
  CColorPicker& ColorPicker() { return *color_; }

  // Shows a format without setting it: its face ("Tahoma" for a face with "MS Shell"
  // in its name), size in points, effects and colour.
  void ShowFormat(const RichCharFormat& format);
  // Shows the format of the control's selection.
  void ShowSelectionFormat();

  // The page's WM_COMMAND: the colour picker's and the Edit commands. False for any
  // other command.
  bool OnCommand(WPARAM wParam);
  // Shows the Edit context menu at a screen point; the command chosen goes to the
  // page.
  void ShowEditMenu(QPoint globalPos);

  // The tooltips of the buttons and the picker (section IDD_RTFEDIT_DIALOG).
  void ApplyLanguage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnFaceChosen(int index);
  void OnSizeText(const QString& text);
  void OnEffect(Effect effect);
  void RunEditCommand(UINT command);
  HWND PageWindow() const;

  CRichEditEx& edit_;
  QObject* viewport_;
  int colorId_;
  QComboBox* face_;
  QComboBox* size_;
  std::array<CButtonQx*, 3> effects_{};
  CColorPicker* color_;
  int pendingEchoes_ = 0;
};
