#include "device/settings/basic_set_dialog.h"

#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_settings.h"
#include "device/common/device_call_scope.h"
#include "device/settings/page_controls.h"
#include "device/settings/screen_page_ids.h"
#include "device/settings/screen_size.h"
#include "model/common/bounded_text.h"
#include "model/project/current_screen.h"
#include "model/project/project_window.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kCaptionKey = 1016;
constexpr int kMaxText = 1025;  // beside the largest module count and size
constexpr int kCardNumbers = 255;
constexpr int kCustomModuleCount = 17;
// Names hold 63 UTF-16 units and their terminator.
constexpr int kNameLength = 63;
// Count edits take 3 digits, dot edits 5.
constexpr int kCountDigits = 3;
constexpr int kDotDigits = 5;

// Section masks of the set: regular modules send their scan and scan table too.
constexpr std::int32_t kCustomMask = kBasicSection | kPolaritySection;
constexpr std::int32_t kRegularMask = kCustomMask | kScanSection | kScanTableSection;
// The read-back's sections (read meanings): name, serial, basic, OE/DA, scan, network,
// 0x100 and server.
constexpr std::int32_t kReadBackMask = 0x3BF;
constexpr std::int32_t kCardNameMask = 0x002;
constexpr std::int32_t kReadBackBrightness = 15;

// Status codes of the set and the read-back.
constexpr int kSetStarted = 0;
constexpr int kSetDone = 1;
constexpr int kSetFailed = 2;
constexpr int kReadStarted = 46;
constexpr int kReadDone = 47;
constexpr int kReadFailed = 48;

// UM_SCREEN_TABS: three tabs for custom modules, two for regular ones.
constexpr WPARAM kWithScanTab = 0;
constexpr WPARAM kWithoutScanTab = 1;

// Layout: rows of a label and its controls below the page's caption band.
constexpr int kFirstRow = 44;
constexpr int kRowStep = 36;
constexpr int kRowHeight = 24;
constexpr int kLabelLeft = 24;
constexpr int kLabelWidth = 120;
constexpr int kFieldLeft = kLabelLeft + kLabelWidth;
constexpr int kRightLabelLeft = 340;
constexpr int kRightFieldLeft = kRightLabelLeft + 110;

QString Text(int key) { return ReadLangText(lang_section::IDD_BASICSET_DIALOG, key); }

int RowTop(int row) { return kFirstRow + row * kRowStep; }

DigitSpinEdit* MakeSpinEdit(QWidget* parent, int digits, int editId, int spinId) {
  auto* edit =
      new DigitSpinEdit(digits, digits == kCountDigits ? kMaxModuleCount : kMaxScreenDots, parent);
  edit->setObjectName(QString::number(spinId));
  edit->Edit().setObjectName(QString::number(editId));
  edit->SetIds(editId, spinId);
  return edit;
}

// The count for one side of the screen, lowered until the screen it makes with the
// other side is one a card can drive.
int FittingCount(const ScreenRecord& screen, CBasicSetDialog::Side side, int count) {
  return side == CBasicSetDialog::kAcross
             ? FittingModuleCount(count, screen.ModuleWidth, screen.LedHeight, true)
             : FittingModuleCount(count, screen.ModuleHeight, screen.LedWidth, false);
}

}  // namespace

CBasicSetDialog::CBasicSetDialog(QWidget* parent)
    : ScreenPage(lang_section::IDD_BASICSET_DIALOG, kCaptionKey, parent) {
  CreateControls();
  PlaceControls();
  ConnectControls();
  ApplyLanguage();
}

void CBasicSetDialog::CreateControls() {
  name_ = MakePageControl<QLineEdit>(this, IDC_BASIC_NAME);
  name_->setMaxLength(kNameLength);
  cardNumber_ = MakePageControl<QComboBox>(this, IDC_BASIC_CARD_NUMBER);
  for (int number = 1; number <= kCardNumbers; ++number)
    cardNumber_->addItem(QString::number(number));
  color_ = MakePageControl<QComboBox>(this, IDC_BASIC_COLOR);
  regular_ = MakePageControl<QRadioButton>(this, IDC_BASIC_REGULAR);
  custom_ = MakePageControl<QRadioButton>(this, IDC_BASIC_CUSTOM);
  regularList_ = MakePageControl<QComboBox>(this, IDC_BASIC_REGULAR_LIST);
  customList_ = MakePageControl<QComboBox>(this, IDC_BASIC_CUSTOM_LIST);
  for (int index = 0; index < kCustomModuleCount; ++index) {
    const QSize size = ModuleSizeAt(index);
    customList_->addItem(QStringLiteral("%1 * %2").arg(size.width()).arg(size.height()));
  }
  counts_ = {MakeSpinEdit(this, kCountDigits, IDC_BASIC_WIDTH_COUNT, IDC_BASIC_WIDTH_COUNT_SPIN),
             MakeSpinEdit(this, kCountDigits, IDC_BASIC_HEIGHT_COUNT, IDC_BASIC_HEIGHT_COUNT_SPIN)};
  dots_ = {MakeSpinEdit(this, kDotDigits, IDC_BASIC_WIDTH_DOTS, IDC_BASIC_WIDTH_DOTS_SPIN),
           MakeSpinEdit(this, kDotDigits, IDC_BASIC_HEIGHT_DOTS, IDC_BASIC_HEIGHT_DOTS_SPIN)};
  moduleTotal_ = MakePageControl<QLabel>(this, IDC_BASIC_MODULE_TOTAL);
  dotTotal_ = MakePageControl<QLabel>(this, IDC_BASIC_DOT_TOTAL);
  maxima_ = {MakePageControl<QLabel>(this, IDC_BASIC_MODULE_MAX),
             MakePageControl<QLabel>(this, IDC_BASIC_DOT_MAX)};
  for (QLabel* shown : {moduleTotal_, dotTotal_, maxima_[0], maxima_[1]}) {
    shown->setFrameShape(QFrame::StyledPanel);
    shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  for (QLabel* maximum : maxima_) maximum->setText(QStringLiteral("0"));
  oe_ = MakePageControl<QComboBox>(this, IDC_BASIC_OE);
  da_ = MakePageControl<QComboBox>(this, IDC_BASIC_DA);
  readBack_ = MakePageControl<QPushButton>(this, IDC_BASIC_READ_BACK);
  set_ = MakePageControl<QPushButton>(this, IDC_BASIC_SET);
  for (QLabel*& label : labels_) label = new QLabel(this);
  for (QLabel*& label : totalTexts_) label = new QLabel(this);
  for (QLabel*& label : maxTexts_) label = new QLabel(this);
}

void CBasicSetDialog::PlaceControls() {
  // Labels by key 1000-1009; 1003 and 1004 are the radios' own texts.
  const QPoint labelPlaces[] = {{kLabelLeft, RowTop(0)},
                                {kRightLabelLeft, RowTop(0)},
                                {kLabelLeft, RowTop(1)},
                                {},
                                {},
                                {kLabelLeft, RowTop(8)},
                                {kRightLabelLeft, RowTop(8)},
                                {kLabelLeft, RowTop(4)},
                                {kLabelLeft, RowTop(5)},
                                {kRightLabelLeft, RowTop(5)}};
  for (std::size_t key = 0; key < labels_.size(); ++key) {
    // Each label ends a little before its column's fields.
    const QPoint place = labelPlaces[key];
    const int fieldLeft = place.x() == kRightLabelLeft ? kRightFieldLeft : kFieldLeft;
    labels_[key]->setGeometry(place.x(), place.y(), fieldLeft - place.x() - 4, kRowHeight);
    labels_[key]->setVisible(key != 3 && key != 4);
  }
  name_->setGeometry(kFieldLeft, RowTop(0), 190, kRowHeight);
  cardNumber_->setGeometry(kRightFieldLeft, RowTop(0), 90, kRowHeight);
  color_->setGeometry(kFieldLeft, RowTop(1), 190, kRowHeight);
  regular_->setGeometry(kLabelLeft, RowTop(2), kLabelWidth + 40, kRowHeight);
  custom_->setGeometry(kLabelLeft, RowTop(3), kLabelWidth + 40, kRowHeight);
  regularList_->setGeometry(kFieldLeft + 40, RowTop(2), 260, kRowHeight);
  customList_->setGeometry(kFieldLeft + 40, RowTop(3), 260, kRowHeight);
  counts_[kAcross]->setGeometry(kFieldLeft, RowTop(4), 70, kRowHeight);
  counts_[kDown]->setGeometry(kFieldLeft + 100, RowTop(4), 70, kRowHeight);
  auto* times = new QLabel(QStringLiteral("*"), this);
  times->setGeometry(kFieldLeft + 78, RowTop(4), 14, kRowHeight);
  dots_[kAcross]->setGeometry(kFieldLeft, RowTop(5), 90, kRowHeight);
  dots_[kDown]->setGeometry(kRightFieldLeft, RowTop(5), 90, kRowHeight);
  // Totals and maxima, each with its unit word behind it.
  const std::array<QLabel*, 4> values = {moduleTotal_, maxima_[0], dotTotal_, maxima_[1]};
  for (int row = 0; row < 2; ++row) {
    const int top = RowTop(6 + row);
    totalTexts_[static_cast<std::size_t>(row)]->setGeometry(kLabelLeft, top, kLabelWidth - 4,
                                                            kRowHeight);
    values[static_cast<std::size_t>(2 * row)]->setGeometry(kFieldLeft, top, 90, kRowHeight);
    totalTexts_[static_cast<std::size_t>(2 + 2 * row)]->setGeometry(kFieldLeft + 96, top, 90,
                                                                    kRowHeight);
    maxTexts_[static_cast<std::size_t>(row)]->setGeometry(kRightLabelLeft, top, 96, kRowHeight);
    values[static_cast<std::size_t>(2 * row + 1)]->setGeometry(kRightFieldLeft, top, 90,
                                                               kRowHeight);
    totalTexts_[static_cast<std::size_t>(3 + 2 * row)]->setGeometry(kRightFieldLeft + 96, top, 90,
                                                                    kRowHeight);
  }
  oe_->setGeometry(kFieldLeft, RowTop(8), 150, kRowHeight);
  da_->setGeometry(kRightFieldLeft, RowTop(8), 150, kRowHeight);
  readBack_->setGeometry(kFieldLeft, RowTop(9) + 16, 150, 30);
  set_->setGeometry(kRightFieldLeft, RowTop(9) + 16, 150, 30);
}

void CBasicSetDialog::ConnectControls() {
  connect(name_, &QLineEdit::textEdited, this, [this] { OnNameEdited(); });
  connect(cardNumber_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->LedNumber = index + 1;
  });
  connect(color_, &QComboBox::activated, this, [this](int index) { OnColorChange(index); });
  connect(regular_, &QRadioButton::clicked, this, [this] { OnModuleKind(false); });
  connect(custom_, &QRadioButton::clicked, this, [this] { OnModuleKind(true); });
  connect(regularList_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->ModuleValue = index;
    ApplyRegularModule();
  });
  connect(customList_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->ModuleValue = index;
    ApplyCustomModule();
  });
  connect(oe_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->OE = index;
  });
  connect(da_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->DA = index;
  });
  for (Side side : {kAcross, kDown}) {
    counts_[side]->onEdited = [this, side] { OnCountTyped(side); };
    counts_[side]->onStepped = [this, side](int delta) { OnCountStep(side, delta, false); };
    dots_[side]->onStepped = [this, side](int delta) { OnCountStep(side, delta, true); };
    // Focus lost or Enter; an empty edit, which editingFinished skips, on focus loss.
    connect(&dots_[side]->Edit(), &QLineEdit::editingFinished, this,
            [this, side] { OnDotsTyped(side); });
    dots_[side]->onFocusLost = [this, side] {
      if (!dots_[side]->Value()) OnDotsTyped(side);
    };
  }
  connect(readBack_, &QPushButton::clicked, this, [this] { OnReadParams(); });
  connect(set_, &QPushButton::clicked, this, [this] { OnSetParams(); });
}

void CBasicSetDialog::ApplyLanguage() {
  ScreenPage::ApplyLanguage();
  for (std::size_t key = 0; key < labels_.size(); ++key) {
    labels_[key]->setText(Text(1000 + static_cast<int>(key)));
  }
  regular_->setText(Text(1003));
  custom_->setText(Text(1004));
  const int unitKeys[] = {1010, 1011, 1012, 1012, 1013, 1013};
  for (std::size_t i = 0; i < totalTexts_.size(); ++i) totalTexts_[i]->setText(Text(unitKeys[i]));
  for (QLabel* label : maxTexts_) label->setText(Text(kMaxText));
  for (std::size_t color = 0; color < regularNames_.size(); ++color) {
    regularNames_[color].clear();
    for (int index = 0; index < RegularModuleCount(static_cast<int>(color)); ++index) {
      regularNames_[color].append(Text(2000 + 100 * static_cast<int>(color) + index));
    }
  }
  const int colorIndex = color_->currentIndex();
  color_->clear();
  color_->addItems({Text(1017), Text(1018)});
  ShowListIndex(*color_, colorIndex);
  FillRegularList(colorIndex);
  readBack_->setText(Text(1014));
  set_->setText(Text(1015));
  const int oe = oe_->currentIndex();
  const int da = da_->currentIndex();
  oe_->clear();
  oe_->addItems({Text(1021), Text(1022)});
  da_->clear();
  da_->addItems({Text(1023), Text(1024)});
  ShowListIndex(*oe_, oe);
  ShowListIndex(*da_, da);
}

void CBasicSetDialog::FillRegularList(int color) {
  const int index = regularList_->currentIndex();
  regularList_->clear();
  if (color >= 0 && color < static_cast<int>(regularNames_.size())) {
    regularList_->addItems(regularNames_[static_cast<std::size_t>(color)]);
  }
  ShowListIndex(*regularList_, index);
}

// Loading -----------------------------------------------------------------------------

void CBasicSetDialog::LoadScreen(ScreenRecord* screen) {
  ScreenPage::LoadScreen(screen);
  if (screen == nullptr) return;
  name_->setText(ReadBoundedText(screen->LedName));
  ShowListIndex(*cardNumber_, screen->LedNumber - 1);
  ShowListIndex(*color_, screen->LedColor);
  FillRegularList(screen->LedColor);
  const bool custom = screen->ModuleType == 1;
  ShowListIndex(*customList_, custom ? screen->ModuleValue : 0);
  ShowListIndex(*regularList_, custom ? 0 : screen->ModuleValue);
  // Only shown: the regular-module rows shipped here stand in for an installation's
  // table, so a row copied on loading would overwrite the screen's own values. A row
  // is copied when the user chooses it.
  ShowModuleKind(custom);
  ShowPolarities();
}

void CBasicSetDialog::ShowSize() {
  const ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  counts_[kAcross]->ShowValue(screen->WidthModuleNum);
  counts_[kDown]->ShowValue(screen->HeightModuleNum);
  dots_[kAcross]->ShowValue(screen->LedWidth);
  dots_[kDown]->ShowValue(screen->LedHeight);
  moduleTotal_->setText(
      QString::number(std::int64_t{screen->WidthModuleNum} * screen->HeightModuleNum));
  dotTotal_->setText(QString::number(std::int64_t{screen->LedWidth} * screen->LedHeight));
}

void CBasicSetDialog::ShowPolarities() {
  if (const ScreenRecord* screen = Screen()) {
    ShowListIndex(*oe_, screen->OE);
    ShowListIndex(*da_, screen->DA);
  }
}

// Edits -------------------------------------------------------------------------------

void CBasicSetDialog::OnNameEdited() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  CopyBoundedText(screen->LedName, name_->text());
  SendMessage(PaneWindows[kScreenParamPane], UM_RENAME_SCREEN_NODE, 0, 0);
  SendMessage(ProjectWindow(), UM_RENAME_SCREEN_NODE, reinterpret_cast<WPARAM>(screen), 0);
}

void CBasicSetDialog::OnColorChange(int index) {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  screen->LedColor = index;
  FillRegularList(index);
  ShowListIndex(*regularList_, 0);
  screen->ModuleValue = 0;
  if (screen->ModuleType == 1) {
    ApplyCustomModule();
  } else {
    ApplyRegularModule();
  }
}

void CBasicSetDialog::ShowModuleKind(bool custom) {
  regular_->setChecked(!custom);
  custom_->setChecked(custom);
  customList_->setEnabled(custom);
  regularList_->setEnabled(!custom);
  SendMessage(PaneWindows[kScreenParamPane], UM_SCREEN_TABS,
              custom ? kWithScanTab : kWithoutScanTab, 0);
}

void CBasicSetDialog::OnModuleKind(bool custom) {
  if (ScreenRecord* screen = Screen()) {
    screen->ModuleType = custom ? 1 : 0;
    // A list without a selection (an index from a file outside it) keeps ModuleValue.
    const int index = (custom ? customList_ : regularList_)->currentIndex();
    if (index >= 0) screen->ModuleValue = index;
    if (custom) {
      ApplyCustomModule();
    } else {
      ApplyRegularModule();
    }
  }
  ShowModuleKind(custom);
}

void CBasicSetDialog::ApplyRegularModule() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  // A colour or row without a valid regular module changes nothing.
  const std::optional<RegularModule> row = RegularModuleRow(screen->LedColor, screen->ModuleValue);
  if (!row) return;
  const std::int32_t oldWidth = screen->LedWidth;
  const std::int32_t oldHeight = screen->LedHeight;
  screen->ModuleWidth = row->ModuleWidth;
  screen->ModuleHeight = row->ModuleHeight;
  screen->OE = row->OE;
  screen->DA = row->DA;
  screen->HanXu = row->HanXu;
  screen->RouteValue = row->RouteValue;
  screen->ScanType = row->ScanType;
  screen->DataHeight = row->DataHeight;
  ShowPolarities();
  ResizeToCounts(oldWidth, oldHeight);
}

void CBasicSetDialog::ApplyCustomModule() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr || screen->ModuleValue < 0 || screen->ModuleValue >= kCustomModuleCount) {
    return;
  }
  const std::int32_t oldWidth = screen->LedWidth;
  const std::int32_t oldHeight = screen->LedHeight;
  const QSize module = ModuleSizeAt(screen->ModuleValue);
  screen->ModuleWidth = module.width();
  screen->ModuleHeight = module.height();
  ResizeToCounts(oldWidth, oldHeight);
}

void CBasicSetDialog::OnCountTyped(Side side) {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  const int count = ClampedModuleCount(counts_[side]->Value());
  (side == kAcross ? screen->WidthModuleNum : screen->HeightModuleNum) =
      FittingCount(*screen, side, count);
  ResizeToCounts(screen->LedWidth, screen->LedHeight);
}

void CBasicSetDialog::OnCountStep(Side side, int delta, bool dotSpinner) {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  std::int32_t& count = side == kAcross ? screen->WidthModuleNum : screen->HeightModuleNum;
  const int moduleSize = side == kAcross ? screen->ModuleWidth : screen->ModuleHeight;
  // The dot spinners go past 999 modules, up to what the card's 16-bit size holds.
  const int maxCount = dotSpinner ? MaxModulesWithinDots(moduleSize) : kMaxModuleCount;
  count = FittingCount(*screen, side, SteppedModuleCount(count, delta, maxCount));
  ResizeToCounts(screen->LedWidth, screen->LedHeight);
}

void CBasicSetDialog::OnDotsTyped(Side side) {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  const std::int32_t oldWidth = screen->LedWidth;
  const std::int32_t oldHeight = screen->LedHeight;
  const bool across = side == kAcross;
  const int moduleSize = across ? screen->ModuleWidth : screen->ModuleHeight;
  const int count =
      FittingCount(*screen, side, ModulesForDots(dots_[side]->Value().value_or(0), moduleSize));
  (across ? screen->WidthModuleNum : screen->HeightModuleNum) = count;
  (across ? screen->LedWidth : screen->LedHeight) = count * moduleSize;
  FinishSizeChange(oldWidth, oldHeight);
  dots_[side]->ShowSelected(count * moduleSize);
}

void CBasicSetDialog::ResizeToCounts(std::int32_t oldWidth, std::int32_t oldHeight) {
  ScreenRecord& screen = *Screen();
  FitModuleCounts(screen);
  screen.LedWidth = screen.WidthModuleNum * screen.ModuleWidth;
  screen.LedHeight = screen.HeightModuleNum * screen.ModuleHeight;
  FinishSizeChange(oldWidth, oldHeight);
}

void CBasicSetDialog::FinishSizeChange(std::int32_t oldWidth, std::int32_t oldHeight) {
  ScreenRecord& screen = *Screen();
  ShowSize();
  RescaleAreas(screen, oldWidth, oldHeight);
  SendMessage(PreviewFrameWindow, UM_SCREEN_SIZE_CHANGED, static_cast<WPARAM>(screen.LedWidth),
              screen.LedHeight);
}

// The card -----------------------------------------------------------------------------

void CBasicSetDialog::ReportStatus(int code, std::int32_t result) {
  SendMessage(MainWindowHandle, UM_STATUS_CODE, static_cast<WPARAM>(code), result);
}

void CBasicSetDialog::OnSetParams() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  CommInfo info = CardLinkOf(*screen);
  LedSettingInfo settings{};
  PutScreenSettings(*screen, screen->ModuleType == 1 ? kCustomMask : kRegularMask, settings);
  ReportStatus(kSetStarted);
  // The calls dispatch messages: nothing may select, delete or edit the screen meanwhile.
  const DeviceCallScope scope(this);
  const std::int32_t result = KQ_SetLedSettingInfo(&info, &settings);
  if (result != KQ_OK) {
    ReportStatus(kSetFailed, result);
    return;
  }
  ReportStatus(kSetDone);
  LedSettingInfo card{};
  card.SectionMask = kCardNameMask;
  // The name is a courtesy: the settings are on the card whether or not it comes.
  if (KQ_GetLedSettingInfo(&info, &card) == KQ_OK) {
    CopyBoundedText(screen->LedTypeStr, ReadBoundedText(card.CardName));
  }
}

void CBasicSetDialog::OnReadParams() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  CommInfo info = CardLinkOf(*screen);
  LedSettingInfo card{};
  card.SectionMask = kReadBackMask;
  ReportStatus(kReadStarted);
  std::int32_t result = KQ_OK;
  {
    const DeviceCallScope scope(this);
    result = KQ_GetLedSettingInfo(&info, &card);
  }
  if (result != KQ_OK) {
    ReportStatus(kReadFailed, result);
    return;
  }
  const std::int32_t oldWidth = screen->LedWidth;
  const std::int32_t oldHeight = screen->LedHeight;
  // A card of no size, or of one no card can drive, is no screen to take.
  if (!TakeCardSettings(card, *screen)) {
    ReportStatus(kReadFailed, KQ_ERR_BAD_REPLY);
    return;
  }
  screen->BrightnessValue = kReadBackBrightness;
  RescaleAreas(*screen, oldWidth, oldHeight);
  SendMessage(PaneWindows[kScreenParamPane], UM_LOAD_SELECTION, 0, 0);
  ReportStatus(kReadDone);
}
