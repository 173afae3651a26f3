#include "editors/spreadsheet/xls_reader.h"

#include <QHash>

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "editors/spreadsheet/biff_records.h"
#include "editors/spreadsheet/cell_text.h"
#include "editors/spreadsheet/compound_file.h"
#include "editors/spreadsheet/decode_budget.h"
#include "editors/spreadsheet/number_format.h"
#include "editors/spreadsheet/worksheet_grid.h"
#include "model/common/regular_file.h"

namespace {

// The largest workbook stream read, and what may be decoded from it: far above the
// workbooks a screen's table comes from, within the reader child's address space.
constexpr std::int64_t kMaxWorkbookBytes = std::int64_t{64} << 20;
constexpr std::int64_t kMaxDecodedBytes = std::int64_t{64} << 20;

enum Record : std::uint16_t {
  kBof = 0x0809,
  kEof = 0x000A,
  kFilePass = 0x002F,
  kDateMode = 0x0022,
  kFormat = 0x041E,
  kXf = 0x00E0,
  kBoundSheet = 0x0085,
  kSharedStrings = 0x00FC,
  kNumber = 0x0203,
  kRk = 0x027E,
  kMulRk = 0x00BD,
  kLabelSst = 0x00FD,
  kLabel = 0x0204,
  kBoolErr = 0x0205,
  kFormula = 0x0006,
  kString = 0x0207,
  kBlank = 0x0201,
  kMulBlank = 0x00BE,
};

constexpr std::uint16_t kBiff8 = 0x0600;
// A BOF's substream kinds, and a BOUNDSHEET's kind of a worksheet.
constexpr std::uint16_t kGlobalsStream = 0x0005;
constexpr std::uint16_t kWorksheetStream = 0x0010;
constexpr std::uint8_t kWorksheet = 0;

bool IsBof(const BiffRecords& records, std::uint16_t kind) {
  std::uint16_t version = 0;
  std::uint16_t stream = 0;
  return records.Type() == kBof && Field(records.Data(), 0, &version) && version == kBiff8 &&
         Field(records.Data(), 2, &stream) && stream == kind;
}

// The number an RK field holds: a 30-bit integer or the high 30 bits of a double,
// divided by 100 when its lowest bit says so.
double RkValue(std::uint32_t rk) {
  double value = 0;
  if (rk & 0x2) {
    value = static_cast<std::int32_t>(rk) >> 2;
  } else {
    const std::uint64_t bits = std::uint64_t{rk & 0xFFFFFFFC} << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return rk & 0x1 ? value / 100 : value;
}

QString ErrorText(std::uint8_t code) {
  switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    case 0x2B: return QStringLiteral("#GETTING_DATA");
    default: return {};
  }
}

// What the globals say about the cells of a sheet, and where its first worksheet is.
struct Globals {
  bool date1904 = false;
  QHash<int, QString> formats;                  // the workbook's own number formats by id
  std::vector<std::uint16_t> xfFormats;         // each cell format's number format id
  std::vector<QString> strings;                 // the shared strings
  std::optional<std::uint32_t> firstWorksheet;  // its BOF's offset in the stream

  // The number format of cell format xf; none for an xf the workbook lacks.
  QString Code(std::uint16_t xf) const {
    if (xf >= xfFormats.size()) return {};
    const std::uint16_t id = xfFormats[xf];
    const auto own = formats.constFind(id);
    return own != formats.cend() ? *own : BuiltInNumberFormat(id);
  }
};

bool ReadFormat(QByteArrayView data, DecodeBudget* budget, Globals* globals) {
  std::uint16_t id = 0;
  QString code;
  if (!Field(data, 0, &id) || !ContinuedData({data.sliced(2)}).TakeString(&code) ||
      !budget->Charge(kDecodedEntryBytes + 2 * code.size())) {
    return false;
  }
  globals->formats.insert(id, code);
  return true;
}

bool ReadSharedStrings(std::vector<QByteArrayView> pieces, DecodeBudget* budget,
                       std::vector<QString>* strings) {
  ContinuedData in(std::move(pieces));
  std::uint32_t total = 0;
  std::uint32_t unique = 0;
  if (!in.Take(&total) || !in.Take(&unique)) return false;
  while (strings->size() < unique && !in.AtEnd()) {
    QString text;
    if (!in.TakeString(&text) || !budget->Charge(kDecodedEntryBytes + 2 * text.size())) {
      return false;
    }
    strings->push_back(std::move(text));
  }
  return true;
}

// One record of the globals substream; false when it is malformed.
bool ReadGlobal(BiffRecords& records, DecodeBudget* budget, Globals* globals) {
  const QByteArrayView data = records.Data();
  switch (records.Type()) {
    case kDateMode: {
      std::uint16_t mode = 0;
      if (!Field(data, 0, &mode)) return false;
      globals->date1904 = mode != 0;
      return true;
    }
    case kFormat: return ReadFormat(data, budget, globals);
    case kXf: {
      std::uint16_t id = 0;
      if (!Field(data, 2, &id) || !budget->Charge(kDecodedEntryBytes)) return false;
      globals->xfFormats.push_back(id);
      return true;
    }
    case kBoundSheet: {
      std::uint32_t at = 0;
      std::uint8_t kind = 0;
      if (!Field(data, 0, &at) || !Field(data, 5, &kind)) return false;
      if (kind == kWorksheet && !globals->firstWorksheet) globals->firstWorksheet = at;
      return true;
    }
    case kSharedStrings: return ReadSharedStrings(records.Continued(), budget, &globals->strings);
    default: return true;
  }
}

SpreadsheetError ReadGlobals(QByteArrayView stream, DecodeBudget* budget, Globals* globals) {
  BiffRecords records(stream, 0);
  if (!records.Next() || !IsBof(records, kGlobalsStream)) return SpreadsheetError::NotSpreadsheet;
  while (records.Next()) {
    if (records.Type() == kEof) return SpreadsheetError::None;
    // Past FILEPASS every record's data is encrypted.
    if (records.Type() == kFilePass) return SpreadsheetError::PasswordProtected;
    if (!ReadGlobal(records, budget, globals)) return SpreadsheetError::Damaged;
  }
  return SpreadsheetError::Damaged;  // the stream ends before the globals do
}

// The cells of one worksheet substream into a grid.
class SheetCells {
 public:
  SheetCells(const Globals& globals, DecodeBudget* budget, WorksheetGrid* grid)
      : globals_(globals), budget_(budget), grid_(grid) {}

  // Reads the substream from its BOF at offset at to its EOF; records of substreams
  // inside it (charts) are passed over.
  [[nodiscard]] bool Read(QByteArrayView stream, std::uint32_t at) {
    BiffRecords records(stream, at);
    if (!records.Next() || !IsBof(records, kWorksheetStream)) return false;
    for (int depth = 1; depth > 0;) {
      if (!records.Next()) return false;  // the stream ends inside the sheet
      if (records.Type() == kBof) {
        ++depth;
      } else if (records.Type() == kEof) {
        --depth;
      } else if (depth == 1 && !ReadCell(records)) {
        return false;
      }
    }
    return true;
  }

 private:
  // One record of the sheet; false when a cell record is malformed.
  bool ReadCell(BiffRecords& records) {
    const QByteArrayView data = records.Data();
    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xf = 0;
    // Every cell record starts with its row and column; most go on with its format.
    const bool head = Field(data, 0, &row) && Field(data, 2, &column);
    const bool formatted = head && Field(data, 4, &xf);
    switch (records.Type()) {
      case kNumber: {
        double value = 0;
        return formatted && Field(data, 6, &value) && PutNumber(row, column, xf, value);
      }
      case kRk: {
        std::uint32_t rk = 0;
        return formatted && Field(data, 6, &rk) && PutNumber(row, column, xf, RkValue(rk));
      }
      case kMulRk: return head && ReadMulRk(row, column, data);
      case kLabelSst: {
        std::uint32_t index = 0;
        return formatted && Field(data, 6, &index) && index < globals_.strings.size() &&
               Put(row, column, [&] { return globals_.strings[index]; });
      }
      case kLabel: {
        QString text;
        return formatted && ContinuedData({data.sliced(6)}).TakeString(&text) &&
               Put(row, column, [&] { return std::move(text); });
      }
      case kBoolErr: {
        std::uint8_t value = 0;
        std::uint8_t error = 0;
        return formatted && Field(data, 6, &value) && Field(data, 7, &error) &&
               Put(row, column, [&] { return error ? ErrorText(value) : BooleanText(value); });
      }
      case kFormula: return formatted && ReadFormula(row, column, xf, data);
      case kString: return ReadStringResult(records);
      case kBlank: return head && Put(row, column, [] { return QString(); });
      case kMulBlank: {
        // Row, first column, a format for each column, last column.
        const qsizetype columns = (data.size() - 6) / 2;
        return head && columns >= 1 && Put(row, column + columns - 1, [] { return QString(); });
      }
      default: return true;
    }
  }

  // Row, first column, a format and an RK number for each column, last column.
  bool ReadMulRk(std::uint16_t row, std::uint16_t first, QByteArrayView data) {
    constexpr int kEntryBytes = 6;
    if (data.size() < 6 + kEntryBytes || (data.size() - 6) % kEntryBytes != 0) return false;
    const qsizetype columns = (data.size() - 6) / kEntryBytes;
    for (qsizetype i = 0; i < columns; ++i) {
      std::uint16_t xf = 0;
      std::uint32_t rk = 0;
      if (!Field(data, 4 + i * kEntryBytes, &xf) || !Field(data, 6 + i * kEntryBytes, &rk) ||
          !PutNumber(row, first + i, xf, RkValue(rk))) {
        return false;
      }
    }
    return true;
  }

  // The result the file stores: a number, or, when its last two bytes are 0xFFFF, by
  // its first byte a string (in the STRING record that follows), a boolean, an error
  // or an empty string.
  bool ReadFormula(std::uint16_t row, std::uint16_t column, std::uint16_t xf, QByteArrayView data) {
    std::uint16_t marker = 0;
    std::uint8_t kind = 0;
    std::uint8_t value = 0;
    double number = 0;
    if (!Field(data, 12, &marker) || !Field(data, 6, &kind) || !Field(data, 8, &value) ||
        !Field(data, 6, &number)) {
      return false;
    }
    if (marker != 0xFFFF) return PutNumber(row, column, xf, number);
    switch (kind) {
      case 0:
        if (!Put(row, column, [] { return QString(); })) return false;
        pendingString_ = {row, column};
        return true;
      case 1: return Put(row, column, [&] { return BooleanText(value); });
      case 2: return Put(row, column, [&] { return ErrorText(value); });
      default: return Put(row, column, [] { return QString(); });
    }
  }

  bool ReadStringResult(BiffRecords& records) {
    if (!pendingString_) return true;  // a STRING record with no formula before it
    const auto [row, column] = *pendingString_;
    QString text;
    return ContinuedData(records.Continued()).TakeString(&text) &&
           Put(row, column, [&] { return std::move(text); });
  }

  bool PutNumber(std::int64_t row, std::int64_t column, std::uint16_t xf, double value) {
    return Put(row, column,
               [&] { return FormatNumber(value, globals_.Code(xf), globals_.date1904); });
  }

  // Sets a cell (row and column from 0); its text is made only when the cell lies
  // within the import's bounds.
  template <typename MakeText>
  bool Put(std::int64_t row, std::int64_t column, MakeText makeText) {
    pendingString_.reset();
    if (!grid_->Use(row + 1, column + 1)) return true;
    QString text = makeText();
    if (!budget_->Charge(2 * text.size())) return false;
    grid_->Set(row + 1, column + 1, std::move(text));
    return true;
  }

  const Globals& globals_;
  DecodeBudget* budget_;
  WorksheetGrid* grid_;
  // The formula cell whose text result the next STRING record holds.
  std::optional<std::pair<std::uint16_t, std::uint16_t>> pendingString_;
};

}  // namespace

WorksheetTexts ReadXlsWorksheet(const QString& path) {
  UniqueFd file;
  std::int64_t size = 0;
  if (OpenRegularFile(path, &file, &size) != 0) return FailedRead(SpreadsheetError::Unreadable);
  QByteArray stream;
  switch (ReadRootStream(file, size, u"Workbook", kMaxWorkbookBytes, &stream)) {
    case StreamStatus::Read: break;
    case StreamStatus::Missing: return FailedRead(SpreadsheetError::NotSpreadsheet);
    case StreamStatus::Damaged: return FailedRead(SpreadsheetError::Damaged);
  }
  DecodeBudget budget(kMaxDecodedBytes);
  Globals globals;
  const SpreadsheetError error = ReadGlobals(stream, &budget, &globals);
  if (error != SpreadsheetError::None) return FailedRead(error);
  if (!globals.firstWorksheet) return FailedRead(SpreadsheetError::NoWorksheet);
  WorksheetGrid grid;
  SheetCells cells(globals, &budget, &grid);
  if (!cells.Read(stream, *globals.firstWorksheet)) return FailedRead(SpreadsheetError::Damaged);
  return grid.Finish();
}
