#include "editors/spreadsheet/worksheet_answer.h"

#include <QtEndian>

#include <iterator>
#include <limits>
#include <unordered_map>
#include <vector>

#include "editors/spreadsheet/worksheet_grid.h"

namespace {

constexpr char kMagic[] = "KQW1";
constexpr qsizetype kMagicBytes = sizeof kMagic - 1;
// A cell's count field with this bit set names an earlier cell whose text it shares.
constexpr quint32 kReferenceFlag = 0x80000000;

// The error codes of the answer, by their number there.
constexpr SpreadsheetError kErrorCodes[] = {
    SpreadsheetError::None,
    SpreadsheetError::Unreadable,
    SpreadsheetError::NotSpreadsheet,
    SpreadsheetError::Damaged,
    SpreadsheetError::PasswordProtected,
    SpreadsheetError::NoWorksheet,
};

template <typename T>
void Put(QByteArray* out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  out->append(bytes, sizeof bytes);
}

// The magic and the error's code: the whole answer of a failed read.
QByteArray Header(SpreadsheetError error) {
  QByteArray out(kMagic, kMagicBytes);
  quint8 code = 0;
  while (kErrorCodes[code] != error) ++code;
  Put(&out, code);
  return out;
}

bool FitsU32(std::int64_t count) {
  return count >= 0 && count <= std::numeric_limits<quint32>::max();
}

// Takes fields from the front of an answer; each Take fails, taking nothing, when the
// answer ends first.
class AnswerReader {
 public:
  explicit AnswerReader(QByteArrayView bytes) : bytes_(bytes) {}

  template <typename T>
  bool Take(T* value) {
    if (Left() < static_cast<qsizetype>(sizeof(T))) return false;
    *value = qFromLittleEndian<T>(bytes_.data() + at_);
    at_ += sizeof(T);
    return true;
  }

  // The text of units code units that follows.
  bool TakeText(quint32 units, QString* text) {
    if (units > kMaxCellTextUnits || Left() / 2 < units) return false;
    QString taken(static_cast<qsizetype>(units), Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes_.data() + at_, units, taken.data());
    at_ += 2 * static_cast<qsizetype>(units);
    *text = std::move(taken);
    return true;
  }

  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  qsizetype Left() const { return bytes_.size() - at_; }

  QByteArrayView bytes_;
  qsizetype at_ = 0;
};

bool InBounds(quint16 rows, quint16 columns, quint32 rowsLeftOut, quint32 columnsLeftOut) {
  return rows >= 1 && rows <= kMaxImportRows && columns >= 1 && columns <= kMaxImportColumns &&
         (rowsLeftOut == 0 || rows == kMaxImportRows) &&
         (columnsLeftOut == 0 || columns == kMaxImportColumns);
}

}  // namespace

QByteArray EncodeWorksheetAnswer(const WorksheetTexts& result) {
  if (result.error != SpreadsheetError::None) return Header(result.error);
  if (!FitsU32(result.rowsLeftOut) || !FitsU32(result.columnsLeftOut) || result.lastRow < 1 ||
      result.lastRow > kMaxImportRows || result.lastColumn < 1 ||
      result.lastColumn > kMaxImportColumns) {
    return Header(SpreadsheetError::Damaged);
  }
  QByteArray out = Header(SpreadsheetError::None);
  Put(&out, static_cast<quint16>(result.lastRow));
  Put(&out, static_cast<quint16>(result.lastColumn));
  Put(&out, static_cast<quint32>(result.rowsLeftOut));
  Put(&out, static_cast<quint32>(result.columnsLeftOut));
  // The cell that first showed each shared text, by the text's characters.
  std::unordered_map<const QChar*, quint32> firstCells;
  firstCells.reserve(static_cast<std::size_t>(result.texts.size()));
  for (quint32 cell = 0; cell < static_cast<quint32>(result.texts.size()); ++cell) {
    const QString& text = result.texts[cell];
    if (!text.isEmpty()) {
      const auto [first, isNew] = firstCells.try_emplace(text.constData(), cell);
      if (!isNew) {
        if (out.size() + 4 > kMaxAnswerBytes) return Header(SpreadsheetError::Damaged);
        Put(&out, kReferenceFlag | first->second);
        continue;
      }
    }
    const qsizetype bytes = 2 * text.size();
    if (text.size() > kMaxCellTextUnits || out.size() + 4 + bytes > kMaxAnswerBytes) {
      return Header(SpreadsheetError::Damaged);
    }
    Put(&out, static_cast<quint32>(text.size()));
    const qsizetype at = out.size();
    out.resize(at + bytes);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), out.data() + at);
  }
  return out;
}

WorksheetTexts DecodeWorksheetAnswer(QByteArrayView answer) {
  const WorksheetTexts damaged = FailedRead(SpreadsheetError::Damaged);
  if (answer.size() > kMaxAnswerBytes || !answer.startsWith(QByteArrayView(kMagic, kMagicBytes))) {
    return damaged;
  }
  AnswerReader in(answer.sliced(kMagicBytes));
  quint8 code = 0;
  if (!in.Take(&code) || code >= std::size(kErrorCodes)) return damaged;
  if (kErrorCodes[code] != SpreadsheetError::None) {
    return in.AtEnd() ? FailedRead(kErrorCodes[code]) : damaged;
  }
  quint16 rows = 0;
  quint16 columns = 0;
  quint32 rowsLeftOut = 0;
  quint32 columnsLeftOut = 0;
  if (!in.Take(&rows) || !in.Take(&columns) || !in.Take(&rowsLeftOut) ||
      !in.Take(&columnsLeftOut) || !InBounds(rows, columns, rowsLeftOut, columnsLeftOut)) {
    return damaged;
  }
  WorksheetTexts result;
  result.lastRow = rows;
  result.lastColumn = columns;
  result.rowsLeftOut = rowsLeftOut;
  result.columnsLeftOut = columnsLeftOut;
  const qsizetype cells = qsizetype{rows} * columns;
  result.texts.reserve(cells);
  // The cells that carry a text of their own, the only ones a reference may name.
  std::vector<bool> ownText(static_cast<std::size_t>(cells));
  for (qsizetype cell = 0; cell < cells; ++cell) {
    quint32 field = 0;
    QString text;
    if (!in.Take(&field)) return damaged;
    if (field & kReferenceFlag) {
      const quint32 first = field & ~kReferenceFlag;
      if (first >= cell || !ownText[first]) return damaged;
      text = result.texts.at(first);
    } else {
      if (!in.TakeText(field, &text)) return damaged;
      ownText[static_cast<std::size_t>(cell)] = !text.isEmpty();
    }
    result.texts.append(std::move(text));
  }
  return in.AtEnd() ? result : damaged;
}
