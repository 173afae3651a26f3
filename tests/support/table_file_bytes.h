#pragma once
// Table files assembled byte by byte from their published layout, independently of the
// codec under test. Header only.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace table_test {

inline void Le32(QByteArray& out, std::int64_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>(value >> shift));
}

// text as UTF-16 little-endian units, then zeros up to units.
inline void Utf16(QByteArray& out, const QString& text, int units) {
  for (int i = 0; i < units; ++i) {
    const char16_t unit = i < text.size() ? text[i].unicode() : u'\0';
    out.append(static_cast<char>(unit & 0xFF)).append(static_cast<char>(unit >> 8));
  }
}

struct CellBytes {
  QString text;
  // height, width, escapement, orientation, weight; then eight single bytes; the face.
  std::vector<std::int64_t> font = {-12, 0, 0, 0, 400};
  QByteArray fontBytes = QByteArray("\0\0\0\1\0\0\0\0", 8);
  QString face = QStringLiteral("MS Shell Dlg");
  // format, text colour, back colour, extra rows, extra columns, visible.
  std::vector<std::int64_t> tail = {5, 255, 0, 0, 0, 1};
};

inline QByteArray TableBytes(std::int64_t rows, std::int64_t cols,
                             std::initializer_list<std::int64_t> sizes,
                             const std::vector<CellBytes>& cells) {
  QByteArray out;
  for (std::int64_t value : {std::int64_t{0xAC13F59D}, rows, cols}) Le32(out, value);
  for (std::int64_t size : sizes) Le32(out, size);
  for (const CellBytes& cell : cells) {
    Utf16(out, cell.text, 512);
    for (std::int64_t value : cell.font) Le32(out, value);
    out.append(cell.fontBytes);
    Utf16(out, cell.face, 32);
    for (std::int64_t value : cell.tail) Le32(out, value);
  }
  return out;
}

}  // namespace table_test
