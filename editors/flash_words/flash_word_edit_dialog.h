#pragma once
// CFlashWordEditDialog (IDD_FLASHWORDEDIT_DIALOG): the modal editor of one flash-word
// item: its name, words, face, size, bold, italic, colour, effect (all 74) and speed.
// Every change goes into the item at once, so OK and Cancel both close keeping it;
// the changes that alter the item's picture mark it changed and send UM_RERENDER_ITEM
// (0, 0) to the owner page. The underline is the page's to set.

#include <QDialog>

#include <array>

#include "platform/message_window.h"

class CButtonQx;
class CColorPicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
struct FlashWordItem;

class CFlashWordEditDialog : public QDialog, public MessageWindow {
 public:
  // The effects the editor offers, keys 2000-2073; an entry's index is the play style.
  static constexpr int kEffectCount = 74;

  CFlashWordEditDialog(HWND owner, FlashWordItem& item, QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  QLineEdit& NameEdit() { return *name_; }
  QPlainTextEdit& TextEdit() { return *text_; }
  QComboBox& FaceCombo() { return *face_; }
  QComboBox& SizeCombo() { return *size_; }
  CButtonQx& BoldButton() { return *bold_; }
  CButtonQx& ItalicButton() { return *italic_; }
  CColorPicker& ColorPicker() { return *color_; }
  QComboBox& EffectCombo() { return *effect_; }
  QComboBox& SpeedCombo() { return *speed_; }

 private:
  void CreateControls();
  void ApplyLanguage();
  void LoadItem();
  // The item changed in a way that alters its picture.
  void Rerender();
  void OnTextChanged();
  void OnSizeText(const QString& text);
  void OnToggle(CButtonQx& button, int& flag);
  void OnColor();
  void OnEffect(int index);

  HWND owner_;
  FlashWordItem& item_;
  std::array<QLabel*, 4> labels_{};
  QLineEdit* name_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QComboBox* face_ = nullptr;
  QComboBox* size_ = nullptr;
  CButtonQx* bold_ = nullptr;
  CButtonQx* italic_ = nullptr;
  CColorPicker* color_ = nullptr;
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
};
