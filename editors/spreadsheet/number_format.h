#pragma once
// Numbers as a cell's number format shows them, alike for both workbook kinds: the
// built-in formats and the common codes (digit placeholders 0 # ?, decimals,
// thousands separators and scaling commas, percent, scientific notation, currency and
// literal text, fractions "# ?/?" and "?/4", up to four sections, colours ignored),
// General in a spreadsheet's notation ("0.000001", "1E-10"), and dates and times (y m d h s,
// AM/PM, fractions of a second, elapsed [h] [m] [s], month and day names in English)
// in the 1900 and 1904 date systems. Numbers round half away from zero on their 15
// significant digits, as spreadsheets show them; dates and times round to the second
// (or to the fraction the code shows), so 23:59:59.6 is the next day's 00:00:00.

#include <QString>
#include <QStringView>

// The code of a built-in number format (as shown in the United States): ids 0-22 and
// 37-49; empty for any other id.
QString BuiltInNumberFormat(int id);

// value as code shows it. value as General shows it when the code is empty, longer
// than 255 characters (the most a spreadsheet allows), or holds what this does not
// read: conditions, calendars, a text placeholder in a number section, a fraction with
// decimals or one too large; and for a date outside 1900 (1904) to 9999 or a negative
// date.
QString FormatNumber(double value, QStringView code, bool date1904);
