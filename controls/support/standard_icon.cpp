#include "controls/support/standard_icon.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <map>
#include <tuple>

namespace {

using IconKey = std::tuple<const QStyle*, QStyle::StandardPixmap, QString, Qt::LayoutDirection>;

std::map<IconKey, QIcon>& IconCache() {
  static std::map<IconKey, QIcon> cache;
  return cache;
}

// A style seen for the first time drops its icons when it goes, so that another
// style made at its address starts afresh.
void ForgetWhenDestroyed(const QStyle* style) {
  const auto& cache = IconCache();
  const bool seen = std::any_of(cache.begin(), cache.end(), [style](const auto& entry) {
    return std::get<0>(entry.first) == style;
  });
  if (seen) return;
  QObject::connect(style, &QObject::destroyed, [style] {
    std::erase_if(IconCache(),
                  [style](const auto& entry) { return std::get<0>(entry.first) == style; });
  });
}

}  // namespace

QIcon StandardIcon(const QWidget& widget, QStyle::StandardPixmap which) {
  const QStyle* style = widget.style();
  const IconKey key{style, which, QIcon::themeName(), QGuiApplication::layoutDirection()};
  auto& cache = IconCache();
  const auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  ForgetWhenDestroyed(style);
  return cache.emplace(key, style->standardIcon(which)).first->second;
}
