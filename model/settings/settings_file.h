#pragma once
// Settings kept in INI files of the program folder ("setting.cfg"), with the rules
// of ini_file.h. fileName is relative to GetAppDir().

#include <QString>

// The value, or an empty text when the file, section or key is missing. The value
// is returned whole (it may be a long path).
QString ReadIniString(const QString& section, const QString& key, const QString& fileName);

// Writes the value under the key, keeping the rest of the file. False when the file
// cannot be written or the text cannot be stored (a line break in it).
[[nodiscard]] bool WriteIniString(const QString& section, const QString& key, const QString& value,
                    const QString& fileName);

// The value read as a decimal number: leading blanks, an optional sign, then digits
// up to the first other character ("12ab" is 12). 0 when missing or not a number;
// values beyond the int range are clamped.
int ReadIniInt(const QString& section, const QString& key, const QString& fileName);

// WriteIniString with the number in decimal.
[[nodiscard]] bool WriteIniInt(const QString& section, const QString& key, int value,
                 const QString& fileName);

// The leading decimal number of text as ReadIniInt reads it.
int ParseIniInt(const QString& text);
