#pragma once
// Plain-text files as the rich-text editor opens them. Windows wrote them as UTF-16
// after the byte-order mark FF FE, or in the system's ANSI code page; files written
// here are mostly UTF-8.

#include <QByteArrayView>
#include <QString>

// The text of a file's bytes: more than two bytes starting FF FE are UTF-16LE; any
// other bytes are UTF-8 when they start with the UTF-8 mark or are valid UTF-8, else
// text in the legacy code page of the language.
QString DecodePlainText(QByteArrayView bytes, int languageIndex);

// The Windows code page of a language (LanguageIndex 1-6): 936 Chinese, 950
// traditional Chinese, 1251 Russian, 1254 Turkish, 1256 Persian, else 1252.
int LegacyCodePage(int languageIndex);
