#pragma once
// CSearchDialog: task pane 4. It searches the local networks for cards, lists every
// card found with its parameters, opens the card communication dialog for a chosen
// card and the local address dialog. It does not change the project.

#include <QPushButton>
#include <QTreeWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>

#include "controls/shell/task_pane.h"
#include "sdk/Corvanix.h"

// The twelve column texts of a found card: row number (from 1), the name's parts at
// the first "-" (trimmed; the second empty without one), card number, "width*height",
// colour (types 1-4, else empty), IP, mask, gateway, MAC, baud and scan type.
QStringList SearchRowTexts(int rowNumber, const LedSettingInfo& card);

// What the card communication dialog is set up with for a found card: its addresses
// as host-order values (0 for a text that is no address), its MAC text, the card
// number's index (number - 1) and the baud index (0 9600, 1 57600, 2 115200; 0 for
// any other rate).
struct CardDialogSetup {
  std::uint32_t ip = 0;
  std::uint32_t mask = 0;
  std::uint32_t gateway = 0;
  QString mac;
  int cardIndex = 0;
  int baudIndex = 0;
};
CardDialogSetup CardDialogSetupOf(const LedSettingInfo& card);

class CSearchDialog : public TaskPane {
 public:
  static constexpr UINT kShowTimer = 1;
  static constexpr int kShowTimerMs = 100;
  static constexpr int kColumnCount = 12;

  // The search (KQ_SearchLedToList unless given) and the dialogs 1332 and 1005 open.
  using Search = std::function<std::int32_t(std::list<LedSettingInfo>*)>;
  using OpenCardDialog = std::function<void(const CardDialogSetup& setup)>;
  using OpenLocalDialog = std::function<void()>;

  explicit CSearchDialog(QWidget* parent, Search search = {}, OpenCardDialog openCard = {},
                         OpenLocalDialog openLocal = {});

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  void OnSearch();
  // The card dialog for the selected row; nothing without one.
  void OnModify();
  void ApplyLanguage();

  QTreeWidget& Results() { return results_; }
  QPushButton* Button(int id);
  const std::list<LedSettingInfo>& Found() const { return found_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowFoundRecords();

  Search search_;
  OpenCardDialog openCard_;
  OpenLocalDialog openLocal_;
  std::list<LedSettingInfo> found_;
  std::size_t shown_ = 0;
  QTreeWidget results_;
  QPushButton searchButton_;
  QPushButton modify_;
  QPushButton local_;
  QString caption_;
};
