#pragma once
// How a progress list reads a row's status text: a percentage such as "45%" or one of
// its result words.

#include <QString>

#include <optional>

// The words for a finished row: success shows a full bar, failure an empty one,
// cancel none. The defaults are the words the list has always known; a user that
// writes other texts (language texts) sets its own.
struct StatusWords {
  QString success = QStringLiteral("成功");
  QString failure = QStringLiteral("失败");
  QString cancel = QStringLiteral("取消");
};

// The bar's value, 0 to 100, or nullopt when the row shows no bar: an empty text, the
// cancel word and negative numbers hide it. Any other text is read as "%d%%" would
// be: leading blanks, a sign, digits, the rest ignored; no number gives 0, and a value
// above 100 (however long the digits) gives 100.
std::optional<int> StatusToPercent(const QString& status, const StatusWords& words);
