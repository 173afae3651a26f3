#include "render/clock/digital_clock_text.h"

#include <QStringList>

#include <array>

namespace {

QString TwoDigits(int value) { return QString::number(value).rightJustified(2, u'0'); }

// How a date format lays out its shown parts: their order, the separator between
// them (none: each part carries its unit word) and whether the year has two digits.
struct DateLayout {
  const char* order;
  const char16_t* separator;
  bool twoDigitYear;
};

constexpr std::array<DateLayout, 8> kDateLayouts = {{
    {"YMD", nullptr, false},
    {"YMD", nullptr, true},
    {"MDY", u"/", false},
    {"YMD", u"/", false},
    {"YMD", u"-", true},
    {"YMD", u".", true},
    {"MDY", u".", false},
    {"DMY", u".", false},
}};

constexpr std::array<const char16_t*, 7> kChineseWeekdays = {
    u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六", u"星期天"};
constexpr std::array<const char16_t*, 7> kEnglishWeekdays = {
    u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"};
constexpr std::array<const char16_t*, 7> kShortWeekdays = {
    u"Mon.", u"Tues.", u"Wed.", u"Thur.", u"Fri.", u"Sat.", u"Sun."};

// The hour on the 12-hour clock: 12 for 0 and 12.
int TwelveHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// The shown time parts in order; hours on the 12-hour clock when twelve.
QStringList TimeNumbers(const ClockFields& fields, TimeParts shown, bool twelve) {
  QStringList numbers;
  if (shown.hour) numbers << TwoDigits(twelve ? TwelveHour(fields.hour) : fields.hour);
  if (shown.minute) numbers << TwoDigits(fields.minute);
  if (shown.second) numbers << TwoDigits(fields.second);
  return numbers;
}

QString WithUnits(const ClockFields& fields, TimeParts shown, const char16_t* hourUnit) {
  QString text;
  if (shown.hour) text += TwoDigits(fields.hour) + QString::fromUtf16(hourUnit);
  if (shown.minute) text += TwoDigits(fields.minute) + QString::fromUtf16(u"分");
  if (shown.second) text += TwoDigits(fields.second) + QString::fromUtf16(u"秒");
  return text;
}

// The 12-hour numbers joined by ":" with the morning or afternoon word before or
// after them, or the word alone when no number is shown.
QString WithDayHalf(const ClockFields& fields, TimeParts shown, const char16_t* morning,
                    const char16_t* afternoon, bool before) {
  const QString word = QString::fromUtf16(fields.hour > 11 ? afternoon : morning);
  const QString numbers = TimeNumbers(fields, shown, true).join(u':');
  if (numbers.isEmpty()) return word;
  return before ? word + u' ' + numbers : numbers + u' ' + word;
}

}  // namespace

ClockFields ClockFieldsOf(const std::tm& time) {
  return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min,
          time.tm_sec, (time.tm_wday + 6) % 7};
}

std::optional<QString> DateText(const ClockFields& fields, DateParts shown, int format) {
  if (!shown.year && !shown.month && !shown.day) return QString();
  if (format < 0 || format >= int(kDateLayouts.size())) return std::nullopt;
  const DateLayout& layout = kDateLayouts[static_cast<std::size_t>(format)];
  const QString year = QString::number(fields.year).rightJustified(4, u'0');
  QStringList parts;
  for (const char* part = layout.order; *part != '\0'; ++part) {
    QString text;
    if (*part == 'Y' && shown.year) {
      text = layout.twoDigitYear ? year.right(2) : year;
      if (layout.separator == nullptr) text += QString::fromUtf16(u"年");
    } else if (*part == 'M' && shown.month) {
      text = TwoDigits(fields.month);
      if (layout.separator == nullptr) text += QString::fromUtf16(u"月");
    } else if (*part == 'D' && shown.day) {
      text = TwoDigits(fields.day);
      if (layout.separator == nullptr) text += QString::fromUtf16(u"日");
    }
    if (!text.isEmpty()) parts << text;
  }
  return parts.join(layout.separator == nullptr ? QString() : QString::fromUtf16(layout.separator));
}

std::optional<QString> WeekdayText(const ClockFields& fields, bool shown, int style) {
  if (!shown) return QString();
  const std::size_t day = static_cast<std::size_t>(fields.weekday % 7);
  switch (style) {
    case 0:
      return QString::fromUtf16(kChineseWeekdays[day]);
    case 1:
      return QString::fromUtf16(kEnglishWeekdays[day]);
    case 2:
      return QString::fromUtf16(kShortWeekdays[day]);
    default:
      return std::nullopt;
  }
}

std::optional<QString> TimeText(const ClockFields& fields, TimeParts shown, int format) {
  switch (format) {
    case 0:
      return WithUnits(fields, shown, u"时");
    case 1:
      return WithUnits(fields, shown, u"時");
    case 2:
      return TimeNumbers(fields, shown, false).join(u':');
    case 3:
      return WithDayHalf(fields, shown, u"上午", u"下午", true);
    case 4:
      return WithDayHalf(fields, shown, u"AM", u"PM", true);
    case 5:
      return WithDayHalf(fields, shown, u"上午", u"下午", false);
    case 6:
      return WithDayHalf(fields, shown, u"AM", u"PM", false);
    default:
      return std::nullopt;
  }
}
