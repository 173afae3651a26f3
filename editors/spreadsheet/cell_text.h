#pragma once
// Cell values as the texts an import gives them, alike for both file kinds, where no
// number format applies (number_format.h): whole numbers as integers, other numbers
// with up to 15 significant digits, booleans as TRUE and FALSE, and dates and times
// stored as text in ISO 8601 form as "2024-03-05", "14:30:00" and "2024-03-05 14:30:00".

#include <QString>

// A number: "%lld" when it is whole and at most 2^53 in size, else up to 15
// significant digits without trailing zeros ("3.75", "1e+20").
QString NumberText(double value);

QString BooleanText(bool value);

// A date, time or date-time in ISO 8601 form (as a cell of type "d" stores it) in
// the import's form; the text itself when it is none of them.
QString IsoDateText(const QString& iso);
