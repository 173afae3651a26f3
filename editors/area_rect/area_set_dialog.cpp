#include "editors/area_rect/area_set_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/area_rect/area_rect_rules.h"
#include "editors/page_parts/retext_node.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kNameLabelId = 1456;
constexpr int kWidthLabelId = 1457;
constexpr int kHeightLabelId = 1458;
constexpr int kCaptionText = 1003;
constexpr int kNameTypedMax = 64;
constexpr int kFieldDigits = 5;
constexpr int kFieldMax = 99999;

// Edit and up-down ids of X, Y, width and height.
constexpr int kFieldIds[4][2] = {{1140, 1085}, {1081, 1086}, {1141, 1087}, {1083, 1088}};
// Places of the rectangle's labels and edits on the page's second row.
constexpr int kRowTop = 66;
constexpr int kEditHeight = 22;
constexpr int kEditWidth = 72;
constexpr int kLabelLefts[4] = {14, 120, 226, 370};
constexpr int kLabelWidths[4] = {14, 14, 58, 58};

AreaRecord* SelectedArea() { return CurrentSelection ? CurrentSelection->Area() : nullptr; }

// The owning program's border width and the owning screen's size, or nothing when
// the area has no owners.
struct AreaBounds {
  int border;
  int width;
  int height;
};
bool BoundsOf(const AreaRecord& area, AreaBounds& bounds) {
  const ScreenRecord* screen = area.OwnerScreen;
  if (!screen && area.OwnerProgram) screen = area.OwnerProgram->OwnerScreen;
  if (!screen || !area.OwnerProgram) return false;
  bounds = {area.OwnerProgram->BorderWidth, screen->LedWidth, screen->LedHeight};
  return true;
}

QLabel* MakeLabel(QWidget* page, int id, const QRect& place, const QString& text = {}) {
  auto* label = new QLabel(text, page);
  if (id != 0) SetControlId(label, id);
  label->setGeometry(place);
  return label;
}

}  // namespace

CAreaSetDialog::CAreaSetDialog(QWidget* parent) : QWidget(parent), name_(new QLineEdit(this)) {
  MakeLabel(this, kNameLabelId, QRect(14, 36, 60, 20));
  SetControlId(name_, kNameId);
  name_->setMaxLength(kNameTypedMax);
  name_->setGeometry(80, 34, 280, kEditHeight);
  connect(name_, &QLineEdit::textEdited, this, [this] { OnNameEdited(); });
  const int labelIds[4] = {0, 0, kWidthLabelId, kHeightLabelId};
  const QString fixedTexts[4] = {QStringLiteral("X"), QStringLiteral("Y"), {}, {}};
  for (int field = kX; field <= kHeight; ++field) {
    const int left = kLabelLefts[field];
    MakeLabel(this, labelIds[field], QRect(left, kRowTop + 2, kLabelWidths[field], 20),
              fixedTexts[field]);
    auto* edit = new DigitSpinEdit(kFieldDigits, kFieldMax, this);
    edit->SetIds(kFieldIds[field][0], kFieldIds[field][1]);
    edit->setGeometry(left + kLabelWidths[field] + 4, kRowTop, kEditWidth, kEditHeight);
    const bool horizontal = field == kX || field == kWidth;
    const bool position = field == kX || field == kY;
    edit->onStepped = [this, horizontal, position](int delta) {
      position ? OnPositionChange(horizontal, delta, true) : OnSizeChange(horizontal, delta, true);
    };
    edit->onEdited = [this, horizontal, position] {
      position ? OnPositionChange(horizontal, 0, false) : OnSizeChange(horizontal, 0, false);
    };
    edit->onFocusLost = [this] { ShowValues(); };
    fields_[static_cast<std::size_t>(field)] = edit;
  }
  ApplyLanguage();
}

LRESULT CAreaSetDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) {
    Load();
    return 0;
  }
  if (msg == WM_TIMER && wParam == kSizeTimer) {
    OnSizeTimer();
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CAreaSetDialog::ApplyLanguage() {
  static_cast<void>(SetDlgItemLangText(this, kNameLabelId, lang_section::IDD_AREASET_DIALOG, 1000));
  static_cast<void>(
      SetDlgItemLangText(this, kWidthLabelId, lang_section::IDD_AREASET_DIALOG, 1001));
  static_cast<void>(
      SetDlgItemLangText(this, kHeightLabelId, lang_section::IDD_AREASET_DIALOG, 1002));
  caption_ = ReadLangText(lang_section::IDD_AREASET_DIALOG, kCaptionText);
  update();
}

void CAreaSetDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanelFrameClient(caption_, false, true, this, painter);
}

void CAreaSetDialog::Load() {
  const AreaRecord* area = SelectedArea();
  if (!area) return;
  name_->setText(ReadBoundedText(area->AreaName));
  values_ = {area->AreaRect_Left, area->AreaRect_Top, area->AreaRect_Right - area->AreaRect_Left,
             area->AreaRect_Bottom - area->AreaRect_Top};
  ShowValues();
}

void CAreaSetDialog::ShowValues() {
  for (std::size_t field = 0; field < fields_.size(); ++field) {
    fields_[field]->ShowValue(values_[field]);
  }
}

void CAreaSetDialog::OnNameEdited() {
  AreaRecord* area = SelectedArea();
  if (!area) return;
  // The record keeps what fits; the edit may hold one character more.
  static_cast<void>(CopyBoundedText(area->AreaName, name_->text()));
  RetextSelectedNode(*this);
}

void CAreaSetDialog::OnPositionChange(bool horizontal, int delta, bool spin) {
  AreaRecord* area = SelectedArea();
  AreaBounds bounds{};
  if (!area || !BoundsOf(*area, bounds)) return;
  const std::size_t pos = horizontal ? kX : kY;
  const std::size_t len = horizontal ? kWidth : kHeight;
  int p = values_[pos] + delta;
  if (!spin) {
    const std::optional<int> typed = fields_[pos]->Value();
    if (!typed) return;
    p = *typed;
  }
  const int b = bounds.border;
  const int clamped =
      ClampAreaPosition(p, values_[len], horizontal ? bounds.width : bounds.height, b);
  values_[pos] = clamped;
  // A typed value below the border shows its clamped value only when the edit is left.
  if (clamped != p && (spin || p >= b)) {
    fields_[pos]->ShowSelected(clamped);
  } else if (spin) {
    fields_[pos]->ShowValue(clamped);
  }
  WriteRect(*area);
}

void CAreaSetDialog::OnSizeChange(bool horizontal, int delta, bool spin) {
  AreaRecord* area = SelectedArea();
  AreaBounds bounds{};
  if (!area || !BoundsOf(*area, bounds)) return;
  const std::size_t pos = horizontal ? kX : kY;
  const std::size_t len = horizontal ? kWidth : kHeight;
  int l = values_[len] + delta;
  if (!spin) {
    const std::optional<int> typed = fields_[len]->Value();
    if (!typed) return;
    l = *typed;
  }
  const int b = bounds.border;
  const int least = l <= 2 * b ? 2 * b + 1 : l;
  const AreaSpan span =
      ClampAreaLength(values_[pos], l, horizontal ? bounds.width : bounds.height, b);
  values_[pos] = span.position;
  values_[len] = span.length;
  const bool filled = span.length != least;  // the area spans the whole inside
  if (spin || filled) {
    fields_[pos]->ShowValue(span.position);
    if (span.length != l) {
      fields_[len]->ShowSelected(span.length);
    } else {
      fields_[len]->ShowValue(span.length);
    }
  }
  WriteRect(*area);
  StartReloadTimer(spin ? kSpinDelayMs : kTypedDelayMs);
}

void CAreaSetDialog::WriteRect(AreaRecord& area) const {
  area.AreaRect_Left = values_[kX];
  area.AreaRect_Top = values_[kY];
  area.AreaRect_Right = values_[kX] + values_[kWidth];
  area.AreaRect_Bottom = values_[kY] + values_[kHeight];
}

void CAreaSetDialog::StartReloadTimer(UINT delayMs) {
  pendingMs_ = delayMs;
  // Without a timer the reload cannot wait: the canvas gets it at once.
  if (!SetTimer(Handle(), kSizeTimer, delayMs)) OnSizeTimer();
}

void CAreaSetDialog::OnSizeTimer() {
  ShowValues();
  static_cast<void>(KillTimer(Handle(), kSizeTimer));  // false once it is already gone
  pendingMs_ = 0;
  SendMessage(PreviewCanvasWindow, UM_CANVAS_RELOAD, 0, 0);
}
