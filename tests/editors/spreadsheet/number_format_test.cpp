// Number formats applied to values, one table of what a spreadsheet shows for each
// (LibreOffice's texts, where it follows Excel). Each group of rows turns on a rule
// at its edge: the last value one way and the first the other.
#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <numbers>

#include "editors/spreadsheet/number_format.h"

namespace {

constexpr double kDec31 = 45657;  // 2024-12-31 in the 1900 date system

const struct {
  double value;
  const char16_t* code;
  const char16_t* shown;
  bool date1904 = false;
} kRows[] = {
    // General: 15 significant digits; decimals down to 1E-9 in at most 16 places.
    {0, u"General", u"0"},
    {2.0 / 3, u"General", u"0.666666666666667"},
    {0.0001, u"General", u"0.0001"},
    {0.000001, u"General", u"0.000001"},
    {-0.000015, u"General", u"-0.000015"},
    {1.2345678912e-6, u"General", u"0.0000012345678912"},
    {1.23456789123e-6, u"General", u"1.23456789123E-06"},
    {1.5e-9, u"General", u"0.0000000015"},
    {1e-10, u"General", u"1E-10"},
    {1e15, u"General", u"1000000000000000"},
    {1e20, u"General", u"1E+20"},
    {12345678901234567.0, u"General", u"1.23456789012346E+16"},
    {5.5, u"\"Total: \"General", u"Total: 5.5"},
    {1e-10, u"", u"1E-10"},  // no code: General
    // Digits, decimals, rounding half away from zero.
    {2.675, u"0.00", u"2.68"},
    {-0.001, u"0.00", u"0.00"},
    {0.5, u"#.00", u".50"},
    {0.5, u"0", u"1"},
    {-0.5, u"0", u"-1"},
    {7, u"000", u"007"},
    {0, u"#", u""},
    {3.1, u"?\?.?\?", u" 3.1 "},
    {5551234, u"000-0000", u"555-1234"},
    // Thousands: separators between integer digits, scaling commas after them; any
    // other comma shows as itself.
    {1234567.891, u"#,##0.00", u"1,234,567.89"},
    {999.5, u"#,##0", u"1,000"},
    {999.4, u"#,##0", u"999"},
    {-1234.5, u"#,##0.00", u"-1,234.50"},
    {12345678, u"#,##0.0,,", u"12.3"},
    {123456, u"0,", u"123"},
    {5, u",0", u",5"},
    // Percent.
    {0.125, u"0.0%", u"12.5%"},
    {-0.0005, u"0.0%", u"-0.1%"},
    {1.5, u"0%%", u"15000%%"},
    // Currency and literal text.
    {99.9, u"\"¥\"#,##0.00", u"¥99.90"},
    {99.9, u"[$¥-804]#,##0.00", u"¥99.90"},
    {1234.5, u"[$€-407] #,##0.00", u"€ 1,234.50"},
    {-5, u"\"$\"#,##0_);(\"$\"#,##0)", u"($5)"},
    {5, u"0\\ \\k\\g", u"5 kg"},
    {5, u"0*-", u"5"},
    // Scientific and engineering notation.
    {1.5e20, u"0E+00", u"2E+20"},
    {0.000123, u"0.00E+00", u"1.23E-04"},
    {9.999, u"0.00E+00", u"1.00E+01"},
    {0, u"0.00E+00", u"0.00E+00"},
    {123, u"0.0e-0", u"1.2e2"},
    {-1.5e-7, u"0.0E+0", u"-1.5E-7"},
    {12345, u"##0.0E+0", u"12.3E+3"},
    {0.000123, u"##0.0E+0", u"123.0E-6"},
    // Fractions: the nearest with as many denominator digits as placeholders, or the
    // code's own denominator; spaces where a whole number's fraction would stand.
    {1.25, u"# ?/#", u"1 1/4"},
    {1.25, u"# ?/8\"in\"", u"1 2/8in"},
    {std::numbers::pi, u"# ?/?", u"3 1/7"},
    {std::numbers::pi, u"# ?\?/?\?", u"3 14/99"},
    {std::numbers::pi, u"# ?\?\?/?\?\?", u"3  16/113"},
    {std::numbers::e, u"# ?\?\?\?\?/?\?\?\?\?", u"2 71821/99990"},
    {std::numbers::pi, u"?\?/?\?", u"311/99"},
    {1.25, u"?/?", u"5/4"},
    {1.5, u"#?/?", u"3/2"},
    {0, u"?/?", u"0/1"},
    {0.5, u"# ?/?", u" 1/2"},
    {0.5, u"0 ?/?", u"0 1/2"},
    {1.25, u"\"x\"?\?/?\?", u"x 5/4 "},  // text before a fraction is no whole part
    {0.5, u"# ?\?/?\?", u"  1/2 "},
    {0.95, u"# ?/?", u"1    "},
    {1.99, u"# ?/?", u"2    "},
    {-0.01, u"# ?/?", u"0    "},
    {-1.25, u"# ?/?", u"-1 1/4"},
    {-0.5, u"# ?/?;(# ?/?)", u"( 1/2)"},
    {0.3, u"# ?/4", u" 1/4"},
    {2.5, u"# ?/4", u"2 2/4"},
    {7.5, u"?/4", u"30/4"},
    {0.55, u"# ?/100", u" 55/100"},
    {12345.5, u"#,##0 ?/?", u"12,345 1/2"},
    {1.25, u"# ?/? \"in\"", u"1 1/4 in"},
    {1.5, u"0.0 ?/?", u"1.5"},  // a point: not read, General
    {1e15, u"?/?", u"1000000000000000"},
    {1.25, u"#/#########", u"5/4"},  // nine denominator digits at most
    {1.25, u"#/##########", u"1.25"},
    // Sections: positive, negative, zero, text; colours ignored; conditions not read.
    {0, u"0.00;-0.00;\"none\"", u"none"},
    {-3, u"0.00;[Red]-0.00", u"-3.00"},
    {-3, u"[Color10]0;[Color56](0)", u"(3)"},
    {0.5, u"[Color1]0.00", u"0.50"},
    {0.5, u"[Black]0.00;[Blue]0", u"0.50"},
    {0.5, u"[cyan]0.00;[GREEN]0", u"0.50"},
    {0.5, u"[Magenta]0.00;[White]0;[Yellow]0", u"0.50"},
    {0.5, u"[Color0]0.00", u"0.5"},
    {0.5, u"[Color57]0.00", u"0.5"},
    {4, u"0;-0;0;\"text: \"@", u"4"},
    {-2, u"0.00;@", u"-2.00"},  // a text section is no negative one
    {7, u"@", u"7"},
    {150, u"[>=100]0;0.00", u"150"},
    // Dates and times: names, 12-hour clocks at their turns, rounding to the second.
    {kDec31, u"m/d/yyyy", u"12/31/2024"},
    {kDec31, u"d-mmm-yy", u"31-Dec-24"},
    {kDec31, u"dddd, mmmm d, yyyy", u"Tuesday, December 31, 2024"},
    {kDec31, u"ddd dd mmmmm yy", u"Tue 31 D 24"},
    {kDec31, u"yyyy\"年\"m\"月\"d\"日\"", u"2024年12月31日"},
    {kDec31, u"h:mm AM/PM", u"12:00 AM"},
    {kDec31 + 0.5, u"h:mm AM/PM", u"12:00 PM"},
    {kDec31 + 1439.0 / 1440, u"h:mm AM/PM", u"11:59 PM"},
    {30.0 / 86400, u"hh:mm:ss a/p", u"12:00:30 a"},
    {0.5, u"上午/下午h:mm", u"下午12:00"},
    {kDec31 + 0.75, u"m/d/yy h:mm", u"12/31/24 18:00"},
    {kDec31 + (86400 - 0.4) / 86400, u"yyyy-mm-dd hh:mm:ss", u"2025-01-01 00:00:00"},
    {7.25 / 86400, u"mm:ss.00", u"00:07.25"},
    {7.125 / 86400, u"mm:ss.000", u"00:07.125"},
    {1.5, u"[h]:mm:ss", u"36:00:00"},
    {1.5, u"[mm]", u"2160"},
    {1.5, u"[ss]", u"129600"},
    {59, u"yyyy-mm-dd", u"1900-02-28"},
    {60, u"yyyy-mm-dd ddd", u"1900-02-29 Wed"},
    {61, u"yyyy-mm-dd", u"1900-03-01"},
    {2958465, u"yyyy-mm-dd", u"9999-12-31"},
    {2958466, u"yyyy-mm-dd", u"2958466"},
    {-1, u"yyyy-mm-dd", u"-1"},
    {0, u"yyyy-mm-dd", u"1904-01-01", true},
    {kDec31 - 1462, u"yyyy-mm-dd", u"2024-12-31", true},
};

TEST(NumberFormat, ValuesShowAsTheirCodesSay) {
  for (const auto& row : kRows) {
    EXPECT_EQ(FormatNumber(row.value, QString::fromUtf16(row.code), row.date1904).toStdString(),
              QString::fromUtf16(row.shown).toStdString())
        << row.value << " as " << QString::fromUtf16(row.code).toStdString();
  }
  // Past the longest code a spreadsheet allows, General.
  EXPECT_EQ(FormatNumber(0.5, QString(255, u'0') + u'%', false), u"0.5");
  EXPECT_EQ(FormatNumber(0.5, QString(254, u'0') + u'%', false),
            QString(252, u'0') + QStringLiteral("50%"));
}

// The built-in formats by id, as a spreadsheet lists them; none between and after.
TEST(NumberFormat, BuiltInFormatsById) {
  const QStringList codes =
      QStringLiteral(
          "General|0|0.00|#,##0|#,##0.00|\"$\"#,##0_);(\"$\"#,##0)|\"$\"#,##0_);[Red](\"$\"#,##0)|"
          "\"$\"#,##0.00_);(\"$\"#,##0.00)|\"$\"#,##0.00_);[Red](\"$\"#,##0.00)|0%|0.00%|0.00E+00|"
          "# ?/?|# ?\?/?\?|m/d/yyyy|d-mmm-yy|d-mmm|mmm-yy|h:mm AM/PM|h:mm:ss AM/PM|h:mm|h:mm:ss|"
          "m/d/yyyy h:mm|||||||||||||||#,##0_);(#,##0)|#,##0_);[Red](#,##0)|#,##0.00_);(#,##0.00)|"
          "#,##0.00_);[Red](#,##0.00)|_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)|"
          "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)|"
          "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)|"
          "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)|"
          "mm:ss|[h]:mm:ss|mm:ss.0|##0.0E+0|@|")
          .split(u'|');
  ASSERT_EQ(codes.size(), 51);
  for (int id = -1; id <= 50; ++id) EXPECT_EQ(BuiltInNumberFormat(id), codes.value(id)) << id;
}

}  // namespace
