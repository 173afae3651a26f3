#include "editors/flash_words/flash_word_edit_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/shell/program_messages.h"
#include "editors/flash_words/flash_word_style.h"
#include "editors/page_parts/option_lists.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/area_items.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kNameId = 1281;
constexpr int kTextId = 1282;
constexpr int kFaceId = 1274;
constexpr int kSizeId = 1275;
constexpr int kBoldId = 1276;
constexpr int kItalicId = 1277;
constexpr int kColorId = 1278;
constexpr int kEffectId = 1279;
constexpr int kSpeedId = 1280;
constexpr int kLabelIds[] = {1495, 1496, 1497, 1498};
constexpr int kFirstLabelText = 1000;
constexpr int kBoldTip = 1004;
constexpr int kItalicTip = 1005;
constexpr int kColorTip = 1006;
constexpr int kCaptionText = 1007;
constexpr int kFirstEffectText = 2000;
constexpr int kOkText = 1000;
constexpr int kCancelText = 1001;
constexpr ColorRef kToggleFace = 0xF7E6C6;

// Where the controls sit, in pixels of the dialog.
constexpr QSize kDialogSize(440, 290);
constexpr QRect kLabelRects[] = {QRect(10, 12, 60, 20), QRect(10, 42, 60, 20),
                                 QRect(10, 186, 60, 20), QRect(10, 216, 60, 20)};

QComboBox* MakeCombo(QWidget* dialog, int id, const QRect& place, bool editable) {
  auto* combo = new QComboBox(dialog);
  SetControlId(combo, id);
  combo->setGeometry(place);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

CButtonQx* MakeToggle(QWidget* dialog, int id, const QString& caption, const QRect& place) {
  auto* button = new CButtonQx(caption, dialog);
  SetControlId(button, id);
  button->setGeometry(place);
  button->SetButtonStyle(2);  // a check box
  button->setAutoDefault(false);
  button->SetNormalBackground(kToggleFace);
  button->CreateTooltip();
  return button;
}

}  // namespace

CFlashWordEditDialog::CFlashWordEditDialog(HWND owner, FlashWordItem& item, QWidget* parent)
    : QDialog(parent), owner_(owner), item_(item) {
  setFixedSize(kDialogSize);
  CreateControls();
  ApplyLanguage();
  LoadItem();
}

void CFlashWordEditDialog::CreateControls() {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(this);
    SetControlId(labels_[i], kLabelIds[i]);
    labels_[i]->setGeometry(kLabelRects[i]);
  }
  name_ = new QLineEdit(this);
  SetControlId(name_, kNameId);
  name_->setGeometry(75, 10, 355, 24);
  text_ = new QPlainTextEdit(this);
  SetControlId(text_, kTextId);
  text_->setGeometry(75, 40, 355, 100);
  face_ = MakeCombo(this, kFaceId, QRect(75, 148, 170, 26), true);
  AddFontNames(face_);
  size_ = MakeCombo(this, kSizeId, QRect(250, 148, 60, 26), true);
  FillFlashSizeList(*size_);
  QFont boldFont = font();
  boldFont.setBold(true);
  bold_ = MakeToggle(this, kBoldId, QStringLiteral("B"), QRect(316, 148, 28, 26));
  bold_->setFont(boldFont);
  QFont italicFont = font();
  italicFont.setItalic(true);
  italic_ = MakeToggle(this, kItalicId, QStringLiteral("I"), QRect(348, 148, 28, 26));
  italic_->setFont(italicFont);
  color_ = new CColorPicker(this);
  SetControlId(color_, kColorId);
  color_->setGeometry(380, 148, 50, 26);
  effect_ = MakeCombo(this, kEffectId, QRect(75, 184, 200, 26), false);
  speed_ = MakeCombo(this, kSpeedId, QRect(75, 214, 120, 26), false);

  auto* ok = new QPushButton(ReadLangText(lang_section::PUBLIC, kOkText), this);
  ok->setGeometry(260, 254, 80, 28);
  auto* cancel = new QPushButton(ReadLangText(lang_section::PUBLIC, kCancelText), this);
  cancel->setGeometry(350, 254, 80, 28);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& name) { item_.FileName = name; });
  connect(text_, &QPlainTextEdit::textChanged, this, [this] { OnTextChanged(); });
  connect(face_, &QComboBox::textActivated, this, [this](const QString& face) {
    if (StoreFlashFace(item_, face)) Rerender();
  });
  connect(size_, &QComboBox::textActivated, this, [this](const QString& t) { OnSizeText(t); });
  connect(size_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& t) { OnSizeText(t); });
  connect(bold_, &CButtonQx::clicked, this, [this] { OnToggle(*bold_, item_.FontProp_FontBold); });
  connect(italic_, &CButtonQx::clicked, this,
          [this] { OnToggle(*italic_, item_.FontProp_FontItalic); });
  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { item_.Speed = index; });
}

void CFlashWordEditDialog::ApplyLanguage() {
  const QLatin1StringView section = lang_section::IDD_FLASHWORDEDIT_DIALOG;
  setWindowTitle(ReadLangTextOrFixed(section, kCaptionText));
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setText(ReadLangText(section, kFirstLabelText + static_cast<int>(i)));
  }
  FillSpeedList(*speed_, kImageWordSpeedTexts);
  effect_->clear();
  for (int style = 0; style < kEffectCount; ++style) {
    effect_->addItem(ReadLangTextOrFixed(section, kFirstEffectText + style));
  }
  bold_->SetTipText(ReadLangText(section, kBoldTip), true);
  italic_->SetTipText(ReadLangText(section, kItalicTip), true);
  color_->setToolTip(ReadLangText(section, kColorTip));
}

void CFlashWordEditDialog::LoadItem() {
  const QSignalBlocker blockText(text_);
  name_->setText(item_.FileName);
  face_->setEditText(ReadBoundedText(item_.FontProp_FontName));
  size_->setEditText(QString::number(item_.FontProp_FontSize));
  bold_->SetCheck(item_.FontProp_FontBold != 0 ? 1 : 0);
  italic_->SetCheck(item_.FontProp_FontItalic != 0 ? 1 : 0);
  color_->SetColor(item_.FontProp_FontColor);
  effect_->setCurrentIndex(item_.PlayStyle >= 0 && item_.PlayStyle < kEffectCount ? item_.PlayStyle
                                                                                  : -1);
  speed_->setCurrentIndex(item_.Speed >= 0 && item_.Speed < kSpeedCount ? item_.Speed : -1);
  text_->setPlainText(item_.ShowStr);
}

LRESULT CFlashWordEditDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && wParam == static_cast<WPARAM>(kColorId)) {
    OnColor();
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CFlashWordEditDialog::Rerender() { SendMessage(owner_, UM_RERENDER_ITEM, 0, 0); }

void CFlashWordEditDialog::OnTextChanged() {
  item_.ShowStr = text_->toPlainText();
  item_.IsChanged = 1;
  Rerender();
}

void CFlashWordEditDialog::OnSizeText(const QString& text) {
  const int size = ParseFlashSize(text);
  if (size == item_.FontProp_FontSize) return;
  item_.FontProp_FontSize = size;
  item_.IsChanged = 1;
  Rerender();
}

void CFlashWordEditDialog::OnToggle(CButtonQx& button, int& flag) {
  const int checked = button.GetCheck();
  if (checked == flag) return;
  flag = checked;
  item_.IsChanged = 1;
  Rerender();
}

void CFlashWordEditDialog::OnColor() {
  if (color_->GetColor() == item_.FontProp_FontColor) return;
  item_.FontProp_FontColor = color_->GetColor();
  item_.IsChanged = 1;
  Rerender();
}

void CFlashWordEditDialog::OnEffect(int index) {
  if (index < 0 || index == item_.PlayStyle) return;
  item_.PlayStyle = index;
  item_.IsChanged = 1;
  Rerender();
}
