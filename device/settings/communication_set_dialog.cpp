#include "device/settings/communication_set_dialog.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_link_dialog.h"
#include "device/common/card_settings.h"
#include "device/common/device_call_scope.h"
#include "device/common/device_icons.h"
#include "device/settings/communication_ids.h"
#include "device/settings/page_controls.h"
#include "model/common/bounded_text.h"
#include "model/common/serial_ports.h"
#include "model/project/current_screen.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kCaptionKey = 1010;
constexpr int kModeIconSize = 24;
constexpr int kColumnCount = 9;
// Mode names: network and serial keys 1011 and 1012; the USB disk is "USB" in every
// language.
constexpr int kModeKeys[] = {1011, 1012};
constexpr int kFirstHeadingKey = 1013;
constexpr int kFirstColorKey = 1023;
constexpr int kColorTypes = 4;
constexpr int kSearchingKey = 1022;
constexpr int kButtonKeys[] = {1007, 1008, 1009, 1027};
constexpr int kButtonIds[] = {IDC_LINK_SEARCH, IDC_LINK_MODIFY, IDC_LINK_ADD, IDC_LINK_TEST};
constexpr int kTestFailedKey = 1028;
constexpr int kTestDoneKey = 1029;
constexpr int kUndrivableCardText = 1030;
// Message box styles: the error and the information icon.
constexpr int kErrorStyle = 16;
constexpr int kInformationStyle = 64;
// The read meaning of the card's name.
constexpr std::int32_t kCardNameMask = 0x002;

// Layout below the caption band.
constexpr int kTop = 44;
constexpr int kRowHeight = 24;
constexpr int kLabelLeft = 24;
constexpr int kFieldLeft = 144;
constexpr int kRightLabelLeft = 350;
constexpr int kRightFieldLeft = 450;
constexpr int kModeListHeight = 3 * 30 + 6;
constexpr int kLinkRow = kTop + kModeListHeight + 14;
constexpr int kResultsTop = kLinkRow + 2 * 36 + 10;
constexpr int kButtonHeight = 30;

QString Text(int key) { return ReadLangText(lang_section::IDD_COMMUNICATIONSET_DIALOG, key); }

QString ColorText(std::int32_t colorType) {
  return colorType >= 1 && colorType <= kColorTypes ? Text(kFirstColorKey + colorType - 1)
                                                    : QString();
}

}  // namespace

CCommunicationSetDialog::CCommunicationSetDialog(QWidget* parent)
    : ScreenPage(lang_section::IDD_COMMUNICATIONSET_DIALOG, kCaptionKey, parent) {
  tell = [](const QString& text, int style) { return ShowStyleMessage(text, style); };
  openCardDialog = [this](const LedSettingInfo& card) { RunCardLinkDialog(card, this); };
  CreateControls();
  ConnectControls();
  FillComPortList();
  ApplyLanguage();
  {
    const QSignalBlocker blocker(mode_);
    mode_->setCurrentRow(0);
  }
  ShowMode(0);
}

void CCommunicationSetDialog::CreateControls() {
  mode_ = MakePageControl<QListWidget>(this, IDC_LINK_MODE);
  mode_->setIconSize(QSize(kModeIconSize, kModeIconSize));
  for (DeviceIcon icon : {DeviceIcon::NetworkLink, DeviceIcon::SerialLink, DeviceIcon::UsbLink}) {
    mode_->addItem(new QListWidgetItem(
        QIcon(QPixmap::fromImage(PaintDeviceIcon(icon, kModeIconSize))), QString()));
  }
  fixedIp_ = MakePageControl<QRadioButton>(this, IDC_LINK_FIXED_IP);
  direct_ = MakePageControl<QRadioButton>(this, IDC_LINK_DIRECT);
  ip_ = MakePageControl<Ipv4Edit>(this, IDC_LINK_IP);
  port_ = MakePageControl<QComboBox>(this, IDC_LINK_PORT);
  baud_ = MakePageControl<QComboBox>(this, IDC_LINK_BAUD);
  for (std::int32_t baud : kCardBaudRates) baud_->addItem(QString::number(baud));
  results_ = MakePageControl<QTreeWidget>(this, IDC_LINK_RESULTS);
  results_->setColumnCount(kColumnCount);
  results_->setRootIsDecorated(false);
  results_->setAllColumnsShowFocus(true);
  results_->setSelectionBehavior(QAbstractItemView::SelectRows);
  results_->setIconSize(QSize(16, 16));
  results_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Grid lines between the cells.
  results_->setStyleSheet(QStringLiteral(
      "QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"));
  for (std::size_t index = 0; index < buttons_.size(); ++index)
    buttons_[index] = MakePageControl<QPushButton>(this, kButtonIds[index]);
  directText_ = MakePageControl<QLabel>(this, IDC_LINK_DIRECT_TEXT);
  directText_->setWordWrap(true);
  modeLabel_ = new QLabel(this);
  portLabel_ = new QLabel(this);
  baudLabel_ = new QLabel(this);
  ipLabel_ = new QLabel(this);
}

void CCommunicationSetDialog::resizeEvent(QResizeEvent* event) {
  ScreenPage::resizeEvent(event);
  const int right = width() - kLabelLeft;
  modeLabel_->setGeometry(kLabelLeft, kTop, kFieldLeft - kLabelLeft - 4, kRowHeight);
  mode_->setGeometry(kFieldLeft, kTop, 180, kModeListHeight);
  fixedIp_->setGeometry(kRightLabelLeft, kTop, right - kRightLabelLeft, kRowHeight);
  direct_->setGeometry(kRightLabelLeft, kTop + 32, right - kRightLabelLeft, kRowHeight);
  ipLabel_->setGeometry(kLabelLeft, kLinkRow, kFieldLeft - kLabelLeft - 4, kRowHeight);
  ip_->setGeometry(kFieldLeft, kLinkRow, 180, kRowHeight);
  directText_->setGeometry(kLabelLeft, kLinkRow - 6, right - kLabelLeft, 2 * kRowHeight);
  portLabel_->setGeometry(kLabelLeft, kLinkRow, kFieldLeft - kLabelLeft - 4, kRowHeight);
  port_->setGeometry(kFieldLeft, kLinkRow, 180, kRowHeight);
  baudLabel_->setGeometry(kRightLabelLeft, kLinkRow, kRightFieldLeft - kRightLabelLeft - 4,
                          kRowHeight);
  baud_->setGeometry(kRightFieldLeft, kLinkRow, 120, kRowHeight);
  buttons_[3]->setGeometry(kFieldLeft, kLinkRow + 40, 180, kButtonHeight);
  const int buttonsTop = height() - kButtonHeight - 12;
  results_->setGeometry(kLabelLeft, kResultsTop, right - kLabelLeft,
                        std::max(60, buttonsTop - kResultsTop - 10));
  const int buttonWidth = (right - kLabelLeft - 2 * 12) / 3;
  for (int index = 0; index < 3; ++index) {
    buttons_[static_cast<std::size_t>(index)]->setGeometry(kLabelLeft + index * (buttonWidth + 12),
                                                           buttonsTop, buttonWidth, kButtonHeight);
  }
}

void CCommunicationSetDialog::ConnectControls() {
  connect(mode_, &QListWidget::currentRowChanged, this, [this](int mode) { OnModeChange(mode); });
  connect(fixedIp_, &QRadioButton::clicked, this, [this] { OnNetworkType(0); });
  connect(direct_, &QRadioButton::clicked, this, [this] { OnNetworkType(1); });
  ip_->onEdited = [this] {
    if (ScreenRecord* screen = Screen()) screen->LedIp = ip_->Address();
  };
  connect(port_, &QComboBox::activated, this, [this](int index) {
    // "COM<n>": the number behind the first three characters.
    if (ScreenRecord* screen = Screen()) screen->Commport = port_->itemText(index).mid(3).toInt();
  });
  connect(baud_, &QComboBox::activated, this, [this](int index) {
    if (ScreenRecord* screen = Screen()) screen->Bps = kCardBaudRates[index];
  });
  connect(buttons_[0], &QPushButton::clicked, this, [this] { static_cast<void>(OnSearch()); });
  connect(buttons_[1], &QPushButton::clicked, this, [this] { OnModifyCard(); });
  connect(buttons_[2], &QPushButton::clicked, this, [this] { OnAddChecked(); });
  connect(buttons_[3], &QPushButton::clicked, this, [this] { OnTestConnection(); });
  connect(results_, &QTreeWidget::itemDoubleClicked, this, [this] { OnModifyCard(); });
}

QPushButton& CCommunicationSetDialog::Button(int id) {
  for (std::size_t index = 0; index < buttons_.size(); ++index) {
    if (kButtonIds[index] == id) return *buttons_[index];
  }
  return *buttons_[0];
}

// The link ---------------------------------------------------------------------------

void CCommunicationSetDialog::LoadScreen(ScreenRecord* screen) {
  ScreenPage::LoadScreen(screen);
  if (screen == nullptr) return;
  {
    const QSignalBlocker blocker(mode_);
    mode_->setCurrentRow(
        screen->SendType >= 0 && screen->SendType < mode_->count() ? screen->SendType : -1);
  }
  baud_->setCurrentIndex(CardBaudIndex(screen->Bps));
  ip_->SetAddress(screen->LedIp);
  ShowScreenPort();
  ShowMode(screen->SendType);
}

void CCommunicationSetDialog::OnModeChange(int mode) {
  if (mode < 0) return;
  if (ScreenRecord* screen = Screen()) screen->SendType = mode;
  ShowMode(mode);
}

void CCommunicationSetDialog::OnNetworkType(int type) {
  if (ScreenRecord* screen = Screen()) screen->NetworkType = type;
  ShowMode(kSendByNetwork);
}

void CCommunicationSetDialog::ShowMode(int mode) {
  const bool network = mode == kSendByNetwork;
  const bool serial = mode == kSendBySerialLine;
  const ScreenRecord* screen = Screen();
  const bool direct = screen != nullptr && screen->NetworkType != 0;
  fixedIp_->setVisible(network);
  direct_->setVisible(network);
  ipLabel_->setVisible(network && !direct);
  ip_->setVisible(network && !direct);
  directText_->setVisible(network && direct);
  for (QWidget* control : {static_cast<QWidget*>(portLabel_), static_cast<QWidget*>(port_),
                           static_cast<QWidget*>(baudLabel_), static_cast<QWidget*>(baud_)}) {
    control->setVisible(serial);
  }
  buttons_[3]->setVisible(network || serial);
  fixedIp_->setChecked(!direct);
  direct_->setChecked(direct);
}

void CCommunicationSetDialog::FillComPortList() {
  QStringList ports;
  ListSerialPorts(ports);
  ShowSerialPorts(std::move(ports));
}

void CCommunicationSetDialog::ShowSerialPorts(QStringList ports) {
  ports_ = std::move(ports);
  ShowScreenPort();
}

// A stored port the machine lacks (an adapter unplugged, a project from another
// machine) is listed as an entry of its own and kept: only a screen without a port
// takes the first one.
void CCommunicationSetDialog::ShowScreenPort() {
  port_->clear();
  port_->addItems(ports_);
  ScreenRecord* screen = Screen();
  if (screen == nullptr) {
    port_->setCurrentIndex(ports_.isEmpty() ? -1 : 0);
    return;
  }
  if (screen->Commport > 0) {
    const QString name = QStringLiteral("COM%1").arg(screen->Commport);
    if (!ports_.contains(name)) port_->addItem(name);
    port_->setCurrentIndex(port_->findText(name));
  } else if (!ports_.isEmpty()) {
    port_->setCurrentIndex(0);
    screen->Commport = ports_.front().mid(3).toInt();
  }
}

void CCommunicationSetDialog::OnTestConnection() {
  ScreenRecord* screen = Screen();
  if (screen == nullptr) return;
  const CommInfo info = CardLinkOf(*screen);
  LedSettingInfo card{};
  card.SectionMask = kCardNameMask;
  std::int32_t result = KQ_OK;
  {
    // The call dispatches messages: nothing may select, delete or edit the screen
    // meanwhile.
    const DeviceCallScope scope(this);
    result = KQ_GetLedSettingInfo(&info, &card);
  }
  if (result != KQ_OK) {
    tell(Text(kTestFailedKey), kErrorStyle);
    return;
  }
  CopyBoundedText(screen->LedTypeStr, ReadBoundedText(card.CardName));
  tell(Text(kTestDoneKey), kInformationStyle);
}

// Found cards ------------------------------------------------------------------------

std::int32_t CCommunicationSetDialog::OnSearch() {
  return search_.Run(
      *buttons_[0], *results_, Text(kSearchingKey), [this] { results_->clear(); },
      [this](const LedSettingInfo& card, int row) { ShowCard(card, row); });
}

void CCommunicationSetDialog::ShowCard(const LedSettingInfo& card, int row) {
  const std::array<QString, 2> name = CardNameParts(card);
  auto* item = new QTreeWidgetItem(QStringList{
      QString::number(row + 1), name[0], name[1], QString::number(card.SerialByte1),
      ReadBoundedText(card.IpAddress), QString::number(card.BaudRate), QString::number(card.Width),
      QString::number(card.Height), ColorText(card.ColorType)});
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(kRow, Qt::Unchecked);
  results_->addTopLevelItem(item);
}

void CCommunicationSetDialog::OnAddChecked() {
  bool refused = false;
  for (int row = 0; row < results_->topLevelItemCount(); ++row) {
    if (results_->topLevelItem(row)->checkState(kRow) != Qt::Checked) continue;
    const LedSettingInfo* card = search_.Shown(row);
    if (card == nullptr) continue;
    if (!IsDrivableCard(*card)) {
      refused = true;
      continue;
    }
    SendMessage(PaneWindows[kScreenParamPane], UM_ADD_FOUND_SCREEN, reinterpret_cast<WPARAM>(card),
                0);
  }
  if (refused) tell(Text(kUndrivableCardText), kErrorStyle);
}

void CCommunicationSetDialog::OnModifyCard() {
  QTreeWidgetItem* item = results_->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  if (const LedSettingInfo* card = search_.Shown(results_->indexOfTopLevelItem(item))) {
    openCardDialog(*card);
  }
}

void CCommunicationSetDialog::ApplyLanguage() {
  ScreenPage::ApplyLanguage();
  modeLabel_->setText(Text(1000));
  fixedIp_->setText(Text(1001));
  direct_->setText(Text(1002));
  portLabel_->setText(Text(1003));
  baudLabel_->setText(Text(1004));
  ipLabel_->setText(Text(1005));
  directText_->setText(Text(1006));
  for (std::size_t index = 0; index < buttons_.size(); ++index)
    buttons_[index]->setText(Text(kButtonKeys[index]));
  for (int mode = 0; mode < 2; ++mode) mode_->item(mode)->setText(Text(kModeKeys[mode]));
  mode_->item(2)->setText(QStringLiteral("USB"));
  QStringList headings;
  for (int column = 0; column < kColumnCount; ++column) headings << Text(kFirstHeadingKey + column);
  results_->setHeaderLabels(headings);
}
