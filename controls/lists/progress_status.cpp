#include "controls/lists/progress_status.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<int> StatusToPercent(const QString& status, const StatusWords& words) {
  if (status.isEmpty() || status == words.cancel) return std::nullopt;
  if (status == words.failure) return 0;
  if (status == words.success) return 100;
  qsizetype at = 0;
  while (at < status.size() && IsBlank(status[at])) ++at;
  const bool negative = at < status.size() && status[at] == u'-';
  if (at < status.size() && (status[at] == u'-' || status[at] == u'+')) ++at;
  if (at >= status.size() || !IsDigit(status[at])) return 0;
  int value = 0;  // saturates at 101: every larger number reads the same
  for (; at < status.size() && IsDigit(status[at]); ++at) {
    value = std::min(101, value * 10 + (status[at].unicode() - u'0'));
  }
  if (negative && value > 0) return std::nullopt;
  return std::min(value, 100);
}
