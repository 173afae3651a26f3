#pragma once
// CLocalIPSetDialog: the modal dialog of the search pane that lists this computer's
// IPv4 addresses and gives the chosen interface a new address, mask and gateway, so
// that the computer reaches a card in another subnet. The change is asked for first
// and its true result shown.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <array>
#include <functional>
#include <vector>

#include "device/common/ipv4_edit.h"
#include "device/search/local_addresses.h"

class CLocalIPSetDialog : public QDialog {
 public:
  static constexpr int kChangeTimeoutMs = 30000;
  // The styled message box: the text and its style; returns the button pressed.
  using Ask = std::function<int(const QString& text, int style)>;

  // program: what changes the address (nmcli's argument vector), nmcli of the search
  // path unless given; empty when there is none.
  explicit CLocalIPSetDialog(QWidget* parent, Ask ask = {}, QString program = DefaultProgram(),
                             int timeoutMs = kChangeTimeoutMs);
  static QString DefaultProgram();

  const std::vector<LocalAddress>& Entries() const { return entries_; }
  // Shows the entry's values in the edits; nothing for a row outside the list.
  void ChooseEntry(int row);
  // Asks, runs the change and reports it; closes the dialog on success.
  void OnOK();
  void ApplyLanguage();

  QListWidget& EntryList() { return list_; }
  Ipv4Edit& Edit(int index) { return *edits_[static_cast<std::size_t>(index)]; }
  QString HardwareShown() const { return hardware_.text(); }

 private:
  void CreateControls();
  void ShowFailure(const QString& reason);

  Ask ask_;
  QString program_;
  int timeoutMs_;
  std::vector<LocalAddress> entries_;
  int chosen_ = -1;
  QListWidget list_;
  std::array<Ipv4Edit*, 3> edits_{};  // address, mask, gateway
  QLineEdit hardware_;
  std::array<QLabel*, 5> labels_{};
  QPushButton ok_;
  QPushButton cancel_;
};
