#pragma once
// CSearchDialog: task pane 4. It searches the local networks for cards, lists every
// card found with its parameters, opens the card communication dialog for a chosen
// card and the local address dialog. It does not change the project.

#include <QPushButton>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <list>

#include "controls/shell/task_pane.h"
#include "device/common/card_search.h"
#include "sdk/Corvanix.h"

// The twelve column texts of a found card: row number (from 1), the name's two parts
// (CardNameParts), card number, "width*height",
// colour (types 1-4, else empty), IP, mask, gateway, MAC, baud and scan type.
QStringList SearchRowTexts(int rowNumber, const LedSettingInfo& card);

class CSearchDialog : public TaskPane {
 public:
  static constexpr int kColumnCount = 12;

  // What 1332 and 1005 open: the card communication dialog for a found card and the
  // local address dialog, unless given.
  using OpenCardDialog = std::function<void(const LedSettingInfo& card)>;
  using OpenLocalDialog = std::function<void()>;

  explicit CSearchDialog(QWidget* parent, OpenCardDialog openCard = {},
                         OpenLocalDialog openLocal = {});

  // Searches the local networks (KQ_SearchLedToList) and answers its code.
  std::int32_t OnSearch();
  // The card dialog for the selected row; nothing without one.
  void OnModify();
  void ApplyLanguage();

  QTreeWidget& Results() { return results_; }
  QPushButton* Button(int id);
  const std::list<LedSettingInfo>& Found() const { return search_.Found(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  OpenCardDialog openCard_;
  OpenLocalDialog openLocal_;
  CardSearch search_;
  QTreeWidget results_;
  QPushButton searchButton_;
  QPushButton modify_;
  QPushButton local_;
  QString caption_;
};
