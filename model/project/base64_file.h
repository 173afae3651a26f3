#pragma once
// Base64 text (RFC 4648 alphabet, "=" padding, one unbroken line) of the source files
// that project files embed, and the way back into files.

#include <QByteArray>
#include <QString>

#include <cstddef>

// Encodes count bytes into text, (count + 2) / 3 * 4 characters and a terminating 0
// (text must hold that many + 1). Returns the text length; -1 for no data or a
// negative count.
long long Base64Encode(const unsigned char* data, long long count, char16_t* text);

// Decodes length characters of text into bytes (room for length / 4 * 3 needed).
// Leading tabs and spaces are skipped; trailing tabs, spaces, CR, LF and "-" are
// dropped while at least four characters remain. Returns the byte count; -1 for no
// text or a negative length, -2 for bad text (a character above 127 or outside the
// alphabet, a length not a multiple of four, misplaced "=").
long long Base64Decode(const char16_t* text, long long length, unsigned char* bytes);

// The whole text encoded (empty for no data).
QString Base64Text(const QByteArray& data);

// The bytes of text; false for bad text. An empty text gives no bytes and true.
[[nodiscard]] bool DecodeBase64Text(const QString& text, QByteArray* data);

// Reads the whole file and sets text to its Base64. False, text untouched, when the
// file cannot be read.
[[nodiscard]] bool FileToBase64(const QString& path, QString* text);

// Decodes text and writes the bytes as the whole file (atomically). False, no file
// written, when the text does not decode or the write fails. An empty text leaves an
// existing non-empty file as it is: empty is also what a save writes for a source
// it could not read.
[[nodiscard]] bool Base64ToFile(const QString& text, const QString& path);
