#pragma once
// The code pages of RTF text: which one a font's character set names, and bytes to
// and from UTF-16 in it, through glibc's iconv.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The symbol character set: its bytes stand for U+F000 + byte, as Windows maps them.
constexpr int kSymbolCharSet = 2;
constexpr int kSymbolCodePage = -2;

// The code page of a font's character set (RTF \fcharset); ansiCodePage answers
// character set 1 (the default) and every set not in the table.
int CodePageForCharSet(int charSet, int ansiCodePage);

// Appends bytes in codePage to out. A byte that does not form a character in the
// code page becomes U+FFFD and the decoding goes on after it.
void DecodeCodePage(QByteArrayView bytes, int codePage, QString& out);

// text in codePage, or nothing when the code page is unknown or a character has no
// byte form in it.
std::optional<QByteArray> EncodeCodePage(const QString& text, int codePage);
