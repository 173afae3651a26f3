#include "model/common/bounded_text.h"

#include <algorithm>

bool CopyBoundedText(char16_t* field, std::size_t capacity, QStringView text) {
  if (capacity == 0) return text.isEmpty();
  std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
  // Never keep the first half of a pair whose second half does not fit.
  if (count > 0 && count < static_cast<std::size_t>(text.size()) &&
      text[count - 1].isHighSurrogate() && text[count].isLowSurrogate()) {
    --count;
  }
  std::copy_n(text.utf16(), count, field);
  std::fill(field + count, field + capacity, u'\0');
  return count == static_cast<std::size_t>(text.size());
}

QString ReadBoundedText(const char16_t* field, std::size_t capacity) {
  const char16_t* end = std::find(field, field + capacity, u'\0');
  return QString::fromUtf16(field, end - field);
}
