#include "editors/flash_words/flash_word_style.h"

#include <QComboBox>

#include <algorithm>
#include <iterator>

#include "model/common/bounded_text.h"
#include "model/project/area_items.h"
#include "model/settings/settings_file.h"

namespace {

constexpr int kFallbackSize = 9;

}  // namespace

void FillFlashSizeList(QComboBox& combo) {
  for (const int points : kFlashWordSizes) combo.addItem(QString::number(points));
}

int ParseFlashSize(const QString& text) {
  const int size = ParseIniInt(text);
  return size == 0 ? kFallbackSize : size;
}

bool StoreFlashFace(FlashWordItem& item, const QString& face) {
  // A face longer than the field holds is kept cut, as the field stores it.
  char16_t wanted[kFontNameCapacity];
  static_cast<void>(CopyBoundedText(wanted, face.isEmpty() ? kDefaultFlashFace : face));
  if (std::equal(std::begin(wanted), std::end(wanted), std::begin(item.FontProp_FontName))) {
    return false;
  }
  std::copy(std::begin(wanted), std::end(wanted), std::begin(item.FontProp_FontName));
  item.IsChanged = 1;
  return true;
}
