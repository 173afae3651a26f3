#pragma once
// Cell values as the texts an import gives them, alike for both file kinds, where no
// number format applies (number_format.h): whole numbers as integers, other numbers
// with up to 15 significant digits, booleans as TRUE and FALSE, and dates and times
// stored as text in ISO 8601 form as "2024-03-05", "14:30:00" and "2024-03-05 14:30:00".

#include <QString>
#include <QStringView>

#include <optional>

// A number: "%lld" when it is whole and at most 2^53 in size, else up to 15
// significant digits without trailing zeros ("3.75", "1e+20").
QString NumberText(double value);

// The number a cell's value text holds, as QStringView::toDouble reads it; nullopt where
// that reads none. A plain decimal such as "-12.5", most values, takes a faster way to
// the same double.
std::optional<double> ReadNumber(QStringView text);

QString BooleanText(bool value);

// A date, time or date-time in ISO 8601 form (as a cell of type "d" stores it) in
// the import's form; the text itself when it is none of them.
QString IsoDateText(const QString& iso);
