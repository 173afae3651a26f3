#include "device/settings/scan_set_dialog.h"

#include <QSignalBlocker>

#include <vector>

#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_settings.h"
#include "device/common/device_call_scope.h"
#include "device/common/device_icons.h"
#include "device/settings/page_controls.h"
#include "device/settings/screen_page_ids.h"
#include "model/project/current_screen.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kCaptionKey = 1000;
constexpr int kKeysPerGroup = 1000;
// Row order: entry 1 is the reversed order, stored as 6.
constexpr int kReversedRows = 6;

// Status codes of the send.
constexpr int kSendStarted = 3;
constexpr int kSendDone = 4;
constexpr int kSendFailed = 5;

// The language texts of each group's entries, in list order.
const std::vector<int> kGroupTexts[] = {
    {2000, 2001, 2002, 2003},
    {3000},
    {4000, 4001, 4002, 4003, 4004, 4005, 4006, 4007, 4008, 4009, 4010, 4011, 4012},
    {5000, 5001, 5002, 5003, 5004},
    {6000},
    {4003},
    {4001},
    {},
};

// The texts of the radios (one a group, in group order) and of the options below the list.
constexpr int kFirstGroupText = 1001;
constexpr int kRowOrderText = 1010;
constexpr int kNormalRowsText = 1011;
constexpr int kReversedRowsText = 1012;
constexpr int kColorOrderText = 1013;
constexpr int kSendText = 1014;

constexpr int kLeft = 24;
constexpr int kTop = 44;
constexpr int kRadioWidth = 110;
constexpr int kRadioHeight = 24;
constexpr int kListLeft = kLeft + kRadioWidth + 16;
constexpr int kListWidth = 300;
constexpr int kListHeight = 300;
constexpr int kOptionLabelWidth = 120;  // the labels beside the row and colour orders

}  // namespace

CScanSetDialog::CScanSetDialog(QWidget* parent)
    : ScreenPage(lang_section::IDD_SCANSET_DIALOG, kCaptionKey, parent), list_(this) {
  for (int group = 0; group < kGroupCount; ++group) {
    QRadioButton* radio = MakePageControl<QRadioButton>(this, IDC_SCAN_GROUPS[group]);
    radio->setGeometry(kLeft, kTop + group * (kRadioHeight + 8), kRadioWidth, kRadioHeight);
    radios_.addButton(radio, group);
    groups_[static_cast<std::size_t>(group)] = radio;
  }
  // A group's radio fills its list; the custom one empties it. The key stays.
  connect(&radios_, &QButtonGroup::idClicked, this, [this](int group) { ShowGroup(group); });
  list_.setObjectName(QString::number(IDC_SCAN_LIST));
  static_cast<void>(icons_.Add(PaintDeviceIcon(DeviceIcon::Scan, 20)));
  list_.SetImageList(&icons_);
  list_.setGeometry(kListLeft, kTop, kListWidth, kListHeight);
  list_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(&list_, &QListWidget::currentRowChanged, this, [this](int row) { OnScanEntry(row); });

  const int optionsTop = kTop + kListHeight + 20;
  rowLabel_ = new QLabel(this);
  rowLabel_->setGeometry(kListLeft, optionsTop, kOptionLabelWidth, kRadioHeight);
  rowOrder_ = MakePageControl<QComboBox>(this, IDC_SCAN_ROW_ORDER);
  rowOrder_->addItems({QString(), QString()});
  rowOrder_->setGeometry(kListLeft + kOptionLabelWidth, optionsTop, 140, kRadioHeight);
  colorLabel_ = new QLabel(this);
  colorLabel_->setGeometry(kListLeft, optionsTop + 36, kOptionLabelWidth, kRadioHeight);
  colorOrder_ = MakePageControl<QComboBox>(this, IDC_SCAN_COLOR_ORDER);
  colorOrder_->addItems({QStringLiteral("R+G"), QStringLiteral("G+R")});
  colorOrder_->setGeometry(kListLeft + kOptionLabelWidth, optionsTop + 36, 140, kRadioHeight);
  send_ = MakePageControl<QPushButton>(this, IDC_SCAN_SEND);
  send_->setGeometry(kListLeft + kOptionLabelWidth, optionsTop + 84, 140, 30);

  connect(rowOrder_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->HanXu = index == 1 ? kReversedRows : 0;
  });
  connect(colorOrder_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->RedGreenExchange = index;
  });
  connect(send_, &QPushButton::clicked, this, [this] { OnSend(); });
  ApplyLanguage();
}

void CScanSetDialog::ShowGroup(int group) {
  const bool known = group >= 0 && group < kGroupCount;
  group_ = known ? group : -1;
  radios_.setExclusive(false);
  for (int other = 0; other < kGroupCount; ++other) {
    groups_[static_cast<std::size_t>(other)]->setChecked(other == group_);
  }
  radios_.setExclusive(true);
  const QSignalBlocker blocker(&list_);
  list_.ResetContent();
  if (!known) return;
  int number = 1;
  for (int key : kGroupTexts[group]) {
    list_.AddString(QStringLiteral("%1.   ").arg(number++) +
                        ReadLangText(lang_section::IDD_SCANSET_DIALOG, key),
                    0);
  }
}

void CScanSetDialog::ApplyLanguage() {
  ScreenPage::ApplyLanguage();
  const auto text = [](int key) { return ReadLangText(lang_section::IDD_SCANSET_DIALOG, key); };
  for (int group = 0; group < kGroupCount; ++group) {
    groups_[static_cast<std::size_t>(group)]->setText(text(kFirstGroupText + group));
  }
  rowLabel_->setText(text(kRowOrderText));
  rowOrder_->setItemText(0, text(kNormalRowsText));
  rowOrder_->setItemText(1, text(kReversedRowsText));
  colorLabel_->setText(text(kColorOrderText));
  send_->setText(text(kSendText));
  const int entry = list_.currentRow();
  ShowGroup(group_);
  const QSignalBlocker blocker(&list_);
  list_.setCurrentRow(entry);
}

void CScanSetDialog::LoadScreen(ScreenRecord* screen) {
  ScreenPage::LoadScreen(screen);
  if (screen == nullptr) return;
  const int key = screen->ZouXianType;
  ShowGroup(key >= 0 ? key / kKeysPerGroup : -1);
  {
    const QSignalBlocker blocker(&list_);
    const int entry = key >= 0 ? key % kKeysPerGroup : -1;
    list_.setCurrentRow(entry < list_.count() ? entry : -1);
  }
  rowOrder_->setCurrentIndex(screen->HanXu > 0 ? 1 : 0);
  ShowListIndex(*colorOrder_, screen->RedGreenExchange);
}

void CScanSetDialog::OnScanEntry(int index) {
  ScreenRecord* screen = Screen();
  if (screen == nullptr || index < 0 || group_ < 0) return;
  screen->ZouXianType = group_ * kKeysPerGroup + index;
  ScanKeyToParams(screen->ZouXianType, screen->RouteValue, screen->DataHeight, screen->ScanType);
}

void CScanSetDialog::OnSend() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  CommInfo info = CardLinkOf(*screen);
  ScanKeyToParams(screen->ZouXianType, screen->RouteValue, screen->DataHeight, screen->ScanType);
  LedSettingInfo settings{};
  PutScreenSettings(*screen, kScanSection | kScanTableSection, settings);
  SendMessage(MainWindowHandle, UM_STATUS_CODE, kSendStarted, 0);
  std::int32_t result = KQ_OK;
  {
    // The call dispatches messages: nothing may select, delete or edit the screen.
    const DeviceCallScope scope(this);
    result = KQ_SetLedSettingInfo(&info, &settings);
  }
  if (result == KQ_OK) {
    SendMessage(MainWindowHandle, UM_STATUS_CODE, kSendDone, 0);
  } else {
    SendMessage(MainWindowHandle, UM_STATUS_CODE, kSendFailed, result);
  }
}
