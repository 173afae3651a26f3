#pragma once
#include <QString>

// Length of a GUID text: 32 hexadecimal digits and four hyphens.
constexpr int kGuidTextLength = 36;

// A fresh GUID text, 36 upper-case characters in the form
// XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX. It names an item's files, so it is new on
// every call (random 122 bits from the system's generator).
QString NewGuidText();

// True when text has the form of a GUID text (either letter case). Texts read from
// files are checked with it before they name any file.
bool IsGuidText(const QString& text);
