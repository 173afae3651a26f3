#pragma once
// The names a screen's colour type and link are shown with, from the language file.

#include <QString>

#include <cstdint>

// Colour types 0-3: keys 1017-1020 of IDD_BASICSET_DIALOG; empty for any other.
QString ColorTypeText(std::int32_t colorType);

// Send types 0 and 1: keys 1011 and 1012 of IDD_COMMUNICATIONSET_DIALOG, 2 "USB";
// empty for any other.
QString LinkTypeText(std::int32_t sendType);
