#pragma once
// INI files with the rules of the classic profile functions, which the settings
// and language files were written for:
// - section and key names match without regard to case; the first match wins;
// - blanks around names and values are dropped, and one pair of matching quotes
//   around a value is removed;
// - nothing in a value is special: commas, ";", "#", "\" and "%" stay as written,
//   so "a,b" is one value (unlike QSettings, which splits and escapes);
// - lines starting with ";" and lines without "=" are ignored.
// Files are UTF-8; a leading byte-order mark is skipped and kept on rewrite.

#include <optional>

#include <QString>

// The value of key in section of the file at path; nullopt when the file, the
// section or the key is missing.
std::optional<QString> ReadIniValue(const QString& path, const QString& section,
                                    const QString& key);

// As ReadIniValue, for files read many times and seldom written (the language
// files): each file is parsed once and its values kept while its size, times and
// inode stay the same. Safe to call from any thread.
std::optional<QString> ReadCachedIniValue(const QString& path, const QString& section,
                                          const QString& key);

// Sets key in section to value. The first matching key line is replaced in place;
// a new key goes after the last key line of its section; a new section goes at the
// end of the file. Every other line stays byte for byte. The file is created when
// missing and replaced atomically. False (and the file unchanged) when a name or
// the value cannot be stored (CR or LF anywhere, "=" in the key, "]" in the
// section, an empty name) or when the file cannot be read or written; *error then
// tells why when given.
[[nodiscard]] bool WriteIniValue(const QString& path, const QString& section, const QString& key,
                                 const QString& value, QString* error = nullptr);
