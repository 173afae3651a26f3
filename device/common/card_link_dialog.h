#pragma once
// CLedCommunicationParamSetDialog: the card communication dialog, opened modally for
// one card a search found. It writes a new IP address, subnet mask, gateway, hardware
// address, card number and baud rate into the card by UDP broadcast, so that a card
// outside the computer's subnet can be changed too. A refused or failed write leaves
// the dialog open for another try.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <array>
#include <cstdint>

#include "device/common/ipv4_edit.h"
#include "sdk/Corvanix.h"

// What the dialog starts from: the card's present addresses (host order, first field
// most significant), its hardware address text, the list indexes of its card
// number (number - 1) and baud rate (0 9600, 1 57600, 2 115200), and the serial
// section as the card holds it (baud rate, card number and the byte after it), which
// is written back unchanged where the user changes only part of it.
struct CardLinkValues {
  std::uint32_t ip = 0;
  std::uint32_t mask = 0;
  std::uint32_t gateway = 0;
  QString mac;
  int cardIndex = 0;
  int baudIndex = 0;
  std::int32_t baud = 0;
  std::int32_t cardNumber = 0;
  std::int32_t serialByte2 = 0;
};

// The values of a found card; an address text that is no address gives 0, a baud
// rate other than the three gives index 0.
CardLinkValues CardLinkValuesOf(const LedSettingInfo& card);

class CLedCommunicationParamSetDialog : public QDialog {
 public:
  explicit CLedCommunicationParamSetDialog(QWidget* parent = nullptr);

  // Shows the values and puts the present addresses and hardware address into the
  // request as its present texts.
  void SetUp(const CardLinkValues& values);
  // Writes the controls' values into the card: the addresses always, the serial
  // section (baud rate and card number) when either differs from what SetUp showed.
  // Status codes 9, then 10 and the dialog accepted, or 11 with the SDK's code and
  // the dialog left open.
  void OnSet();
  void ApplyLanguage();

  Ipv4Edit& Address(int index) { return *addresses_[static_cast<std::size_t>(index)]; }
  QLineEdit& MacEdit() { return *mac_; }
  QComboBox& CardNumberList() { return *cardNumber_; }
  QComboBox& BaudList() { return *baud_; }
  QPushButton& SetButton() { return *set_; }
  const LedSettingInfo& Request() const { return request_; }

 private:
  std::array<Ipv4Edit*, 3> addresses_{};  // IP, mask, gateway
  QLineEdit* mac_ = nullptr;
  QComboBox* cardNumber_ = nullptr;
  QComboBox* baud_ = nullptr;
  QPushButton* set_ = nullptr;
  std::array<QLabel*, 4> labels_{};  // keys 1000-1003
  LedSettingInfo request_{};
  CardLinkValues shown_;
};

// Opens the dialog modally over parent for a found card.
void RunCardLinkDialog(const LedSettingInfo& card, QWidget* parent);
