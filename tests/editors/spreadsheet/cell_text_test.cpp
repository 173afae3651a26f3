// Numbers of cells: the fast ways to read and write them give what Qt's general
// conversions give, on random values and on the edges of each fast way.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include <bit>
#include <cmath>
#include <cstdint>

#include "editors/spreadsheet/cell_text.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// NumberText as Qt's conversions alone write it.
QString QtNumberText(double value) {
  if (std::trunc(value) == value && std::fabs(value) <= 9007199254740992.0) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

QString RandomDigits(QRandomGenerator& random, int count) {
  QString digits;
  for (int i = 0; i < count; ++i) digits += QChar(u'0' + random.bounded(10));
  return digits;
}

TEST(CellText, NumbersReadAsToDoubleReadsThem) {
  QStringList texts = {u"0"_s,
                       u"-0"_s,
                       u"007"_s,
                       u"0.10"_s,
                       u"-12.5"_s,
                       u"1e3"_s,
                       u" 5"_s,
                       u"5 "_s,
                       u"+5"_s,
                       u"1."_s,
                       u".5"_s,
                       u"-"_s,
                       u""_s,
                       u"1.2.3"_s,
                       u"0x10"_s,
                       u"inf"_s,
                       u"nan"_s,
                       u"1,5"_s,
                       u"٣"_s,
                       QString(40, u'9'),
                       QString(41, u'9'),
                       u"0."_s + QString(38, u'0') + u"1"_s};
  QRandomGenerator random(66);
  for (int i = 0; i < 20000; ++i) {
    QString text = RandomDigits(random, 1 + random.bounded(20));
    if (random.bounded(2)) text += u'.' + RandomDigits(random, 1 + random.bounded(20));
    texts << (random.bounded(2) ? u"-"_s + text : text);
  }
  for (const QString& text : texts) {
    bool ok = false;
    const double expected = QStringView(text).toDouble(&ok);
    const std::optional<double> number = ReadNumber(text);
    ASSERT_EQ(number.has_value(), ok) << qPrintable(text);
    const double read = number.value_or(0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(ok ? expected : 0))
        << qPrintable(text);
  }
}

TEST(CellText, NumbersWriteAsQtWritesThem) {
  std::vector<double> values = {0.1 + 0.2,
                                1e-5,
                                1.5e-5,
                                1e-4,
                                1.5e-4,
                                0.25,
                                -6249.75,
                                1e15 + 0.5,
                                123456789012345.6,
                                99999999999999.9,
                                9007199254740992.0,  // the largest whole number kept whole
                                1e21,
                                1e23,
                                5e-324,
                                -1.7976931348623157e308,
                                2.0 / 3.0,
                                INFINITY,
                                -INFINITY,
                                NAN};
  QRandomGenerator random(66);
  for (int i = 0; i < 20000; ++i) {
    // Short decimals at every scale, as cells mostly hold, and arbitrary doubles.
    const QString digits = RandomDigits(random, 1 + random.bounded(17));
    values.push_back(digits.toDouble() * std::pow(10.0, random.bounded(-25, 25)));
    values.push_back(std::bit_cast<double>(random.generate64()));
  }
  for (const double value : values) EXPECT_EQ(NumberText(value), QtNumberText(value)) << value;
}

}  // namespace
