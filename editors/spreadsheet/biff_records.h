#pragma once
// The records of a BIFF8 workbook stream (.xls of Excel 97 and later): each a 16-bit
// type, a 16-bit length and its data, all little-endian; data too long for one record
// goes on in CONTINUE records.

#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <cstdint>
#include <vector>

// Reads a field at offset of a record's data; false when the data ends first.
template <typename T>
[[nodiscard]] bool Field(QByteArrayView data, qsizetype offset, T* value) {
  if (offset < 0 || data.size() - offset < static_cast<qsizetype>(sizeof(T))) return false;
  *value = qFromLittleEndian<T>(data.data() + offset);
  return true;
}

class BiffRecords {
 public:
  // The records of stream from offset at.
  BiffRecords(QByteArrayView stream, std::int64_t at) : stream_(stream), next_(at) {}

  // Steps to the next record. False at the end of the stream, and when the record
  // does not fit in it (Damaged then).
  [[nodiscard]] bool Next();
  std::uint16_t Type() const { return type_; }
  QByteArrayView Data() const { return data_; }
  bool Damaged() const { return damaged_; }
  // The data of this record and of the CONTINUE records right after it, which it takes.
  std::vector<QByteArrayView> Continued();

 private:
  QByteArrayView stream_;
  std::int64_t next_;
  std::uint16_t type_ = 0;
  QByteArrayView data_;
  bool damaged_ = false;
};

// The data of a record and its CONTINUE records, read as one. A string breaks between
// records only within its characters, and the record after such a break starts with
// a flags byte of its own: whether the characters go on in one byte or two.
class ContinuedData {
 public:
  explicit ContinuedData(std::vector<QByteArrayView> pieces) : pieces_(std::move(pieces)) {}

  template <typename T>
  [[nodiscard]] bool Take(T* value) {
    char bytes[sizeof(T)];
    if (!TakeBytes(bytes, sizeof bytes)) return false;
    *value = qFromLittleEndian<T>(bytes);
    return true;
  }
  // A string: its count of characters, flags, and the characters in one byte (the low
  // byte of UTF-16) or two; rich text runs and phonetic data, when the flags announce
  // them, are skipped.
  [[nodiscard]] bool TakeString(QString* text);
  bool AtEnd() const;

 private:
  // Takes count bytes into out, or skips them when out is null.
  bool TakeBytes(char* out, std::int64_t count);
  bool TakeCharacters(int count, bool wide, QString* text);

  std::vector<QByteArrayView> pieces_;
  std::size_t piece_ = 0;
  qsizetype at_ = 0;  // in the current piece
};
