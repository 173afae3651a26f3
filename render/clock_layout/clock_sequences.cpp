#include "render/clock_layout/clock_sequences.h"

#include <array>
#include <vector>

#include "render/raster/gdi_text.h"

namespace {

// One field of a group: shown or not, its element kind, the digits it takes in the
// group and, in the formats with unit words, its word.
struct Field {
  bool shown;
  int kind;
  int digits;
  const char16_t* unit;
};

int CheckedFormat(int format, int count) { return format >= 0 && format < count ? format : 0; }

[[nodiscard]] bool AppendWord(const QFont& font, const FontMeasures& measures, const QString& text,
                              int width, ElementGroup& group) {
  ClockElement word;
  if (!WordElement(font, measures, text, width, word)) return false;
  word.x = group.width;
  group.width += width;
  group.elements.push_back(std::move(word));
  return true;
}

// The shown fields in order, each followed by its unit word when it has one, with
// the separator (when given) between them.
[[nodiscard]] bool BuildGroup(const QFont& font, const FontMeasures& measures,
                              const std::vector<Field>& fields, const char16_t* separator,
                              int colorBits, ElementGroup& group) {
  group = {};
  const QString separatorText = separator ? QString::fromUtf16(separator) : QString();
  const int separatorWidth = separator ? TextExtent(font, separatorText).width() : 0;
  for (const Field& field : fields) {
    if (!field.shown) continue;
    if (separator && !group.IsEmpty() &&
        !AppendWord(font, measures, separatorText, separatorWidth, group)) {
      return false;
    }
    ClockElement number = NumberElement(field.kind, measures);
    number.x = group.width;
    group.width += field.digits * measures.w;
    group.elements.push_back(number);
    if (field.unit &&
        !AppendWord(font, measures, QString::fromUtf16(field.unit), measures.k, group)) {
      return false;
    }
  }
  for (ClockElement& element : group.elements) element.colorBits = colorBits;
  return true;
}

struct DateStyle {
  std::array<char, 3> order;  // 'Y', 'M', 'D'
  const char16_t* separator;  // null: unit words after the fields
  bool twoDigitYear;
};

constexpr std::array<DateStyle, 8> kDateStyles = {{
    {{'Y', 'M', 'D'}, nullptr, false},
    {{'Y', 'M', 'D'}, nullptr, true},
    {{'M', 'D', 'Y'}, u"/", false},
    {{'Y', 'M', 'D'}, u"/", false},
    {{'Y', 'M', 'D'}, u"-", false},
    {{'Y', 'M', 'D'}, u".", false},
    {{'M', 'D', 'Y'}, u".", false},
    {{'D', 'M', 'Y'}, u".", false},
}};

}  // namespace

bool BuildDateGroup(const QFont& font, const FontMeasures& measures, DateFields fields,
                    int dateFormat, int colorBits, ElementGroup& group) {
  const DateStyle& style = kDateStyles[CheckedFormat(dateFormat, int(kDateStyles.size()))];
  const bool words = style.separator == nullptr;
  const Field year = style.twoDigitYear ? Field{fields.year, kKindYear2, 2, u"年"}
                                        : Field{fields.year, kKindYear4, 4, u"年"};
  const Field month{fields.month, kKindMonth, 2, u"月"};
  const Field day{fields.day, kKindDay, 2, u"日"};
  std::vector<Field> ordered;
  for (const char name : style.order) {
    Field field = name == 'Y' ? year : name == 'M' ? month : day;
    if (!words) field.unit = nullptr;
    ordered.push_back(field);
  }
  return BuildGroup(font, measures, ordered, style.separator, colorBits, group);
}

bool BuildTimeGroup(const QFont& font, const FontMeasures& measures, TimeFields fields,
                    int timeFormat, int colorBits, ElementGroup& group) {
  const int format = CheckedFormat(timeFormat, 7);
  const bool words = format <= 1;
  const int hourKind = format <= 2 ? kKindHour24 : kKindHour12;
  const std::vector<Field> ordered = {
      {fields.hour, hourKind, 2, words ? (format == 0 ? u"时" : u"時") : nullptr},
      {fields.minute, kKindMinute, 2, words ? u"分" : nullptr},
      {fields.second, kKindSecond, 2, words ? u"秒" : nullptr},
  };
  return BuildGroup(font, measures, ordered, words ? nullptr : u":", colorBits, group);
}

AmPmStyle AmPmStyleOf(int timeFormat) {
  switch (CheckedFormat(timeFormat, 7)) {
    case 3: return {AmPmPlace::Front, false};
    case 4: return {AmPmPlace::Front, true};
    case 5: return {AmPmPlace::Behind, false};
    case 6: return {AmPmPlace::Behind, true};
    default: return {};
  }
}
