#include "device/common/card_search.h"

#include <QStringList>
#include <QTimer>

#include <iterator>

#include "controls/dialogs/busy_screen.h"
#include "model/common/bounded_text.h"

namespace {

constexpr int kShowIntervalMs = 100;
constexpr int kBusySide = 100;

QRect BusySquareOver(const QWidget& widget) {
  const QPoint centre = widget.mapToGlobal(widget.rect().center());
  return QRect(centre - QPoint(kBusySide / 2, kBusySide / 2), QSize(kBusySide, kBusySide));
}

}  // namespace

std::int32_t CardSearch::Run(QAbstractButton& button, QWidget& resultList, const QString& busyText,
                             const std::function<void()>& clearRows, const ShowCard& showCard) {
  button.setEnabled(false);
  std::int32_t result = KQ_OK;
  {
    const BusyScreen busy(busyText, BusySquareOver(resultList));
    found_.clear();
    shown_ = 0;
    clearRows();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [this, &showCard] { ShowNew(showCard); });
    timer.start(kShowIntervalMs);
    result = KQ_SearchLedToList(&found_);
    timer.stop();
    ShowNew(showCard);
  }
  button.setEnabled(true);
  return result;
}

const LedSettingInfo* CardSearch::Shown(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= shown_) return nullptr;
  return &*std::next(found_.begin(), row);
}

void CardSearch::ShowNew(const ShowCard& showCard) {
  auto card = std::next(found_.begin(), static_cast<std::ptrdiff_t>(shown_));
  for (; card != found_.end(); ++card) showCard(*card, static_cast<int>(shown_++));
}

std::array<QString, 2> CardNameParts(const LedSettingInfo& card) {
  const QStringList parts = ReadBoundedText(card.CardName).split(u'-');
  return {parts.front().trimmed(), parts.size() > 1 ? parts[1].trimmed() : QString()};
}
