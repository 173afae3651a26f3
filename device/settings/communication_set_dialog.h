#pragma once
// CCommunicationSetDialog: the communication page of the screen-parameter pane. It
// edits how the selected screen reaches its card (network with a fixed address or a
// direct cable, serial line, USB disk), tests that link, searches the local network
// for cards, adds checked found cards as screens and opens the card communication
// dialog for a found card.
//
// Handlers hang on the user's actions only; loading a screen changes nothing in it
// except a screen without a port, which takes the first port of the machine.

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTreeWidget>

#include <array>
#include <functional>

#include "device/common/card_search.h"
#include "device/common/ipv4_edit.h"
#include "device/settings/screen_pages.h"

class CCommunicationSetDialog : public ScreenPage {
 public:
  // The columns of the result list.
  enum Column { kRow, kModel, kVersion, kCardNumber, kIp, kBaud, kWidth, kHeight, kColor };

  explicit CCommunicationSetDialog(QWidget* parent);

  // Shows the screen's link and the controls of its mode.
  void LoadScreen(ScreenRecord* screen) override;
  void ApplyLanguage() override;

  // Lists the machine's serial ports again (ListSerialPorts).
  void FillComPortList();
  // Lists these ports ("COM<n>") and shows the screen's port among them.
  void ShowSerialPorts(QStringList ports);

  // Searches the network for cards and lists them; answers the SDK's code (a search
  // that finds nothing is no failure and shows no message).
  std::int32_t OnSearch();
  // Each checked card, in list order, becomes a screen (UM_ADD_FOUND_SCREEN).
  void OnAddChecked();
  // The card communication dialog for the selected found card; none without one.
  void OnModifyCard();
  // Reads the name of the screen's card into LedTypeStr and tells the user.
  void OnTestConnection();

  QListWidget& ModeList() { return *mode_; }
  QRadioButton& FixedIpRadio() { return *fixedIp_; }
  QRadioButton& DirectRadio() { return *direct_; }
  Ipv4Edit& IpEdit() { return *ip_; }
  QComboBox& PortList() { return *port_; }
  QComboBox& BaudList() { return *baud_; }
  QTreeWidget& Results() { return *results_; }
  QPushButton& Button(int id);
  QLabel& DirectText() { return *directText_; }
  const CardSearch& Search() const { return search_; }

  // Shows a message box: text and style in, the button pressed out.
  std::function<int(const QString&, int)> tell;
  // Opens the card communication dialog for a found card.
  std::function<void(const LedSettingInfo&)> openCardDialog;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void ConnectControls();
  void OnModeChange(int mode);
  void OnNetworkType(int type);
  // Shows the controls of a mode and the radios of the screen's NetworkType.
  void ShowMode(int mode);
  void ShowScreenPort();
  void ShowCard(const LedSettingInfo& card, int row);

  QListWidget* mode_ = nullptr;
  QRadioButton* fixedIp_ = nullptr;
  QRadioButton* direct_ = nullptr;
  Ipv4Edit* ip_ = nullptr;
  QComboBox* port_ = nullptr;
  QComboBox* baud_ = nullptr;
  QTreeWidget* results_ = nullptr;
  std::array<QPushButton*, 4> buttons_{};  // search, modify, add, test
  QLabel* directText_ = nullptr;
  // Mode, port, baud and IP, keys 1000, 1003, 1004 and 1005.
  QLabel* modeLabel_ = nullptr;
  QLabel* portLabel_ = nullptr;
  QLabel* baudLabel_ = nullptr;
  QLabel* ipLabel_ = nullptr;
  QStringList ports_;
  CardSearch search_;
};
