#include "editors/spreadsheet/biff_records.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint16_t kContinueRecord = 0x003C;
constexpr int kRecordHeaderBytes = 4;
// String flags: two-byte characters, phonetic data, rich text runs.
constexpr std::uint8_t kWideCharacters = 0x01;
constexpr std::uint8_t kPhoneticData = 0x04;
constexpr std::uint8_t kRichText = 0x08;
constexpr int kRunBytes = 4;

}  // namespace

bool BiffRecords::Next() {
  const std::int64_t left = stream_.size() - next_;
  if (left == 0) return false;
  std::uint16_t length = 0;
  if (left < kRecordHeaderBytes || !Field(stream_, static_cast<qsizetype>(next_) + 2, &length) ||
      left - kRecordHeaderBytes < length) {
    damaged_ = true;
    return false;
  }
  const auto at = static_cast<qsizetype>(next_);
  type_ = qFromLittleEndian<std::uint16_t>(stream_.data() + at);
  data_ = stream_.sliced(at + kRecordHeaderBytes, length);
  next_ += kRecordHeaderBytes + length;
  return true;
}

std::vector<QByteArrayView> BiffRecords::Continued() {
  std::vector<QByteArrayView> pieces = {data_};
  std::uint16_t type = 0;
  while (Field(stream_, static_cast<qsizetype>(next_), &type) && type == kContinueRecord &&
         Next()) {
    pieces.push_back(data_);
  }
  return pieces;
}

bool ContinuedData::TakeString(QString* text) {
  std::uint16_t count = 0;
  std::uint8_t flags = 0;
  std::uint16_t runs = 0;
  std::int32_t phoneticBytes = 0;
  if (!Take(&count) || !Take(&flags) || ((flags & kRichText) && !Take(&runs)) ||
      ((flags & kPhoneticData) && !Take(&phoneticBytes)) || phoneticBytes < 0) {
    return false;
  }
  QString taken;
  if (!TakeCharacters(count, flags & kWideCharacters, &taken) ||
      !TakeBytes(nullptr, std::int64_t{runs} * kRunBytes + phoneticBytes)) {
    return false;
  }
  *text = std::move(taken);
  return true;
}

bool ContinuedData::AtEnd() const {
  for (std::size_t i = piece_; i < pieces_.size(); ++i) {
    if (pieces_[i].size() > (i == piece_ ? at_ : 0)) return false;
  }
  return true;
}

bool ContinuedData::TakeBytes(char* out, std::int64_t count) {
  while (count > 0) {
    // A piece is left only when more is needed: a string's characters that go on in
    // the next record need to know they crossed.
    if (at_ == pieces_[piece_].size()) {
      if (piece_ + 1 == pieces_.size()) return false;
      ++piece_;
      at_ = 0;
      continue;
    }
    const QByteArrayView piece = pieces_[piece_];
    const qsizetype taken =
        static_cast<qsizetype>(std::min<std::int64_t>(count, piece.size() - at_));
    if (out) {
      std::memcpy(out, piece.data() + at_, static_cast<std::size_t>(taken));
      out += taken;
    }
    at_ += taken;
    count -= taken;
  }
  return true;
}

bool ContinuedData::TakeCharacters(int count, bool wide, QString* text) {
  text->reserve(count);
  while (count > 0) {
    if (at_ == pieces_[piece_].size()) {
      std::uint8_t flags = 0;
      if (piece_ + 1 == pieces_.size() || pieces_[piece_ + 1].isEmpty()) return false;
      at_ = 0;
      ++piece_;
      if (!Take(&flags)) return false;
      wide = flags & kWideCharacters;
      continue;
    }
    const QByteArrayView piece = pieces_[piece_].sliced(at_);
    const int unit = wide ? 2 : 1;
    const int taken = static_cast<int>(std::min<qsizetype>(count, piece.size() / unit));
    if (taken == 0) return false;  // half a character before the record's end
    if (wide) {
      const qsizetype start = text->size();
      text->resize(start + taken);
      qFromLittleEndian<char16_t>(piece.data(), taken, text->data() + start);
    } else {
      text->append(QLatin1StringView(piece.data(), taken));
    }
    at_ += qsizetype{taken} * unit;
    count -= taken;
  }
  return true;
}
