#include "editors/page_parts/char_format_controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextCursor>

#include <algorithm>

#include "controls/buttons/button_qx.h"
#include "controls/buttons/kv_menu.h"
#include "controls/color/color_picker.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/rtf_edit_ids.h"
#include "controls/support/command_action.h"
#include "controls/support/message_owner.h"
#include "editors/page_parts/rtf_edit_menu.h"
#include "model/painting/painting_helpers.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/settings_file.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "platform/message_window.h"

namespace {

constexpr int kTwipsPerPoint = 20;
// The tooltips of bold, italic, underline and the colour picker.
constexpr int kEffectTips[] = {1005, 1006, 1007};
constexpr int kColorTip = 1008;
const QString kEffectCaptions[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};

// The face a combo shows: dialog fonts named "MS Shell ..." show as the face Windows
// maps them to.
QString DisplayedFace(const QString& face) {
  return face.contains(QLatin1String("MS Shell")) ? QStringLiteral("Tahoma") : face;
}

QComboBox* MakeCombo(QWidget& page, int id) {
  auto* combo = new QComboBox(&page);
  SetControlId(combo, id);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

}  // namespace

CharFormatControls::CharFormatControls(CRichEditEx& edit, QWidget& page, const CharFormatIds& ids)
    : QObject(&page),
      edit_(edit),
      viewport_(edit.viewport()),
      colorId_(ids.color),
      face_(MakeCombo(page, ids.face)),
      size_(MakeCombo(page, ids.size)),
      color_(new CColorPicker(&page)) {
  AddFontNames(face_);
  for (const int points : kOfferedSizes) size_->addItem(QString::number(points));
  connect(face_, &QComboBox::activated, this, [this](int index) { OnFaceChosen(index); });
  connect(size_, &QComboBox::textActivated, this,
          [this](const QString& text) { OnSizeText(text); });
  connect(size_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { OnSizeText(text); });
  const int effectIds[] = {ids.bold, ids.italic, ids.underline};
  for (int effect = kBold; effect <= kUnderline; ++effect) {
    auto* button = new CButtonQx(kEffectCaptions[effect], &page);
    SetControlId(button, effectIds[effect]);
    button->SetButtonStyle(2);  // a check box
    button->setAutoDefault(false);
    button->CreateTooltip();
    QFont font = button->font();
    font.setBold(effect == kBold);
    font.setItalic(effect == kItalic);
    font.setUnderline(effect == kUnderline);
    button->setFont(font);
    connect(button, &CButtonQx::clicked, this, [this, effect] { OnEffect(Effect(effect)); });
    effects_[static_cast<std::size_t>(effect)] = button;
  }
  SetControlId(color_, ids.color);
  connect(&edit_, &CRichEditEx::selectionChanged, this, [this] { ShowSelectionFormat(); });
  connect(&edit_, &CRichEditEx::cursorPositionChanged, this, [this] { ShowSelectionFormat(); });
  viewport_->installEventFilter(this);
}

void CharFormatControls::ShowFormat(const RichCharFormat& format) {
  face_->setEditText(DisplayedFace(format.face));
  size_->setEditText(QString::number(format.twips / kTwipsPerPoint));
  effects_[kBold]->SetCheck(format.bold);
  effects_[kItalic]->SetCheck(format.italic);
  effects_[kUnderline]->SetCheck(format.underline);
  const ColorRef color = format.autoColor ? 0 : format.color;
  if (color != color_->GetColor()) {
    ++pendingEchoes_;
    color_->SetColor(color);
  }
}

void CharFormatControls::ShowSelectionFormat() { ShowFormat(edit_.GetSelectionCharFormat()); }

bool CharFormatControls::OnCommand(WPARAM wParam) {
  if (wParam == static_cast<WPARAM>(colorId_)) {
    if (pendingEchoes_ > 0) {
      --pendingEchoes_;
    } else {
      RichCharFormat format;
      format.color = color_->GetColor();
      format.autoColor = false;
      edit_.SetSelectionCharFormat(format, kCharColor);
    }
    return true;
  }
  switch (wParam) {
    case ID_RTF_MENU_UNDO:
    case ID_RTF_MENU_CUT:
    case ID_RTF_MENU_COPY:
    case ID_RTF_MENU_PASTE:
    case ID_RTF_MENU_DELETE:
    case ID_RTF_MENU_SELECT_ALL: RunEditCommand(static_cast<UINT>(wParam)); return true;
    default: return false;
  }
}

void CharFormatControls::RunEditCommand(UINT command) {
  switch (command) {
    case ID_RTF_MENU_UNDO: edit_.undo(); break;
    case ID_RTF_MENU_CUT: edit_.cut(); break;
    case ID_RTF_MENU_COPY: edit_.copy(); break;
    case ID_RTF_MENU_PASTE: edit_.paste(); break;
    case ID_RTF_MENU_DELETE: {
      QTextCursor cursor = edit_.textCursor();
      cursor.removeSelectedText();
      edit_.setTextCursor(cursor);
      break;
    }
    case ID_RTF_MENU_SELECT_ALL: edit_.selectAll(); break;
    default: break;
  }
}

void CharFormatControls::ShowEditMenu(QPoint globalPos) {
  KvMenu menu;
  if (!LoadRtfEditMenu(menu)) return;
  KvMenu* edit = menu.GetSubMenu(kRtfEditSubmenu);
  if (edit == nullptr) return;
  static_cast<void>(SendCommandOf(edit->exec(globalPos), PageWindow()));
}

void CharFormatControls::ApplyLanguage() {
  const QString section = lang_section::IDD_RTFEDIT_DIALOG;
  for (int effect = kBold; effect <= kUnderline; ++effect) {
    effects_[static_cast<std::size_t>(effect)]->SetTipText(
        ReadLangText(section, kEffectTips[effect]), true);
  }
  color_->setToolTip(ReadLangText(section, kColorTip));
}

bool CharFormatControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_) {  // compared only: it may be going with the control
    if (event->type() == QEvent::ContextMenu) return true;  // the menu comes on release
    if (event->type() == QEvent::MouseButtonRelease) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        ShowEditMenu(mouse->globalPosition().toPoint());
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void CharFormatControls::OnFaceChosen(int index) {
  RichCharFormat format = edit_.GetSelectionCharFormat();
  format.face = BoundedFace(face_->itemText(index));
  edit_.SetSelectionCharFormat(format, kCharFace);
}

void CharFormatControls::OnSizeText(const QString& text) {
  const int points = ParseIniInt(text);
  if (points <= 0) return;  // not a size: nothing changes
  RichCharFormat format;
  format.twips = std::min(points, kMaxFontTwips / kTwipsPerPoint) * kTwipsPerPoint;
  edit_.SetSelectionCharFormat(format, kCharSize);
}

void CharFormatControls::OnEffect(Effect effect) {
  const bool on = effects_[effect]->GetCheck() != 0;
  RichCharFormat format;
  format.bold = on;
  format.italic = on;
  format.underline = on;
  static constexpr unsigned kMasks[] = {kCharBold, kCharItalic, kCharUnderline};
  edit_.SetSelectionCharFormat(format, kMasks[effect]);
}

HWND CharFormatControls::PageWindow() const {
  const MessageWindow* page = NearestMessageWindow(&edit_);
  return page == nullptr ? nullptr : page->Handle();
}
