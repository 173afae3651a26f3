#include "editors/border/border_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "editors/border/border_rules.h"
#include "editors/page_parts/option_lists.h"
#include "model/project/project_globals.h"
#include "model/project/selection.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/borders/border_strips.h"

namespace {

constexpr int kFirstEffectText = 1007;
constexpr SpeedListTexts kBorderSpeedTexts{lang_section::IDD_BORDER_DIALOG, 1011, 1012};
constexpr int kStyleCounts[2] = {kSingleColorStrips, kMultiColorStrips};
// The warning's style: the exclamation icon, OK alone.
constexpr int kWarningStyle = 48;
constexpr int kFitText = 1013;  // the border does not fit its area or screen
// Any colour type above two colours draws the pictures in full colour.
constexpr int kFullColor = 2;

// Texts of the check, the radios and the labels: control id and text number.
constexpr int kControlTexts[][2] = {
    {CBorderDialog::kUseCheckId, 1000},    {CBorderDialog::kSingleRadioId, 1001},
    {CBorderDialog::kDazzleRadioId, 1002}, {CBorderDialog::kPictureRadioId, 1003},
    {CBorderDialog::kEffectLabelId, 1004}, {CBorderDialog::kSpeedLabelId, 1005}};

template <typename Record>
void FieldsOf(Record& record, auto& fields) {
  fields = {&record.IsUseBorder, &record.BorderType,  &record.BorderWidth, &record.BorderValue,
            &record.BorderColor, &record.BorderStyle, &record.BorderSpeed};
}

const ScreenRecord* SelectedScreen() {
  return CurrentSelection ? ScreenOf(*CurrentSelection) : nullptr;
}

template <typename Control>
Control* Place(Control* control, int id, const QRect& rect) {
  SetControlId(control, id);
  control->setGeometry(rect);
  return control;
}

}  // namespace

CBorderDialog::CBorderDialog(QWidget* parent) : QWidget(parent) {
  CreateControls();
  ApplyLanguage();
}

void CBorderDialog::CreateControls() {
  use_ = Place(new QCheckBox(this), kUseCheckId, QRect(12, 8, 240, 22));
  single_ = Place(new QRadioButton(this), kSingleRadioId, QRect(12, 38, 200, 22));
  dazzle_ = Place(new QRadioButton(this), kDazzleRadioId, QRect(262, 38, 200, 22));
  auto* picture = Place(new QRadioButton(this), kPictureRadioId, QRect(12, 180, 200, 22));
  picture->setEnabled(false);
  picture->hide();
  const int styleIds[2] = {kSingleStylesId, kDazzleStylesId};
  for (int family = 0; family < 2; ++family) {
    auto* combo =
        Place(new QComboBox(this), styleIds[family], QRect(12 + 250 * family, 66, 164, 26));
    combo->setIconSize(QSize(kStylePictureWidth, kStylePictureHeight));
    for (int style = 0; style < kStyleCounts[family]; ++style) {
      combo->addItem(QString::number(GetBorderWidth(family, style)));
    }
    connect(combo, &QComboBox::activated, this,
            [this, family](int index) { OnStyle(family, index); });
    styles_[family] = combo;
  }
  color_ = Place(new CColorPicker(this), kColorId, QRect(184, 66, 56, 26));
  Place(new QLabel(this), kEffectLabelId, QRect(12, 110, 70, 22));
  effect_ = Place(new QComboBox(this), kEffectListId, QRect(86, 108, 150, 26));
  Place(new QLabel(this), kSpeedLabelId, QRect(262, 110, 70, 22));
  speed_ = Place(new QComboBox(this), kSpeedListId, QRect(336, 108, 150, 26));
  connect(use_, &QCheckBox::clicked, this, [this](bool on) { OnUseCheck(on); });
  connect(single_, &QRadioButton::clicked, this, [this] { OnFamily(0); });
  connect(dazzle_, &QRadioButton::clicked, this, [this] { OnFamily(1); });
  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });
  FillStyles(kFullColor);
}

LRESULT CBorderDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) {
    Load();
    return 0;
  }
  if (msg == WM_COMMAND && (wParam & 0xFFFF) == kColorId) {
    OnColor();
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CBorderDialog::ApplyLanguage() {
  for (const auto& [id, text] : kControlTexts) {
    static_cast<void>(SetDlgItemLangText(this, id, lang_section::IDD_BORDER_DIALOG, text));
  }
  for (int effect = 0; effect < kEffectCount; ++effect) {
    const QString text = ReadLangText(lang_section::IDD_BORDER_DIALOG, kFirstEffectText + effect);
    if (effect < effect_->count()) {
      effect_->setItemText(effect, text);
    } else {
      effect_->addItem(text);
    }
  }
  FillSpeedList(*speed_, kBorderSpeedTexts);
}

bool CBorderDialog::SelectedFields(Fields& fields) const {
  if (!CurrentSelection || !SelectedScreen()) return false;
  if (ProgramRecord* program = CurrentSelection->Program()) {
    FieldsOf(*program, fields);
    return true;
  }
  if (AreaRecord* area = CurrentSelection->Area()) {
    FieldsOf(*area, fields);
    return true;
  }
  return false;
}

int CBorderDialog::LedColor() const {
  const ScreenRecord* screen = SelectedScreen();
  return screen ? screen->LedColor : 0;
}

void CBorderDialog::FillStyles(int ledColor) {
  if (ledColor == picturesFor_) return;
  picturesFor_ = ledColor;
  const ScreenColors colors = ScreenColorsOf(ledColor);
  for (int family = 0; family < 2; ++family) {
    for (int style = 0; style < kStyleCounts[family]; ++style) {
      styles_[family]->setItemIcon(style,
                                   QPixmap::fromImage(BorderStylePicture(family, style, colors)));
    }
  }
}

void CBorderDialog::Load() {
  Fields fields{};
  if (!SelectedFields(fields)) return;
  FillStyles(LedColor());
  // A single-colour screen cannot show a dazzle border: the record takes the thinnest
  // single-colour style (width 0 while the border is off).
  if (LedColor() == 0 && *fields.type > 0) {
    *fields.type = 0;
    *fields.value = 0;
    *fields.width = *fields.use != 0 ? 1 : 0;
  }
  ShowFields(fields);
}

void CBorderDialog::ShowFields(const Fields& fields) {
  use_->setChecked(*fields.use != 0);
  const int family = *fields.type != 0 ? 1 : 0;
  (family == 0 ? single_ : dazzle_)->setChecked(true);
  color_->SetColor(*fields.color);
  styles_[family]->setCurrentIndex(*fields.value);
  effect_->setCurrentIndex(*fields.style);
  speed_->setCurrentIndex(*fields.speed);
  EnableControls(fields);
}

void CBorderDialog::EnableControls(const Fields& fields) {
  const bool on = *fields.use != 0;
  const bool single = *fields.type == 0;
  single_->setEnabled(on);
  dazzle_->setEnabled(on && LedColor() != 0);
  effect_->setEnabled(on);
  speed_->setEnabled(on);
  styles_[0]->setEnabled(on && single);
  color_->setEnabled(on && single);
  styles_[1]->setEnabled(on && !single);
}

void CBorderDialog::OnUseCheck(bool on) {
  Fields fields{};
  if (!SelectedFields(fields)) return;
  *fields.use = on ? 1 : 0;
  *fields.width = on ? GetBorderWidth(*fields.type, *fields.value) : 0;
  CheckBorderFits(fields);
  NotifyCanvas();
  EnableControls(fields);
}

void CBorderDialog::OnFamily(int family) {
  Fields fields{};
  if (!SelectedFields(fields)) return;
  *fields.type = family;
  *fields.value = styles_[family]->currentIndex();
  *fields.width = GetBorderWidth(family, *fields.value);
  CheckBorderFits(fields);
  NotifyCanvas();
  EnableControls(fields);
}

void CBorderDialog::OnStyle(int family, int index) {
  Fields fields{};
  if (!SelectedFields(fields) || index < 0) return;
  *fields.value = index;
  *fields.width = GetBorderWidth(family, index);
  CheckBorderFits(fields);
  NotifyCanvas();
}

void CBorderDialog::OnEffect(int index) {
  Fields fields{};
  if (!SelectedFields(fields) || index < 0) return;
  *fields.style = index;
  NotifyCanvas();
}

void CBorderDialog::OnSpeed(int index) {
  Fields fields{};
  if (!SelectedFields(fields) || index < 0) return;
  *fields.speed = index;
  NotifyCanvas();
}

void CBorderDialog::OnColor() {
  Fields fields{};
  if (!SelectedFields(fields) || color_->GetColor() == *fields.color) return;
  *fields.color = color_->GetColor();
  NotifyCanvas();
}

void CBorderDialog::CheckBorderFits(const Fields& fields) {
  const int border = *fields.width;
  if (const AreaRecord* area = CurrentSelection->Area()) {
    if (!BorderFits(area->AreaRect_Right - area->AreaRect_Left,
                    area->AreaRect_Bottom - area->AreaRect_Top, border)) {
      ShowFitMessage();
      ResetToThinnest(fields);
    }
    return;
  }
  const ScreenRecord* screen = SelectedScreen();
  if (!BorderFits(screen->LedWidth, screen->LedHeight, border)) {
    ShowFitMessage();
    ResetToThinnest(fields);
  }
  // An area too small for the border takes the program to the thinnest style for the
  // areas after it; the page then says so and shows the style the record holds.
  if (PushAreasInside()) {
    ShowFitMessage();
    ShowFields(fields);
  }
}

bool CBorderDialog::PushAreasInside() {
  ProgramRecord& program = *CurrentSelection->Program();
  const ScreenRecord& screen = *SelectedScreen();
  bool reset = false;
  for (AreaRecord* area : CanvasAreaList) {
    const int border = program.BorderWidth;
    const QRect rect = PushInsideBorder(
        QRect(area->AreaRect_Left, area->AreaRect_Top, area->AreaRect_Right - area->AreaRect_Left,
              area->AreaRect_Bottom - area->AreaRect_Top),
        screen.LedWidth, screen.LedHeight, border);
    if (!BorderFits(rect.width(), rect.height(), border) &&
        (program.BorderValue != 0 || program.BorderWidth != 1)) {
      program.BorderValue = 0;
      program.BorderWidth = 1;
      reset = true;
    }
    area->AreaRect_Left = rect.left();
    area->AreaRect_Top = rect.top();
    area->AreaRect_Right = rect.left() + rect.width();
    area->AreaRect_Bottom = rect.top() + rect.height();
  }
  return reset;
}

void CBorderDialog::ResetToThinnest(const Fields& fields) {
  *fields.value = 0;
  *fields.width = 1;
  ShowFields(fields);
}

void CBorderDialog::ShowFitMessage() {
  static_cast<void>(ShowStyleMessage(ReadLangTextOrFixed(lang_section::IDD_BORDER_DIALOG, kFitText),
                                     kWarningStyle));
}

void CBorderDialog::NotifyCanvas() {
  if (CurrentSelection && CurrentSelection->Program()) {
    SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, 0, 0);
  } else {
    SendMessage(PreviewCanvasWindow, UM_CANVAS_RELOAD, 0, 0);
  }
}
