#include "device/common/card_link_dialog.h"

#include <QGridLayout>

#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/card_link_dialog_ids.h"
#include "device/common/card_settings.h"
#include "device/common/device_call_scope.h"
#include "device/common/page_control.h"
#include "model/common/bounded_text.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "platform/message_window.h"

namespace {

constexpr int kCardNumbers = 255;
// The communication meanings of mask bits 0x01, the addresses, and 0x08, the baud
// rate with the card number.
constexpr std::int32_t kAddressSection = 0x01;
constexpr std::int32_t kSerialSection = 0x08;
constexpr int kCaptionKey = 1007;
constexpr int kSetKey = 1006;

// Status codes of the write.
constexpr int kLinkSetStarted = 9;
constexpr int kLinkSetDone = 10;
constexpr int kLinkSetFailed = 11;

QString Text(int key) {
  return ReadLangText(lang_section::IDD_LEDCOMMUNICATIONPARAMSET_DIALOG, key);
}

void ReportStatus(int code, std::int32_t result = 0) {
  SendMessage(MainWindowHandle, UM_STATUS_CODE, static_cast<WPARAM>(code), result);
}

}  // namespace

CardLinkValues CardLinkValuesOf(const LedSettingInfo& card) {
  CardLinkValues values;
  values.ip = Ipv4OfText(card.IpAddress, std::size(card.IpAddress));
  values.mask = Ipv4OfText(card.SubnetMask, std::size(card.SubnetMask));
  values.gateway = Ipv4OfText(card.Gateway, std::size(card.Gateway));
  values.mac = ReadBoundedText(card.MacAddress);
  values.cardIndex = card.SerialByte1 - 1;
  values.baudIndex = CardBaudIndex(card.BaudRate);
  values.baud = card.BaudRate;
  values.cardNumber = card.SerialByte1;
  values.serialByte2 = card.SerialByte2;
  return values;
}

CLedCommunicationParamSetDialog::CLedCommunicationParamSetDialog(QWidget* parent)
    : QDialog(parent) {
  auto* grid = new QGridLayout(this);
  const int ids[] = {IDC_CARD_LINK_IP, IDC_CARD_LINK_MASK, IDC_CARD_LINK_GATEWAY};
  for (std::size_t row = 0; row < addresses_.size(); ++row) {
    addresses_[row] = MakePageControl<Ipv4Edit>(this, ids[row]);
    addresses_[row]->setMinimumWidth(200);
  }
  mac_ = MakePageControl<QLineEdit>(this, IDC_CARD_LINK_MAC);
  mac_->setMaxLength(17);
  cardNumber_ = MakePageControl<QComboBox>(this, IDC_CARD_LINK_NUMBER);
  for (int number = 1; number <= kCardNumbers; ++number)
    cardNumber_->addItem(QString::number(number));
  baud_ = MakePageControl<QComboBox>(this, IDC_CARD_LINK_BAUD);
  for (std::int32_t baud : kCardBaudRates) baud_->addItem(QString::number(baud));
  set_ = MakePageControl<QPushButton>(this, IDC_CARD_LINK_SET);
  for (std::size_t key = 0; key < labels_.size(); ++key) {
    labels_[key] = new QLabel(this);
    grid->addWidget(labels_[key], static_cast<int>(key), 0);
  }
  for (std::size_t row = 0; row < addresses_.size(); ++row)
    grid->addWidget(addresses_[row], static_cast<int>(row), 1, 1, 2);
  grid->addWidget(mac_, 3, 1, 1, 2);
  grid->addWidget(cardNumber_, 4, 1);
  grid->addWidget(baud_, 4, 2);
  grid->addWidget(set_, 5, 2);
  connect(set_, &QPushButton::clicked, this, [this] { OnSet(); });
  ApplyLanguage();
}

void CLedCommunicationParamSetDialog::SetUp(const CardLinkValues& values) {
  const std::uint32_t present[] = {values.ip, values.mask, values.gateway};
  for (std::size_t index = 0; index < addresses_.size(); ++index)
    addresses_[index]->SetAddress(present[index]);
  mac_->setText(values.mac);
  shown_ = values;
  shown_.cardIndex =
      values.cardIndex >= 0 && values.cardIndex < kCardNumbers ? values.cardIndex : 0;
  shown_.baudIndex = values.baudIndex >= 0 && values.baudIndex < 3 ? values.baudIndex : 0;
  cardNumber_->setCurrentIndex(shown_.cardIndex);
  baud_->setCurrentIndex(shown_.baudIndex);
  request_ = LedSettingInfo{};
  CopyBoundedText(request_.IpAddress, Ipv4Text(values.ip));
  CopyBoundedText(request_.SubnetMask, Ipv4Text(values.mask));
  CopyBoundedText(request_.Gateway, Ipv4Text(values.gateway));
  CopyBoundedText(request_.MacAddress, values.mac);
}

void CLedCommunicationParamSetDialog::OnSet() {
  CopyBoundedText(request_.NewIpAddress, Ipv4Text(addresses_[0]->Address()));
  CopyBoundedText(request_.NewSubnetMask, Ipv4Text(addresses_[1]->Address()));
  CopyBoundedText(request_.NewGateway, Ipv4Text(addresses_[2]->Address()));
  CopyBoundedText(request_.NewMacAddress, mac_->text());
  // The serial section goes only when the user changed part of it; the part left
  // alone keeps the card's own value, also one the lists cannot show.
  const bool cardChanged = cardNumber_->currentIndex() != shown_.cardIndex;
  const bool baudChanged = baud_->currentIndex() != shown_.baudIndex;
  request_.SectionMask = kAddressSection | (cardChanged || baudChanged ? kSerialSection : 0);
  request_.SerialByte1 = cardChanged ? cardNumber_->currentIndex() + 1 : shown_.cardNumber;
  request_.BaudRate =
      baudChanged ? kCardBaudRates[std::max(0, baud_->currentIndex())] : shown_.baud;
  request_.SerialByte2 = shown_.serialByte2;
  CommInfo info{};
  info.SendType = KQ_SEND_UDP;
  ReportStatus(kLinkSetStarted);
  std::int32_t result = KQ_OK;
  {
    const DeviceCallScope scope(this);
    result = KQ_SetLedCommunicationInfo(&info, &request_);
  }
  if (result != KQ_OK) {
    ReportStatus(kLinkSetFailed, result);
    return;
  }
  ReportStatus(kLinkSetDone);
  accept();
}

void CLedCommunicationParamSetDialog::ApplyLanguage() {
  for (std::size_t key = 0; key < labels_.size(); ++key)
    labels_[key]->setText(Text(1000 + static_cast<int>(key)));
  set_->setText(Text(kSetKey));
  setWindowTitle(Text(kCaptionKey));
}

void RunCardLinkDialog(const LedSettingInfo& card, QWidget* parent) {
  CLedCommunicationParamSetDialog dialog(parent);
  dialog.SetUp(CardLinkValuesOf(card));
  dialog.exec();
}
