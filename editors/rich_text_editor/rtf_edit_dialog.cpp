#include "editors/rich_text_editor/rtf_edit_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/artwork.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_edit_ids.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/support/command_action.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/page_parts/control_tips.h"
#include "editors/page_parts/rtf_edit_menu.h"
#include "editors/rich_text_editor/rtf_edit_art.h"
#include "model/common/bounded_text.h"
#include "model/project/area_items.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

// Control ids.
constexpr int kTextId = 1175;
constexpr CharFormatIds kFormatIds{1050, 1051, 1157, 1158, 1159, 1177};
constexpr int kAlignIds[] = {1160, 1161, 1162};  // left, centre, right
constexpr int kVerticalId = 1163;
constexpr int kBackId = 1178;
constexpr int kSpacingId = 1004;
constexpr int kSpacingSpinId = 1176;
constexpr int kNameId = 1005;
constexpr int kStepIds[] = {1445, 1447, 1448, 1450};  // zoom +, zoom -, offset +, offset -
constexpr int kZoomStaticId = 1446;
constexpr int kOffsetStaticId = 1449;

// Text numbers (IDD_RTFEDIT_DIALOG): the caption, the labels by control id, the
// tooltips by control id, the toolbar's texts and the save failure and its question.
constexpr int kCaptionText = 1000;
constexpr int kLabelTexts[][2] = {{1322, 1001}, {1326, 1002}, {1325, 1003}};
constexpr int kTipTexts[][2] = {{1178, 1009}, {1160, 1010}, {1162, 1011},
                                {1161, 1012}, {1163, 1013}, {1445, 1014},
                                {1447, 1015}, {1448, 1016}, {1450, 1017}};
constexpr int kFirstToolText = 1018;
constexpr int kToolTipMax = 80;

// The default format of the text: "宋体" (GB2312) 12 points in red.
const RichCharFormat kDefaultFormat{
    QStringLiteral(u"宋体"), 134, 240, false, false, false, 0x0000FF, false};
constexpr ColorRef kBlack = 0;
// The formatting rectangle is the inner width plus the control's inset, 1000 high.
constexpr int kInset = 4;
constexpr int kFormattingHeight = 1000;

// Geometry, in pixels.
constexpr QSize kBodySize(720, 520);
constexpr int kToolImage = 24;
constexpr int kToolButtonMin = 56;
constexpr int kRow1 = 60;
constexpr int kRow2 = 94;
constexpr int kRowHeight = 26;
constexpr int kTextTop = 128;

// The toolbar's images, in its button order.
QImage ToolImage(int button) {
  switch (button) {
    case 0: return PaintArt(Art::OpenFile, kToolImage, true);
    case 1: return PaintArt(Art::SaveFile, kToolImage, true);
    case 2: return PaintArt(Art::SaveFileAs, kToolImage, true);
    default: {
      constexpr RtfArt kEdit[] = {RtfArt::Copy,   RtfArt::Cut,       RtfArt::Paste,
                                  RtfArt::Delete, RtfArt::SelectAll, RtfArt::Undo};
      return PaintRtfArt(kEdit[button - 3], kToolImage, true);
    }
  }
}

// The Edit command a toolbar button stands for.
UINT EditCommandOfTool(UINT tool) {
  switch (tool) {
    case ID_RTF_TOOL_COPY: return ID_RTF_MENU_COPY;
    case ID_RTF_TOOL_CUT: return ID_RTF_MENU_CUT;
    case ID_RTF_TOOL_PASTE: return ID_RTF_MENU_PASTE;
    case ID_RTF_TOOL_DELETE: return ID_RTF_MENU_DELETE;
    case ID_RTF_TOOL_SELECT_ALL: return ID_RTF_MENU_SELECT_ALL;
    case ID_RTF_TOOL_UNDO: return ID_RTF_MENU_UNDO;
    default: return 0;
  }
}

template <typename Control>
Control* Make(QWidget& body, int id, const QRect& place) {
  auto* control = new Control(&body);
  SetControlId(control, id);
  control->setGeometry(place);
  return control;
}

CButtonQx* MakeButton(QWidget& body, int id, const QRect& place, bool check) {
  auto* button = Make<CButtonQx>(body, id, place);
  if (check) button->SetButtonStyle(2);
  button->setAutoDefault(false);  // Enter in an edit closes nothing
  button->CreateTooltip();
  return button;
}

RtfEditHooks WithDefaults(RtfEditHooks hooks, QWidget* dialog) {
  if (!hooks.ask) {
    hooks.ask = [](const QString& text, int style) { return ShowStyleMessage(text, style); };
  }
  if (!hooks.chooseOpenFile) {
    hooks.chooseOpenFile = [dialog](const QString& filter) {
      return QFileDialog::getOpenFileName(dialog, QString(), QString(), filter);
    };
  }
  if (!hooks.chooseSaveFile) {
    hooks.chooseSaveFile = [dialog](const QString& filter) {
      return QFileDialog::getSaveFileName(dialog, QString(), QString(), filter);
    };
  }
  return hooks;
}

}  // namespace

CRtfEditDialog::CRtfEditDialog(QString rtfPath, int width, int height, FileItem& item, HWND owner,
                               QWidget* parent, RtfEditHooks hooks)
    : QDialog(parent),
      rtfPath_(std::move(rtfPath)),
      item_(item),
      owner_(owner),
      hooks_(WithDefaults(std::move(hooks), this)) {
  static_cast<void>(height);  // the lines break at the width; the height is the renderer's
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* body = new QWidget(this);
  body->setFixedSize(kBodySize);
  layout->addWidget(body);
  CreateMenuAndToolBar(*body);
  layout->setMenuBar(menuBar_);
  CreateTextEdit(*body, width);
  formats_ = new CharFormatControls(*edit_, *body, kFormatIds);
  formats_->FaceCombo().setGeometry(54, kRow1, 170, kRowHeight);
  formats_->SizeCombo().setGeometry(228, kRow1, 60, kRowHeight);
  for (int effect = 0; effect < 3; ++effect) {
    formats_->EffectButton(CharFormatControls::Effect(effect))
        .setGeometry(296 + 28 * effect, kRow1, kRowHeight, kRowHeight);
  }
  formats_->ColorPicker().setGeometry(382, kRow1, 48, kRowHeight);
  CreateParagraphControls(*body);
  CreatePageControls(*body);
  ApplyLanguage();
  Open();
}

std::size_t CRtfEditDialog::AlignIndex(RichAlign align) {
  switch (align) {
    case RichAlign::kCenter: return 1;
    case RichAlign::kRight: return 2;
    default: return 0;
  }
}

void CRtfEditDialog::CreateMenuAndToolBar(QWidget& body) {
  menuBar_ = new QMenuBar(this);
  if (LoadRtfEditMenu(menu_)) {
    for (int submenu = 0; submenu < 2; ++submenu) {
      KvMenu* items = menu_.GetSubMenu(submenu);
      menuBar_->addAction(items->menuAction());
      for (QAction* action : items->actions()) {
        if (CommandIdOf(action) != 0) RouteCommand(*action, [this] { return Handle(); });
      }
    }
  }
  toolbar_.CreateImageList(QSize(kToolImage, kToolImage));
  for (int button = 0; button < 9; ++button) {
    static_cast<void>(toolbar_.AddBitmap(ToolImage(button)));
  }
  if (toolbar_.CreateBar(&body, QMargins(), IDR_RTFEDIT_TOOLBAR, kToolButtonMin, kToolImage) == 0) {
    return;
  }
  toolbar_.setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (QAction* action : toolbar_.actions()) {
    if (action->isSeparator()) continue;
    QWidget* button = toolbar_.widgetForAction(action);
    button->setMinimumWidth(kToolButtonMin);
  }
}

void CRtfEditDialog::CreateParagraphControls(QWidget& body) {
  constexpr RtfArt kAlignArt[] = {RtfArt::AlignLeft, RtfArt::AlignCentre, RtfArt::AlignRight};
  constexpr RichAlign kAligns[] = {RichAlign::kLeft, RichAlign::kCenter, RichAlign::kRight};
  for (std::size_t i = 0; i < align_.size(); ++i) {
    align_[i] = MakeButton(body, kAlignIds[i],
                           QRect(444 + 28 * int(i), kRow1, kRowHeight, kRowHeight), true);
    static_cast<void>(align_[i]->SetIcon(QPixmap::fromImage(PaintRtfArt(kAlignArt[i], 16))));
    connect(align_[i], &CButtonQx::clicked, this, [this, align = kAligns[i]] { OnAlign(align); });
  }
  vertical_ = MakeButton(body, kVerticalId, QRect(534, kRow1, kRowHeight, kRowHeight), true);
  static_cast<void>(vertical_->SetIcon(QPixmap::fromImage(PaintRtfArt(RtfArt::Vertical, 16))));
  connect(vertical_, &CButtonQx::clicked, this, [this] {
    item_.IsVertical = vertical_->GetCheck();
    Rerender();
  });
  back_ = Make<CColorPicker>(body, kBackId, QRect(572, kRow1, 48, kRowHeight));

  Make<QLabel>(body, 1322, QRect(6, kRow1 + 3, 47, 20));
  Make<QLabel>(body, 1326, QRect(8, kRow2 + 3, 84, 20));
  spacing_ = new DigitSpinEdit(3, 999, &body);  // any 3 digits: a value past 256 is corrected
  spacing_->SetIds(kSpacingId, kSpacingSpinId);
  spacing_->setGeometry(94, kRow2, 56, 24);
  spacing_->onEdited = [this] {
    if (const std::optional<int> value = spacing_->Value()) OnLineSpacing(*value);
  };
  spacing_->onStepped = [this](int delta) {
    OnLineSpacing(std::clamp(spacing_->Value().value_or(0) + delta, 0, kLineSpacingMax));
  };
}

void CRtfEditDialog::CreatePageControls(QWidget& body) {
  Make<QLabel>(body, 1325, QRect(164, kRow2 + 3, 50, 20));
  name_ = Make<QLineEdit>(body, kNameId, QRect(216, kRow2, 220, 24));
  name_->setMaxLength(kNameLimit);
  connect(name_, &QLineEdit::textEdited, this,
          [this](const QString& text) { CopyBoundedText(item_.FileName, text); });
  const QString captions[] = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("\u2191"),
                              QStringLiteral("\u2193")};
  constexpr int kLefts[] = {452, 512, 560, 620};
  for (int step = kZoomUp; step <= kOffsetDown; ++step) {
    CButtonQx* button = MakeButton(body, kStepIds[step], QRect(kLefts[step], kRow2, 26, 24), false);
    button->setText(captions[step]);
    connect(button, &CButtonQx::clicked, this, [this, step] { OnStep(Step(step)); });
    steps_[static_cast<std::size_t>(step)] = button;
  }
  zoomStatic_ = Make<QLabel>(body, kZoomStaticId, QRect(480, kRow2, 30, 24));
  offsetStatic_ = Make<QLabel>(body, kOffsetStaticId, QRect(588, kRow2, 30, 24));
  zoomStatic_->setAlignment(Qt::AlignCenter);
  offsetStatic_->setAlignment(Qt::AlignCenter);
}

void CRtfEditDialog::CreateTextEdit(QWidget& body, int width) {
  edit_ = Make<CRichEditEx>(
      body, kTextId, QRect(8, kTextTop, kBodySize.width() - 16, kBodySize.height() - kTextTop - 8));
  edit_->SetDefaultCharFormat(kDefaultFormat);
  edit_->SetRect(QRect(0, 0, std::max(width, 1) + kInset, kFormattingHeight));
  edit_->textCut = [this] { TellTextCut(hooks_.ask); };
  connect(edit_, &CRichEditEx::textChanged, this, [this] { OnTextChanged(); });
  connect(edit_, &CRichEditEx::selectionChanged, this, [this] { OnSelectionChanged(); });
  connect(edit_, &CRichEditEx::cursorPositionChanged, this, [this] { OnSelectionChanged(); });
}

// Opening: the file loaded without a save or a render, the controls shown.
void CRtfEditDialog::Open() {
  SetBackground(kBlack);
  loading_ = true;
  static_cast<void>(edit_->LoadRtfFile(rtfPath_));  // a missing file leaves the page empty
  loading_ = false;
  ShowParagraph(edit_->GetParaFormat());
  formats_->ShowFormat(kDefaultFormat);
  name_->setText(ReadBoundedText(item_.FileName).left(kNameLimit));
  vertical_->SetCheck(item_.IsVertical);
  back_->SetColor(item_.BackColor);  // its echo colours the control and asks for a render
  zoomStatic_->setText(QString::number(item_.ZoomValue));
  offsetStatic_->setText(QString::number(item_.OffsetValue));
  edit_->setFocus();
}

void CRtfEditDialog::ApplyLanguage() {
  const QString section = lang_section::IDD_RTFEDIT_DIALOG;
  setWindowTitle(ReadLangText(section, kCaptionText));
  for (const auto& [id, text] : kLabelTexts)
    static_cast<void>(SetDlgItemLangText(this, id, section, text));
  SetControlTips(*this, section, kTipTexts);
  formats_->ApplyLanguage();
  int button = 0;
  for (QAction* action : toolbar_.actions()) {
    if (action->isSeparator()) continue;
    const QString text = ReadLangText(section, kFirstToolText + button++);
    action->setText(text);
    action->setToolTip(text.left(kToolTipMax));
  }
  // The dialog and its text widen when a translation's toolbar texts need more room.
  const int width = toolbar_.FitParentToTexts(kBodySize.width());
  edit_->resize(width - 16, edit_->height());
  ApplyRtfEditMenuTexts(menu_);
}

LRESULT CRtfEditDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    OnCommand(wParam);
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CRtfEditDialog::OnCommand(WPARAM command) {
  if (formats_->OnCommand(command)) return;
  if (const UINT edit = EditCommandOfTool(static_cast<UINT>(command))) {
    formats_->OnCommand(edit);
    return;
  }
  switch (command) {
    case kBackId: OnBackColor(); break;
    case ID_RTF_TOOL_OPEN:
    case ID_RTF_MENU_OPEN: OnOpenFile(); break;
    case ID_RTF_TOOL_SAVE:
    case ID_RTF_MENU_SAVE: static_cast<void>(SaveTo(rtfPath_)); break;
    case ID_RTF_TOOL_SAVE_AS:
    case ID_RTF_MENU_SAVE_AS: OnSaveAs(); break;
    case ID_RTF_MENU_EXIT: reject(); break;
    default: break;
  }
}

void CRtfEditDialog::Rerender() { SendMessage(owner_, UM_RERENDER_ITEM, 0, 0); }

void CRtfEditDialog::OnTextChanged() {
  if (loading_) return;
  static_cast<void>(SaveTo(rtfPath_));
  Rerender();
}

void CRtfEditDialog::OnSelectionChanged() { ShowParagraph(edit_->GetParaFormat()); }

void CRtfEditDialog::ShowParagraph(const RichParaFormat& format) {
  const std::size_t down = AlignIndex(format.align);
  for (std::size_t i = 0; i < align_.size(); ++i) align_[i]->SetCheck(i == down);
  spacing_->ShowValue(std::max(0, format.lineSpacing - 20));
}

void CRtfEditDialog::ChangeParagraphs(const std::function<void(RichParaFormat&)>& change) {
  const auto [start, end] = edit_->GetSel();
  QTextDocument& document = edit_->Content().Document();
  const QTextBlock last = document.findBlock(end);
  QTextCursor edit(&document);
  edit.beginEditBlock();  // one change: one save and one render
  for (QTextBlock block = document.findBlock(start); block.isValid(); block = block.next()) {
    RichParaFormat format = ParaFormatOf(block.blockFormat());
    change(format);
    edit_->Content().SetParaFormat(block.position(), block.position(), format);
    if (block == last) break;
  }
  edit.endEditBlock();
}

void CRtfEditDialog::OnAlign(RichAlign align) {
  ChangeParagraphs([align](RichParaFormat& format) { format.align = align; });
  ShowParagraph(edit_->GetParaFormat());
}

void CRtfEditDialog::OnLineSpacing(int value) {
  const int spacing = std::clamp(value, 0, kLineSpacingMax);
  if (spacing != value || spacing_->Edit().text() != QString::number(spacing)) {
    spacing_->ShowValue(spacing);
  }
  ChangeParagraphs([spacing](RichParaFormat& format) {
    format.lineSpacingRule = kSpacingTwentieths;
    format.lineSpacing = spacing + 20;  // 20 twentieths: single spacing
  });
}

void CRtfEditDialog::OnBackColor() {
  item_.BackColor = back_->GetColor();
  SetBackground(item_.BackColor);
  Rerender();
}

void CRtfEditDialog::SetBackground(ColorRef color) {
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Base, QColor(ColorRefToQRgb(color)));
  edit_->setPalette(palette);
}

void CRtfEditDialog::OnStep(Step step) {
  switch (step) {
    case kZoomUp:
    case kZoomDown:
      item_.ZoomValue += step == kZoomUp ? 1 : -1;
      zoomStatic_->setText(QString::number(item_.ZoomValue));
      break;
    case kOffsetUp:
    case kOffsetDown:
      item_.OffsetValue += step == kOffsetUp ? 1 : -1;
      offsetStatic_->setText(QString::number(item_.OffsetValue));
      break;
  }
  Rerender();
}

void RunRtfEditDialog(const RtfEditRequest& request) {
  if (request.item == nullptr) return;
  CRtfEditDialog dialog(request.rtfPath, request.width, request.height, *request.item,
                        request.owner, request.parent);
  dialog.exec();
}
