#pragma once
// Cell values as the texts an import gives them, alike for both file kinds: whole
// numbers as integers, other numbers with up to 15 significant digits, dates and
// times as "2024-03-05", "14:30:00" and "2024-03-05 14:30:00".

#include <QString>
#include <QStringView>

// What a number format shows its number as.
enum class NumberKind : unsigned char { Number, Date, Time, DateTime };

// A number: "%lld" when it is whole and at most 2^53 in size, else up to 15
// significant digits without trailing zeros ("3.75", "1e+20").
QString NumberText(double value);

// The kind of a number format: a built-in id (14-22 and 45-47 show dates and times),
// or a format code whose first section holds date letters (y, d, m without h or s) or
// time letters (h, s) outside quotes, brackets and escapes. An empty code means the
// id's built-in format.
NumberKind FormatKind(int id, QStringView code);

// A serial date (days since the start of the 1900 or 1904 system, the fraction the
// time of day) as kind shows it; a number outside the years 1900-9999 or a Number
// kind as NumberText.
QString SerialText(double serial, NumberKind kind, bool date1904);

// A date, time or date-time in ISO 8601 form (as a cell of type "d" stores it) in
// the import's form; the text itself when it is none of them.
QString IsoDateText(const QString& iso);
