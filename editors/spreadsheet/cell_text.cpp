#include "editors/spreadsheet/cell_text.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace {

constexpr double kLargestWholeDouble = 9007199254740992.0;  // 2^53
constexpr int kSignificantDigits = 15;
// The longest decimal ReadNumber reads itself: far from any overflow or underflow.
constexpr qsizetype kLongestPlainDecimal = 40;
const QString kDateForm = QStringLiteral("yyyy-MM-dd");
const QString kTimeForm = QStringLiteral("HH:mm:ss");
const QString kDateTimeForm = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Whether text is a plain decimal: an optional minus, digits, and at most one point
// with digits on both sides.
bool IsPlainDecimal(QStringView text) {
  const qsizetype start = text.startsWith(u'-') ? 1 : 0;
  const qsizetype point = text.indexOf(u'.');
  const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  const auto digits = [&](qsizetype from, qsizetype to) {
    return from < to && std::all_of(text.begin() + from, text.begin() + to, isDigit);
  };
  return point < 0 ? digits(start, text.size())
                   : digits(start, point) && digits(point + 1, text.size());
}

// value with up to 15 significant digits in %g's layout, from its shortest round-trip
// digits; nullopt when those are more than 15, as then only an exact rounding to 15
// digits tells them. Where they are 15 or fewer, they are that rounding: a normal
// double differs from them by at most 2^-53 of itself, far less than half a unit of
// the 15th digit. (A subnormal one may not: 5e-324 reads back from "5e-324" but is
// 4.94065645841247e-324.)
std::optional<QString> ShortNumberText(double value) {
  if (!std::isnormal(value)) return std::nullopt;
  char text[32];
  const char* const start = text;
  const char* end = std::to_chars(text, std::end(text), value, std::chars_format::scientific).ptr;
  const char* const exponentMark = std::find(start, end, 'e');
  int exponent = 0;
  std::from_chars(exponentMark + (exponentMark[1] == '+' ? 2 : 1), end, exponent);
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (std::count_if(start, exponentMark, isDigit) > kSignificantDigits) return std::nullopt;
  // %g writes the exponent form below 10^-4 and from 10^precision up.
  if (exponent >= -4 && exponent < kSignificantDigits) {
    end = std::to_chars(text, std::end(text), value, std::chars_format::fixed).ptr;
  }
  return QString::fromLatin1(text, end - text);
}

}  // namespace

std::optional<double> ReadNumber(QStringView text) {
  if (text.size() <= kLongestPlainDecimal && IsPlainDecimal(text)) {
    char latin1[kLongestPlainDecimal];
    std::transform(text.begin(), text.end(), latin1, [](QChar c) { return c.toLatin1(); });
    double value = 0;
    std::from_chars(latin1, latin1 + text.size(), value);
    return value;
  }
  bool ok = false;
  const double value = text.toDouble(&ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}

QString NumberText(double value) {
  if (std::trunc(value) == value && std::fabs(value) <= kLargestWholeDouble) {
    return QString::number(static_cast<qint64>(value));
  }
  if (std::optional<QString> text = ShortNumberText(value)) return *std::move(text);
  return QString::number(value, 'g', kSignificantDigits);
}

QString BooleanText(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

QString IsoDateText(const QString& iso) {
  if (iso.contains(u'T')) {
    const QDateTime moment = QDateTime::fromString(iso, Qt::ISODateWithMs);
    return moment.isValid() ? moment.toString(kDateTimeForm) : iso;
  }
  if (const QDate day = QDate::fromString(iso, Qt::ISODate); day.isValid()) {
    return day.toString(kDateForm);
  }
  const QTime clock = QTime::fromString(iso, Qt::ISODateWithMs);
  return clock.isValid() ? clock.toString(kTimeForm) : iso;
}
