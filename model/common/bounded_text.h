#pragma once
// Fixed-capacity UTF-16 text fields of the records: a field of capacity N holds at
// most N-1 code units and always ends with a 0.

#include <QString>
#include <QStringView>

#include <cstddef>

// Copies text into a field of `capacity` units, cut at capacity-1 units without
// splitting a surrogate pair, zero-terminated and zero-padded. Returns false when the
// text had to be cut.
bool CopyBoundedText(char16_t* field, std::size_t capacity, QStringView text);

// The text of a field of `capacity` units, up to its first 0 and never past its end.
QString ReadBoundedText(const char16_t* field, std::size_t capacity);

template <std::size_t N>
bool CopyBoundedText(char16_t (&field)[N], QStringView text) {
  return CopyBoundedText(field, N, text);
}

template <std::size_t N>
QString ReadBoundedText(const char16_t (&field)[N]) {
  return ReadBoundedText(field, N);
}
