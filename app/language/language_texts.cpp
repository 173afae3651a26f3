#include "app/language/language_texts.h"

#include <QPointer>

#include <array>

namespace {

struct Entry {
  QPointer<QObject> window;
  std::function<void()> applyLanguage;
};

std::array<Entry, kTextSlotCount>& Table() {
  static std::array<Entry, kTextSlotCount> table;
  return table;
}

}  // namespace

void RegisterTexts(TextSlot slot, QObject* window, std::function<void()> applyLanguage) {
  Table()[static_cast<std::size_t>(slot)] = {window, std::move(applyLanguage)};
}

void ReloadAllTexts() {
  for (const Entry& entry : Table()) {
    if (entry.window && entry.applyLanguage) entry.applyLanguage();
  }
}
