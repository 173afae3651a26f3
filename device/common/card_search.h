#pragma once
// The card search of the communication page and the search pane, and the texts their
// result lists show of a found card.
//
// A search runs on the GUI thread: the SDK appends each card to the list as its reply
// arrives while it dispatches the thread's messages, so a 100 ms timer shows the rows
// found so far, in arrival order and duplicates included. Meanwhile the search button
// is disabled and the main window too, under the busy window.

#include <QAbstractButton>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <list>

#include "sdk/Corvanix.h"

class CardSearch {
 public:
  // Shows one found card in row `row` (0-based, rows in list order).
  using ShowCard = std::function<void(const LedSettingInfo& card, int row)>;

  // Empties the records and then the rows (clearRows), searches, showing each new
  // record with showCard, and answers the SDK's code. The busy window with busyText
  // lies over a 100 x 100 square centred on resultList.
  std::int32_t Run(QAbstractButton& button, QWidget& resultList, const QString& busyText,
                   const std::function<void()>& clearRows, const ShowCard& showCard);

  const std::list<LedSettingInfo>& Found() const { return found_; }
  // The record of a shown row; null for another row.
  const LedSettingInfo* Shown(int row) const;

 private:
  void ShowNew(const ShowCard& showCard);

  std::list<LedSettingInfo> found_;
  std::size_t shown_ = 0;
};

// The two parts of the card's name, the texts before its first "-" and between
// that and the next, trimmed; the second is empty for a name without "-".
std::array<QString, 2> CardNameParts(const LedSettingInfo& card);
