#pragma once
#include <QString>
#include <QStringList>

// Splits text at every occurrence of separator into parts (emptied first). Empty runs
// count: "a,b," gives a, b and ""; ",a" gives "" and a. Text without the separator is
// the only part, and empty text gives no part. An empty separator never matches, so
// the text is the only part.
void SplitString(const QString& text, const QString& separator, QStringList& parts);
