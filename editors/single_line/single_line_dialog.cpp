#include "editors/single_line/single_line_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <limits>
#include <variant>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/page_parts/control_tips.h"
#include "editors/page_parts/option_lists.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/content_size.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

// Control ids.
constexpr int kTextId = 1102;
constexpr CharFormatIds kFormatIds{1195, 1196, 1103, 1097, 1098, 1104};
constexpr int kBackId = 1105;
constexpr int kEffectId = 1197;
constexpr int kEndToEndId = 1096;
constexpr int kSpeedId = 1198;
constexpr int kStayId = 1199;
constexpr int kStaySpinId = 1200;
constexpr int kStepIds[] = {1440, 1441, 1003, 1442};  // zoom +, zoom -, offset +, offset -
constexpr int kZoomStaticId = 1443;
constexpr int kOffsetStaticId = 1444;
constexpr int kFontLabelId = 1529;

// Text numbers: the font label (IDD_RTFEDIT_DIALOG); the effect, speed and stay
// labels and the end-to-end box (IDD_IMAGEWORD_DIALOG); tooltips (IDD_RTFEDIT_DIALOG).
constexpr int kFontLabelText = 1001;
constexpr int kImageWordTexts[][2] = {{1530, 1000}, {1531, 1001}, {1532, 1002}, {1096, 1012}};
constexpr int kTipTexts[][2] = {
    {1105, 1009}, {1440, 1014}, {1441, 1015}, {1003, 1016}, {1442, 1017}};

// The effect that scrolls the line continuously, with its end-to-end flag; the
// effects from it to kLastUntimedEffect play without a stay time.
constexpr int kContinuousEffect = 6;
constexpr int kLastUntimedEffect = 9;

// The canvas operation that shows the edited area's content again, and its item:
// none while the frame file is rewritten, then the area's.
constexpr WPARAM kShowContent = 2;
constexpr LPARAM kNoItem = -2;
constexpr LPARAM kTheItem = 0;

// The text's default format: "宋体" (GB2312) 12 points in white, on black; the
// colour picker starts at red.
const RichCharFormat kDefaultFormat{
    QStringLiteral(u"宋体"), 134, 240, false, false, false, 0xFFFFFF, false};
constexpr ColorRef kStartTextColor = 0x0000FF;
constexpr ColorRef kBlack = 0;

// Geometry, in pixels of the page.
constexpr int kRowHeight = 26;
constexpr int kFormatRow = 4;
constexpr QRect kTextRect(6, 36, 506, 92);
constexpr int kEffectRow = 136;
constexpr int kStayRow = 170;

template <typename Control>
Control* Make(QWidget* page, int id, const QRect& place) {
  auto* control = new Control(page);
  SetControlId(control, id);
  control->setGeometry(place);
  return control;
}

QLabel* MakeLabel(QWidget* page, int id, int left, int top, int width) {
  return Make<QLabel>(page, id, QRect(left, top + 3, width, 20));
}

// The area's RTF file; empty for a GUID text that names no file.
QString RtfPath(const SingleLineAreaInfo& info) {
  const QString name = ReadBoundedText(info.guid);
  return IsGuidText(name) ? AppFilePath(AppFolder::UserData, QString(name + QStringLiteral(".rtf")))
                          : QString();
}

int IndexIn(int value, int count) { return value >= 0 && value < count ? value : -1; }

// One step of an unbounded field; a value at the end of the int range stays there.
int Stepped(int value, bool up) {
  if (up) return value < std::numeric_limits<int>::max() ? value + 1 : value;
  return value > std::numeric_limits<int>::min() ? value - 1 : value;
}

void ShowBackground(CRichEditEx& edit, ColorRef color) {
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Base, QColor(ColorRefToQRgb(color)));
  edit.setPalette(palette);
}

}  // namespace

CSingleLineDialog::CSingleLineDialog(QWidget* parent)
    : QWidget(parent),
      ask_([](const QString& text, int style) { return ShowStyleMessage(text, style); }) {
  CreateTextControls();
  CreateDisplayControls();
  CreateStepControls();
  ApplyLanguage();
}

CSingleLineDialog::~CSingleLineDialog() = default;

void CSingleLineDialog::CreateTextControls() {
  edit_ = Make<CRichEditEx>(this, kTextId, kTextRect);
  edit_->SetDefaultCharFormat(kDefaultFormat);
  edit_->Content().SetRtf({});  // empty, in the default format
  ShowBackground(*edit_, kBlack);
  connect(edit_, &CRichEditEx::textChanged, this, [this] { OnTextChanged(); });
  edit_->textCut = [this] { TellTextCut(ask_); };

  // The labels leave room for their longer translations.
  MakeLabel(this, kFontLabelId, 6, kFormatRow, 60);
  formats_ = new CharFormatControls(*edit_, *this, kFormatIds);
  formats_->FaceCombo().setGeometry(68, kFormatRow, 160, kRowHeight);
  formats_->SizeCombo().setGeometry(232, kFormatRow, 56, kRowHeight);
  for (int effect = CharFormatControls::kBold; effect <= CharFormatControls::kUnderline; ++effect) {
    formats_->EffectButton(CharFormatControls::Effect(effect))
        .setGeometry(294 + 28 * effect, kFormatRow, kRowHeight, kRowHeight);
  }
  formats_->ColorPicker().setGeometry(382, kFormatRow, 44, kRowHeight);
  RichCharFormat shown = kDefaultFormat;
  shown.color = kStartTextColor;
  formats_->ShowFormat(shown);
  back_ = Make<CColorPicker>(this, kBackId, QRect(432, kFormatRow, 44, kRowHeight));
}

void CSingleLineDialog::CreateDisplayControls() {
  MakeLabel(this, 1530, 6, kEffectRow, 70);
  effect_ = Make<QComboBox>(this, kEffectId, QRect(78, kEffectRow, 148, 24));
  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  endToEnd_ = Make<QCheckBox>(this, kEndToEndId, QRect(232, kEffectRow, 112, 24));
  endToEnd_->hide();
  connect(endToEnd_, &QCheckBox::clicked, this, [this](bool on) { OnEndToEnd(on); });
  MakeLabel(this, 1531, 346, kEffectRow, 62);
  speed_ = Make<QComboBox>(this, kSpeedId, QRect(410, kEffectRow, 102, 24));
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });

  MakeLabel(this, 1532, 6, kStayRow, 100);
  stay_ = new DigitSpinEdit(3, 999, this);  // any 3 digits: a value past 255 is corrected
  stay_->SetIds(kStayId, kStaySpinId);
  stay_->setGeometry(108, kStayRow, 56, 24);
  stay_->onEdited = [this] {
    if (const std::optional<int> value = stay_->Value()) OnStay(*value);
  };
  stay_->onStepped = [this](int delta) { OnStay(stay_->Value().value_or(kStayMin) + delta); };
}

void CSingleLineDialog::CreateStepControls() {
  const QString captions[] = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("\u2191"),
                              QStringLiteral("\u2193")};
  constexpr int kLefts[] = {190, 252, 298, 360};
  for (int step = kZoomUp; step <= kOffsetDown; ++step) {
    auto* button = Make<CButtonQx>(this, kStepIds[step], QRect(kLefts[step], kStayRow, 26, 24));
    button->setText(captions[step]);
    button->setAutoDefault(false);
    button->CreateTooltip();
    connect(button, &CButtonQx::clicked, this, [this, step] { OnStep(Step(step)); });
    steps_[static_cast<std::size_t>(step)] = button;
  }
  zoomStatic_ = Make<QLabel>(this, kZoomStaticId, QRect(218, kStayRow, 32, 24));
  offsetStatic_ = Make<QLabel>(this, kOffsetStaticId, QRect(326, kStayRow, 32, 24));
  zoomStatic_->setAlignment(Qt::AlignCenter);
  offsetStatic_->setAlignment(Qt::AlignCenter);
}

void CSingleLineDialog::ApplyLanguage() {
  const QString rtfSection = lang_section::IDD_RTFEDIT_DIALOG;
  static_cast<void>(SetDlgItemLangText(this, kFontLabelId, rtfSection, kFontLabelText));
  for (const auto& [id, text] : kImageWordTexts) {
    static_cast<void>(SetDlgItemLangText(this, id, lang_section::IDD_IMAGEWORD_DIALOG, text));
  }
  SetControlTips(*this, rtfSection, kTipTexts);
  formats_->ApplyLanguage();
  FillEffectList(*effect_);
  FillSpeedList(*speed_, kImageWordSpeedTexts);
}

LRESULT CSingleLineDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_LOAD_SELECTION: Load(); return 0;
    case UM_RERENDER_ITEM:
      Render(wParam == 1 ? RerenderWhen::kOutdated : RerenderWhen::kAlways);
      return 0;
    case WM_COMMAND: OnCommand(wParam); return 0;
    default: break;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CSingleLineDialog::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (!visible) {
    area_ = nullptr;
    info_ = nullptr;
  }
}

void CSingleLineDialog::Load() {
  area_ = CurrentSelection ? CurrentSelection->Area() : nullptr;
  info_ = area_ ? std::get_if<SingleLineAreaInfo>(&area_->Kind) : nullptr;
  if (info_ == nullptr) {
    area_ = nullptr;
    return;
  }
  const SingleLineAreaInfo& info = *info_;
  ShowEffect(info.InStyle);
  zoomStatic_->setText(QString::number(info.ZoomValue));
  offsetStatic_->setText(QString::number(info.OffsetValue));
  speed_->setCurrentIndex(IndexIn(info.InSpeed, kSpeedCount));
  stay_->ShowValue(info.DelayTime);
  back_->SetColor(info.BackColor);  // its echo colours the control, renders an outdated file
  endToEnd_->setChecked(info.IsLeftMove != 0);

  loading_ = true;
  edit_->Content().SetRtf({});  // what a file that cannot be read leaves
  const QString path = RtfPath(info);
  if (!path.isEmpty() && edit_->LoadRtfFile(path) == 1 && edit_->Content().Cut()) {
    TellTextCut(ask_);
  }
  formats_->ShowSelectionFormat();
  loading_ = false;
}

void CSingleLineDialog::ShowEffect(int effect) {
  effect_->setCurrentIndex(IndexIn(effect, kEffectCount));
  endToEnd_->setVisible(effect == kContinuousEffect);
  stay_->setEnabled(effect < kContinuousEffect || effect > kLastUntimedEffect);
}

void CSingleLineDialog::Render(RerenderWhen when) {
  if (info_ == nullptr) return;
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kShowContent, kNoItem);
  RerenderSingleLine(*info_, AreaContentSize(*area_), when, render_);
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kShowContent, kTheItem);
}

void CSingleLineDialog::AskRender(RerenderWhen when) {
  SendMessage(Handle(), UM_RERENDER_ITEM, when == RerenderWhen::kOutdated ? 1 : 0, 0);
}

void CSingleLineDialog::OnTextChanged() {
  if (loading_ || info_ == nullptr) return;
  const QString path = RtfPath(*info_);
  if (path.isEmpty()) return;
  static_cast<void>(saver_.Save(*edit_, path, ask_));
  AskRender(RerenderWhen::kAlways);
}

void CSingleLineDialog::OnCommand(WPARAM command) {
  // The text colour's command is always the format controls': they count the
  // picker's echoes.
  if (command == static_cast<WPARAM>(kFormatIds.color)) {
    formats_->OnCommand(command);
    return;
  }
  if (info_ == nullptr || formats_->OnCommand(command)) return;
  if (command == kBackId) OnBackColor();
}

void CSingleLineDialog::OnBackColor() {
  info_->BackColor = back_->GetColor();
  ShowBackground(*edit_, info_->BackColor);
  AskRender(RerenderWhen::kOutdated);
}

void CSingleLineDialog::OnEffect(int index) {
  if (info_ == nullptr || index < 0) return;
  info_->InStyle = index;
  ShowEffect(index);
  AskRender(RerenderWhen::kAlways);
}

void CSingleLineDialog::OnSpeed(int index) {
  if (info_ == nullptr || index < 0) return;
  info_->InSpeed = index;
  AskRender(RerenderWhen::kOutdated);
}

void CSingleLineDialog::OnEndToEnd(bool on) {
  if (info_ == nullptr) return;
  info_->IsLeftMove = on ? 1 : 0;
  AskRender(RerenderWhen::kAlways);
}

void CSingleLineDialog::OnStay(int value) {
  if (info_ == nullptr) return;
  const int stay = std::clamp(value, kStayMin, kStayMax);
  if (stay_->Edit().text() != QString::number(stay)) stay_->ShowValue(stay);
  info_->DelayTime = stay;
  AskRender(RerenderWhen::kOutdated);
}

void CSingleLineDialog::OnStep(Step step) {
  if (info_ == nullptr) return;
  switch (step) {
    case kZoomUp:
    case kZoomDown:
      info_->ZoomValue = Stepped(info_->ZoomValue, step == kZoomUp);
      zoomStatic_->setText(QString::number(info_->ZoomValue));
      break;
    case kOffsetUp:
    case kOffsetDown:
      info_->OffsetValue = Stepped(info_->OffsetValue, step == kOffsetUp);
      offsetStatic_->setText(QString::number(info_->OffsetValue));
      break;
  }
  AskRender(RerenderWhen::kAlways);
}
