#include "editors/spreadsheet/number_format.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "editors/spreadsheet/cell_text.h"

namespace {

constexpr qsizetype kMaxCodeUnits = 255;
constexpr int kMaxSections = 4;
constexpr qint64 kSecondsPerDay = 86400;
// Fractions of a second a time shows at most ("ss.000").
constexpr int kMaxSecondDigits = 3;
// Past the last day (9999-12-31) of either date system; a serial this small keeps
// every product below in range.
constexpr double kSerialBound = 2958466.0;
constexpr int kLastYear = 9999;
// General shows numbers from 1E-9 to below 1E-4 in decimals while they take at most 16
// places after the point; smaller ones, and longer, in exponent notation.
constexpr int kSmallestDecimalExponent = -9;
constexpr int kMostGeneralPlaces = 16;
// The most digits a fraction's denominator has; the largest numerator, so that no
// product of the approximation leaves a 64-bit integer.
constexpr int kMaxDenominatorDigits = 9;
constexpr double kMaxNumerator = 1e15;

enum class Token : unsigned char {
  Literal,
  Digit,  // text: "0" always a digit, "#" only a significant one, "?" else a space
  Point,
  Comma,
  Percent,
  Exponent,  // text: "E+", "E-", "e+" or "e-"
  General,
  Text,   // @
  Slash,  // a fraction in a number, a literal in a date; text: a fixed denominator ("/4")
  Year,
  Month,
  Day,
  Hour,
  Minute,
  Second,
  SubSecond,  // count: the digits after the point
  AmPm,       // text: what the code wrote, "AM/PM", "a/p" or "上午/下午"
  ElapsedHours,
  ElapsedMinutes,
  ElapsedSeconds,
};

struct Piece {
  Token token;
  QString text;
  int count = 0;  // letters of a date or time part
};

using Section = std::vector<Piece>;

bool IsDateToken(Token token) { return token >= Token::Year; }

std::ptrdiff_t Count(const Section& section, Token token) {
  return std::count_if(section.begin(), section.end(),
                       [token](const Piece& piece) { return piece.token == token; });
}

bool Has(const Section& section, Token token) { return Count(section, token) > 0; }

void AddLiteral(Section* section, QStringView text) {
  if (!section->empty() && section->back().token == Token::Literal) {
    section->back().text += text;
  } else {
    section->push_back({Token::Literal, text.toString()});
  }
}

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The run of letter at i, in any case.
int RunLength(QStringView code, qsizetype i) {
  int count = 1;
  while (i + count < code.size() && code[i + count].toLower() == code[i].toLower()) ++count;
  return count;
}

bool IsColour(QStringView name) {
  static constexpr QStringView kColours[] = {u"black",   u"blue", u"cyan",  u"green",
                                             u"magenta", u"red",  u"white", u"yellow"};
  for (const QStringView colour : kColours) {
    if (name.compare(colour, Qt::CaseInsensitive) == 0) return true;
  }
  // A colour of the palette, [Color1] to [Color56].
  if (!name.startsWith(u"color", Qt::CaseInsensitive)) return false;
  bool number = false;
  const int index = name.sliced(5).toInt(&number);
  return number && index >= 1 && index <= 56;
}

// What a bracket holds: a currency or locale ([$¥-804], [$-409]), an elapsed time
// ([h], [mm]) or a colour. False for anything else (a condition, a calendar).
bool AddBracket(QStringView content, Section* section) {
  if (content.startsWith(u'$')) {
    const qsizetype dash = content.indexOf(u'-');
    AddLiteral(section, content.sliced(1, (dash < 0 ? content.size() : dash) - 1));
    return true;
  }
  static constexpr struct {
    char16_t letter;
    Token token;
  } kElapsed[] = {
      {u'h', Token::ElapsedHours}, {u'm', Token::ElapsedMinutes}, {u's', Token::ElapsedSeconds}};
  for (const auto& [letter, token] : kElapsed) {
    if (!content.isEmpty() && content[0].toLower() == letter &&
        RunLength(content, 0) == content.size()) {
      section->push_back({token, {}, static_cast<int>(content.size())});
      return true;
    }
  }
  return IsColour(content);
}

Token DatePart(char16_t lower) {
  switch (lower) {
    case u'y': return Token::Year;
    case u'm': return Token::Month;
    case u'd': return Token::Day;
    case u'h': return Token::Hour;
    default: return Token::Second;
  }
}

// The last date or time part before piece at, or the first after it.
const Piece* DateNeighbour(const Section& section, std::size_t at, bool after) {
  for (std::size_t i = at; after ? ++i < section.size() : i-- > 0;) {
    if (IsDateToken(section[i].token)) return &section[i];
  }
  return nullptr;
}

// "m" means minutes right after hours or right before seconds, else months.
void ResolveMinutes(Section* section) {
  for (std::size_t i = 0; i < section->size(); ++i) {
    if ((*section)[i].token != Token::Month) continue;
    const Piece* before = DateNeighbour(*section, i, false);
    const Piece* after = DateNeighbour(*section, i, true);
    if ((before && (before->token == Token::Hour || before->token == Token::ElapsedHours)) ||
        (after && (after->token == Token::Second || after->token == Token::ElapsedSeconds))) {
      (*section)[i].token = Token::Minute;
    }
  }
}

// Whether the point at i starts a fraction of a second ("ss.00").
bool StartsSecondFraction(const Section& section, QStringView code, qsizetype i) {
  const Piece* before = DateNeighbour(section, section.size(), false);
  return i + 1 < code.size() && code[i + 1] == u'0' && before &&
         (before->token == Token::Second || before->token == Token::ElapsedSeconds);
}

// Splits code into its sections of pieces; nullopt when it holds what this does not
// read.
std::optional<std::vector<Section>> Parse(QStringView code) {
  std::vector<Section> sections(1);
  for (qsizetype i = 0; i < code.size(); ++i) {
    Section& section = sections.back();
    const QChar c = code[i];
    const char16_t lower = c.toLower().unicode();
    const QStringView rest = code.sliced(i);
    if (c == u';') {
      if (sections.size() == kMaxSections) return std::nullopt;
      sections.emplace_back();
    } else if (c == u'"' || c == u'[') {
      const qsizetype end = code.indexOf(c == u'"' ? u'"' : u']', i + 1);
      if (end < 0) return std::nullopt;
      const QStringView inside = code.sliced(i + 1, end - i - 1);
      if (c == u'"') {
        AddLiteral(&section, inside);
      } else if (!AddBracket(inside, &section)) {
        return std::nullopt;
      }
      i = end;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      // An escaped character; a space as wide as a character; a fill, which a cell
      // text has no width for.
      if (++i == code.size()) return std::nullopt;
      if (c != u'*') AddLiteral(&section, c == u'\\' ? code.sliced(i, 1) : u" ");
    } else if (rest.startsWith(u"general", Qt::CaseInsensitive)) {
      section.push_back({Token::General, {}});
      i += 6;
    } else if (const qsizetype length = rest.startsWith(u"am/pm", Qt::CaseInsensitive) ? 5
                                        : rest.startsWith(u"a/p", Qt::CaseInsensitive) ? 3
                                        : rest.startsWith(u"上午/下午")                ? 5
                                                                                       : 0) {
      section.push_back({Token::AmPm, rest.left(length).toString()});
      i += length - 1;
    } else if (c == u'0' || c == u'#' || c == u'?') {
      section.push_back({Token::Digit, QString(c)});
    } else if (c == u'.' && StartsSecondFraction(section, code, i)) {
      const int digits = RunLength(code, i + 1);
      section.push_back({Token::SubSecond, {}, std::min(digits, kMaxSecondDigits)});
      i += digits;
    } else if (lower == u'e' && i + 1 < code.size() &&
               (code[i + 1] == u'+' || code[i + 1] == u'-')) {
      section.push_back({Token::Exponent, rest.left(2).toString()});
      ++i;
    } else if (QStringView(u"ymdhs").contains(lower)) {
      const int count = RunLength(code, i);
      section.push_back({DatePart(lower), {}, count});
      i += count - 1;
    } else if (c == u'/' && i + 1 < code.size() && code[i + 1] >= u'1' && code[i + 1] <= u'9') {
      qsizetype digits = 1;
      while (i + 1 + digits < code.size() && IsAsciiDigit(code[i + 1 + digits])) ++digits;
      section.push_back({Token::Slash, code.sliced(i + 1, digits).toString()});
      i += digits;
    } else if (c == u'.' || c == u',' || c == u'%' || c == u'/' || c == u'@') {
      constexpr QStringView kMarks = u".,%/@";
      constexpr Token kTokens[] = {Token::Point, Token::Comma, Token::Percent, Token::Slash,
                                   Token::Text};
      section.push_back({kTokens[kMarks.indexOf(c)], {}});
    } else if (c.unicode() < 0x80 && c.isLetter()) {
      return std::nullopt;  // an era, a calendar, or a letter a spreadsheet would quote
    } else {
      AddLiteral(&section, code.sliced(i, 1));  // signs, spaces, currency, CJK text
    }
  }
  for (Section& section : sections) ResolveMinutes(&section);
  return sections;
}

// A number as significant decimal digits: 0.digits x 10^point.
struct Decimal {
  QString digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};

// The 15 significant digits a spreadsheet keeps of a number.
Decimal ToDecimal(double magnitude) {
  if (magnitude == 0) return {};
  const QString text = QString::number(magnitude, 'e', 14);  // "d.dddddddddddddde+XX"
  const qsizetype e = text.indexOf(u'e');
  Decimal decimal{text.left(1) + text.sliced(2, e - 2), text.sliced(e + 1).toInt() + 1};
  while (decimal.digits.endsWith(u'0')) decimal.digits.chop(1);
  return decimal;
}

// Rounds half away from zero to the given digits after the point.
Decimal Rounded(Decimal decimal, int fractionDigits) {
  const qsizetype keep = qsizetype{decimal.point} + fractionDigits;
  if (keep >= decimal.digits.size()) return decimal;
  if (keep < 0) return {};
  const bool up = decimal.digits[keep] >= u'5';
  decimal.digits.truncate(keep);
  if (up) {
    while (decimal.digits.endsWith(u'9')) decimal.digits.chop(1);
    if (decimal.digits.isEmpty()) {
      decimal.digits = QStringLiteral("1");
      ++decimal.point;
    } else {
      QChar& last = decimal.digits.back();
      last = QChar(last.unicode() + 1);
    }
  }
  while (decimal.digits.endsWith(u'0')) decimal.digits.chop(1);
  return decimal;
}

// The digits before the point, empty for less than 1.
QString IntegerDigits(const Decimal& decimal) {
  if (decimal.point <= 0) return {};
  return decimal.digits.left(decimal.point).leftJustified(decimal.point, u'0');
}

QChar FractionDigit(const Decimal& decimal, int index) {
  const qsizetype at = qsizetype{decimal.point} + index;
  return at >= 0 && at < decimal.digits.size() ? decimal.digits[at] : u'0';
}

// The pieces [begin, end) with digits placed from the right: each placeholder takes
// one, the leftmost all that are left; grouped in threes by "," when group is set.
QString PlaceDigits(const Section& section, std::size_t begin, std::size_t end, QStringView digits,
                    bool group) {
  std::size_t first = end;
  for (std::size_t i = begin; i < end && first == end; ++i) {
    if (section[i].token == Token::Digit) first = i;
  }
  QString reversed;
  qsizetype left = digits.size();
  int placed = 0;
  const auto place = [&](QChar digit) {
    if (group && placed > 0 && placed % 3 == 0) reversed += u',';
    reversed += digit;
    ++placed;
  };
  if (first == end) {
    while (left > 0) place(digits[--left]);
  }
  for (std::size_t i = end; i-- > begin;) {
    const Piece& piece = section[i];
    if (piece.token == Token::Literal) {
      for (qsizetype k = piece.text.size(); k-- > 0;) reversed += piece.text[k];
      continue;
    }
    if (left > 0) {
      place(digits[--left]);
    } else if (piece.text == u"0") {
      place(u'0');
    } else if (piece.text == u"?") {
      reversed += u' ';
    }
    if (i == first) {
      while (left > 0) place(digits[--left]);
    }
  }
  std::reverse(reversed.begin(), reversed.end());
  return reversed;
}

std::size_t IndexOf(const Section& section, Token token) {
  const auto at = std::find_if(section.begin(), section.end(),
                               [token](const Piece& piece) { return piece.token == token; });
  return static_cast<std::size_t>(at - section.begin());
}

std::size_t CountDigits(const Section& section, std::size_t begin, std::size_t end) {
  return static_cast<std::size_t>(
      std::count_if(section.begin() + static_cast<std::ptrdiff_t>(begin),
                    section.begin() + static_cast<std::ptrdiff_t>(end),
                    [](const Piece& piece) { return piece.token == Token::Digit; }));
}

// Turns percents and commas into what they show and what they do: the power of ten
// they shift the number by, and whether the integer is grouped in thousands. A comma
// between digit placeholders of the integer groups; one after the last placeholder
// divides by 1000; any other is text.
void ResolveMarks(Section* section, int* shift, bool* group) {
  const std::size_t integerEnd =
      std::min(IndexOf(*section, Token::Point), IndexOf(*section, Token::Exponent));
  for (std::size_t i = 0; i < section->size(); ++i) {
    Piece& piece = (*section)[i];
    if (piece.token == Token::Percent) {
      *shift += 2;
      piece = {Token::Literal, QStringLiteral("%")};
    } else if (piece.token == Token::Comma) {
      const bool digitBefore = CountDigits(*section, 0, i) > 0;
      if (digitBefore && i < integerEnd && CountDigits(*section, i, integerEnd) > 0) {
        *group = true;
      } else if (digitBefore && CountDigits(*section, i, section->size()) == 0) {
        *shift -= 3;
      } else {
        piece = {Token::Literal, QStringLiteral(",")};
        continue;
      }
      piece = {Token::Literal, {}};
    }
  }
}

int FloorDiv(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Mantissa and exponent for the code's scientific notation: one integer digit per
// placeholder "0", or an exponent in steps of the placeholders when one is "#"
// (engineering notation, "##0.0E+0").
Decimal Scientific(const Decimal& number, const Section& section, std::size_t integerEnd,
                   int fractionDigits, int* exponent) {
  const int step = std::max<int>(1, static_cast<int>(CountDigits(section, 0, integerEnd)));
  bool engineering = false;
  for (std::size_t i = 0; i < integerEnd; ++i) {
    engineering |= section[i].token == Token::Digit && section[i].text != u"0";
  }
  const auto exponentOf = [&](int leading) {
    return engineering ? FloorDiv(leading, step) * step : leading - (step - 1);
  };
  *exponent = 0;
  if (number.digits.isEmpty()) return number;
  *exponent = exponentOf(number.point - 1);
  Decimal mantissa = Rounded({number.digits, number.point - *exponent}, fractionDigits);
  // Rounding up may carry into one more digit (9.99 to 10.0).
  if (const int carried = exponentOf(*exponent + mantissa.point - 1); carried != *exponent) {
    *exponent = carried;
    mantissa = Rounded({number.digits, number.point - *exponent}, fractionDigits);
  }
  return mantissa;
}

// The pieces [begin, end) after the point: digits from the left, where "#" and "?"
// show no trailing zero (nothing, or a space).
QString FractionPart(const Section& section, std::size_t begin, std::size_t end,
                     const Decimal& number, int fractionDigits) {
  QString text;
  int index = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const Piece& piece = section[i];
    if (piece.token != Token::Digit) {
      text += piece.token == Token::Point ? QStringLiteral(".") : piece.text;
      continue;
    }
    bool trailing = true;
    for (int k = index; k < fractionDigits && trailing; ++k) {
      trailing = FractionDigit(number, k) == u'0';
    }
    if (!trailing || piece.text == u"0") {
      text += FractionDigit(number, index);
    } else if (piece.text == u"?") {
      text += u' ';
    }
    ++index;
  }
  return text;
}

// The exponent's mark, its sign ("E+" shows both, "E-" only minus) and digits.
QString ExponentPart(const Section& section, std::size_t at, int exponent) {
  const QString& mark = section[at].text;
  QString text = mark.left(1);
  if (exponent < 0 || mark[1] == u'+') text += exponent < 0 ? u'-' : u'+';
  return text + PlaceDigits(section, at + 1, section.size(),
                            exponent == 0 ? QString() : QString::number(std::abs(exponent)), false);
}

// value as the General format shows it: the digits NumberText gives, with exponents
// as "1E-10" and "1.5E+20", and small numbers in decimals down to 1E-9 (see
// kMostGeneralPlaces).
QString GeneralNumber(double value) {
  const QString text = NumberText(value);
  const qsizetype mark = text.indexOf(u'e');
  if (mark < 0) return text;
  const int exponent = text.sliced(mark + 1).toInt();
  QString digits = text.left(mark);
  const bool negative = digits.startsWith(u'-');
  digits.remove(u'-').remove(u'.');
  if (exponent < 0 && exponent >= kSmallestDecimalExponent &&
      digits.size() - 1 - exponent <= kMostGeneralPlaces) {
    return (negative ? QStringLiteral("-0.") : QStringLiteral("0.")) +
           QString(-exponent - 1, u'0') + digits;
  }
  return text.left(mark) + u'E' + text.sliced(mark + 1);  // %g's sign and two digits at least
}

// A section with "General": the plain number in place of it.
QString GeneralText(const Section& section, double magnitude, bool negative) {
  QString text = negative ? QStringLiteral("-") : QString();
  for (const Piece& piece : section) {
    text += piece.token == Token::General ? GeneralNumber(magnitude) : piece.text;
  }
  return text;
}

struct Fraction {
  qint64 numerator = 0;
  qint64 denominator = 1;
};

double Error(double value, Fraction fraction) {
  return std::fabs(value - static_cast<double>(fraction.numerator) /
                               static_cast<double>(fraction.denominator));
}

// The fraction nearest to value (0 or more; value x largest below kMaxNumerator) whose
// denominator is at most largest: the last convergent of its continued fraction within
// the bound, or the largest semiconvergent past it where that is nearer.
Fraction Approximate(double value, qint64 largest) {
  Fraction before{0, 1};  // the seeds of the convergents' recurrence
  Fraction last{1, 0};
  double rest = value;
  for (int term = 0; term < 64; ++term) {
    const double whole = std::floor(rest);
    if (static_cast<double>(before.denominator) + whole * static_cast<double>(last.denominator) >
        static_cast<double>(largest)) {
      break;
    }
    const auto a = static_cast<qint64>(whole);
    const Fraction next{before.numerator + a * last.numerator,
                        before.denominator + a * last.denominator};
    before = last;
    last = next;
    if (rest == whole) break;
    rest = 1 / (rest - whole);
  }
  const qint64 steps = (largest - before.denominator) / last.denominator;
  const Fraction semi{before.numerator + steps * last.numerator,
                      before.denominator + steps * last.denominator};
  return Error(value, semi) < Error(value, last) ? semi : last;
}

// The end of the run of digit placeholders that starts or ends at i.
std::size_t DigitRunEnd(const Section& section, std::size_t i, bool forward) {
  while (forward ? i < section.size() && section[i].token == Token::Digit
                 : i > 0 && section[i - 1].token == Token::Digit) {
    forward ? ++i : --i;
  }
  return i;
}

// The denominator's digits from the left, as its placeholders show them: "?" and "0"
// pad with spaces, "#" with nothing.
QString DenominatorText(const Section& section, std::size_t begin, std::size_t end,
                        const QString& digits) {
  QString text = digits;
  for (std::size_t i = begin + static_cast<std::size_t>(digits.size()); i < end; ++i) {
    if (section[i].text != u"#") text += u' ';
  }
  return text;
}

// A fraction section ("# ?/?", "?/4", "#,##0 ??/??"): a whole part where digit
// placeholders stand before the numerator's, the nearest fraction with as many
// denominator digits as it has placeholders, or with the code's own denominator.
// A whole number leaves spaces where the fraction would stand. nullopt for a section
// with a point or an exponent, digits after the denominator or a fraction too large.
std::optional<QString> FormatFraction(double magnitude, Section section, bool negative) {
  int shift = 0;
  bool group = false;
  ResolveMarks(&section, &shift, &group);
  const std::size_t slash = IndexOf(section, Token::Slash);
  const std::size_t numeratorBegin = DigitRunEnd(section, slash, false);
  const std::size_t denominatorEnd = DigitRunEnd(section, slash + 1, true);
  const QString& fixed = section[slash].text;
  const auto placeholders = static_cast<int>(denominatorEnd - slash - 1);
  if (Has(section, Token::Point) || Has(section, Token::Exponent) || numeratorBegin == slash ||
      (fixed.isEmpty() == (placeholders == 0)) || fixed.size() > kMaxDenominatorDigits ||
      placeholders > kMaxDenominatorDigits ||
      CountDigits(section, denominatorEnd, section.size()) > 0 ||
      Count(section, Token::Slash) > 1) {
    return std::nullopt;
  }
  std::size_t wholeEnd = numeratorBegin;
  while (wholeEnd > 0 && section[wholeEnd - 1].token != Token::Digit) --wholeEnd;
  const bool mixed = wholeEnd > 0;
  // The 15 significant digits a spreadsheet keeps, scaled by percents.
  const double value = QString::number(magnitude * std::pow(10.0, shift), 'g', 15).toDouble();
  const double whole = mixed ? std::floor(value) : 0;
  const qint64 largest = fixed.isEmpty() ? qRound64(std::pow(10.0, placeholders)) - 1 : 0;
  // Also false for a number that scaling made infinite.
  if (!((value - whole) * static_cast<double>(std::max(largest, fixed.toLongLong())) <
        kMaxNumerator)) {
    return std::nullopt;
  }
  Fraction fraction =
      fixed.isEmpty() ? Approximate(value - whole, largest)
                      : Fraction{qRound64((value - whole) * fixed.toDouble()), fixed.toLongLong()};
  Decimal wholeDigits = ToDecimal(whole);
  if (mixed && fraction.numerator == fraction.denominator) {
    wholeDigits = ToDecimal(whole + 1);
    fraction.numerator = 0;
  }
  const bool zero = wholeDigits.digits.isEmpty() && fraction.numerator == 0;
  QString text = negative && !zero ? QStringLiteral("-") : QString();
  if (mixed) {
    text += PlaceDigits(section, 0, wholeEnd,
                        zero ? QStringLiteral("0") : IntegerDigits(wholeDigits), group);
  }
  QString fractionText;
  for (std::size_t i = wholeEnd; i < numeratorBegin; ++i) fractionText += section[i].text;
  fractionText +=
      PlaceDigits(section, numeratorBegin, slash, QString::number(fraction.numerator), false);
  fractionText += u'/' + (fixed.isEmpty() ? DenominatorText(section, slash + 1, denominatorEnd,
                                                            QString::number(fraction.denominator))
                                          : fixed);
  text += mixed && fraction.numerator == 0 ? QString(fractionText.size(), u' ') : fractionText;
  for (std::size_t i = denominatorEnd; i < section.size(); ++i) text += section[i].text;
  return text;
}

std::optional<QString> FormatDecimal(double magnitude, Section section, bool negative) {
  if (Has(section, Token::Text) || (Has(section, Token::General) && Has(section, Token::Digit))) {
    return std::nullopt;
  }
  if (Has(section, Token::Slash)) return FormatFraction(magnitude, std::move(section), negative);
  // Without digit placeholders a section shows its text alone.
  if (Has(section, Token::General) || !Has(section, Token::Digit)) {
    return GeneralText(section, magnitude, negative);
  }
  int shift = 0;
  bool group = false;
  ResolveMarks(&section, &shift, &group);
  const std::size_t point = IndexOf(section, Token::Point);
  const std::size_t exponentAt = IndexOf(section, Token::Exponent);
  if (Count(section, Token::Point) > 1 || Count(section, Token::Exponent) > 1 ||
      (point < section.size() && point > exponentAt)) {
    return std::nullopt;
  }
  const std::size_t integerEnd = std::min(point, exponentAt);
  const int fractionDigits = static_cast<int>(CountDigits(section, integerEnd, exponentAt));
  Decimal number = ToDecimal(magnitude);
  if (!number.digits.isEmpty()) number.point += shift;
  int exponent = 0;
  number = exponentAt < section.size()
               ? Scientific(number, section, integerEnd, fractionDigits, &exponent)
               : Rounded(number, fractionDigits);
  QString text = negative && !number.digits.isEmpty() ? QStringLiteral("-") : QString();
  text += PlaceDigits(section, 0, integerEnd, IntegerDigits(number), group);
  text += FractionPart(section, integerEnd, exponentAt, number, fractionDigits);
  if (exponentAt < section.size()) text += ExponentPart(section, exponentAt, exponent);
  return text;
}

// The 1900 system counts 1900-02-29, a day that never was: serial 60.
constexpr qint64 kPhantomLeapDay = 60;

// The day a serial's whole part names: the serials of the 1900 system from 61 on are
// one ahead of the days since 1899-12-31. The phantom day is given as 1900-02-28,
// whose day of the month FormatDate shows as 29.
QDate SerialDay(qint64 days, bool date1904) {
  if (date1904) return QDate(1904, 1, 1).addDays(days);
  return days <= kPhantomLeapDay ? QDate(1899, 12, 31).addDays(std::min(days, kPhantomLeapDay - 1))
                                 : QDate(1899, 12, 30).addDays(days);
}

QString Padded(qint64 number, int width) {
  return QString::number(number).rightJustified(width, u'0');
}

// A month or day name: 3 letters short, 4 long, 5 its initial.
QString Name(const QString& shortName, const QString& longName, int letters) {
  return letters == 3 ? shortName : letters == 4 ? longName : longName.left(1);
}

std::optional<QString> FormatDate(double serial, const Section& section, bool date1904) {
  if (!(serial >= 0 && serial < kSerialBound)) return std::nullopt;
  int secondDigits = 0;
  for (const Piece& piece : section) {
    if (piece.token == Token::SubSecond) secondDigits = std::max(secondDigits, piece.count);
  }
  const qint64 perSecond = qRound64(std::pow(10.0, secondDigits));
  const qint64 units = std::llround(serial * kSecondsPerDay * perSecond);
  const qint64 seconds = units / perSecond;
  const QDate day = SerialDay(seconds / kSecondsPerDay, date1904);
  const int dayOfMonth = !date1904 && seconds / kSecondsPerDay == kPhantomLeapDay ? 29 : day.day();
  if (day.year() > kLastYear) return std::nullopt;
  const qint64 clock = seconds % kSecondsPerDay;
  const qint64 hour = clock / 3600;
  const bool twelveHours = Has(section, Token::AmPm);
  const QLocale english = QLocale::c();
  QString text;
  for (const Piece& piece : section) {
    const int width = std::min(piece.count, 2);
    switch (piece.token) {
      case Token::Literal: text += piece.text; break;
      case Token::Point: text += u'.'; break;
      case Token::Comma: text += u','; break;
      case Token::Slash: text += u'/' + piece.text; break;
      case Token::Year:
        text += piece.count <= 2 ? Padded(day.year() % 100, 2) : Padded(day.year(), 4);
        break;
      case Token::Month:
        text += piece.count <= 2 ? Padded(day.month(), width)
                                 : Name(english.monthName(day.month(), QLocale::ShortFormat),
                                        english.monthName(day.month()), std::min(piece.count, 5));
        break;
      case Token::Day:
        text += piece.count <= 2 ? Padded(dayOfMonth, width)
                                 : Name(english.dayName(day.dayOfWeek(), QLocale::ShortFormat),
                                        english.dayName(day.dayOfWeek()), std::min(piece.count, 4));
        break;
      case Token::Hour: text += Padded(twelveHours ? (hour + 11) % 12 + 1 : hour, width); break;
      case Token::Minute: text += Padded(clock / 60 % 60, width); break;
      case Token::Second: text += Padded(clock % 60, width); break;
      case Token::SubSecond:
        text += u'.' + Padded(units % perSecond, secondDigits).left(piece.count);
        break;
      case Token::AmPm: text += piece.text.split(u'/').at(hour >= 12 ? 1 : 0); break;
      case Token::ElapsedHours: text += Padded(seconds / 3600, piece.count); break;
      case Token::ElapsedMinutes: text += Padded(seconds / 60, piece.count); break;
      case Token::ElapsedSeconds: text += Padded(seconds, piece.count); break;
      default: return std::nullopt;  // digits, percents, exponents, General, text
    }
  }
  return text;
}

std::optional<QString> Format(double value, QStringView code, bool date1904) {
  if (code.isEmpty() || code.size() > kMaxCodeUnits || !std::isfinite(value)) return std::nullopt;
  std::optional<std::vector<Section>> sections = Parse(code);
  if (!sections) return std::nullopt;
  // A last section with "@" is for text cells; the others are positive, negative and
  // zero, and a number without a section of its own takes the first.
  std::size_t count = sections->size();
  if (count > 1 && Has(sections->back(), Token::Text)) --count;
  std::size_t chosen = 0;
  if (value < 0 && count >= 2) {
    chosen = 1;
  } else if (value == 0 && count >= 3) {
    chosen = 2;
  }
  Section& section = (*sections)[chosen];
  if (std::any_of(section.begin(), section.end(),
                  [](const Piece& piece) { return IsDateToken(piece.token); })) {
    return FormatDate(value, section, date1904);
  }
  return FormatDecimal(std::fabs(value), std::move(section), value < 0 && chosen == 0);
}

}  // namespace

QString BuiltInNumberFormat(int id) {
  static constexpr struct {
    int id;
    QStringView code;
  } kBuiltIn[] = {
      {0, u"General"},
      {1, u"0"},
      {2, u"0.00"},
      {3, u"#,##0"},
      {4, u"#,##0.00"},
      {5, u"\"$\"#,##0_);(\"$\"#,##0)"},
      {6, u"\"$\"#,##0_);[Red](\"$\"#,##0)"},
      {7, u"\"$\"#,##0.00_);(\"$\"#,##0.00)"},
      {8, u"\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"},
      {9, u"0%"},
      {10, u"0.00%"},
      {11, u"0.00E+00"},
      {12, u"# ?/?"},
      {13, u"# ?\?/?\?"},
      {14, u"m/d/yyyy"},
      {15, u"d-mmm-yy"},
      {16, u"d-mmm"},
      {17, u"mmm-yy"},
      {18, u"h:mm AM/PM"},
      {19, u"h:mm:ss AM/PM"},
      {20, u"h:mm"},
      {21, u"h:mm:ss"},
      {22, u"m/d/yyyy h:mm"},
      {37, u"#,##0_);(#,##0)"},
      {38, u"#,##0_);[Red](#,##0)"},
      {39, u"#,##0.00_);(#,##0.00)"},
      {40, u"#,##0.00_);[Red](#,##0.00)"},
      {41, u"_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
      {42, u"_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
      {43, u"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
      {44, u"_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
      {45, u"mm:ss"},
      {46, u"[h]:mm:ss"},
      {47, u"mm:ss.0"},
      {48, u"##0.0E+0"},
      {49, u"@"},
  };
  for (const auto& format : kBuiltIn) {
    if (format.id == id) return format.code.toString();
  }
  return {};
}

QString FormatNumber(double value, QStringView code, bool date1904) {
  if (std::optional<QString> text = Format(value, code, date1904)) return *std::move(text);
  return GeneralNumber(value);
}
