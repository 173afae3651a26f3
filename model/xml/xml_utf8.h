#pragma once
// The UTF-8 conversion of XML files. One routine counts and converts, so a buffer
// sized by the count can never be overrun.

#include <QByteArrayView>
#include <QStringView>

#include <functional>

// Decodes UTF-8. With out == nullptr returns the number of UTF-16 units the bytes
// decode to; with out (room for that many units) fills it and returns the number
// of bytes consumed. A decoded 0 ends the conversion. Bad input never fails: an
// invalid lead byte, a stray continuation byte, a sequence cut short by a byte
// below 0x80 (which is not consumed) or by the end of the input, and a value above
// U+10FFFF each give "?". Overlong forms are accepted. Values from U+10000 become a
// surrogate pair.
qsizetype Utf8ToWide(const char* bytes, qsizetype count, char16_t* out);

// Encodes UTF-16 as UTF-8. With out == nullptr returns the byte count; with out
// writes at most capacity bytes (stopping before a character that would not fit)
// and returns the bytes written. A surrogate pair becomes one 4-byte character; a
// surrogate unit without its partner becomes "?" and the next unit is kept.
qsizetype WideToUtf8(QStringView text, char* out, qsizetype capacity);

// Encodes the text as UTF-8 a slice at a time through one small buffer and hands each
// slice's bytes to write, so no copy of the whole text is made. A slice never ends
// between the two units of a surrogate pair: the bytes are those of the whole text
// converted at once. Stops at the first write that fails; answers the bytes written,
// or -1 after a failed write.
qsizetype WriteUtf8Slices(QStringView text, const std::function<bool(QByteArrayView)>& write);
