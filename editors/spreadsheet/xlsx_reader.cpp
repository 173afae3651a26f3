#include "editors/spreadsheet/xlsx_reader.h"

#include <QXmlStreamReader>

#include <optional>
#include <vector>

#include "editors/spreadsheet/cell_text.h"
#include "editors/spreadsheet/number_format.h"
#include "editors/spreadsheet/worksheet_grid.h"
#include "editors/spreadsheet/xlsx_package.h"
#include "editors/spreadsheet/xlsx_parts.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The largest sheet SpreadsheetML allows: 1,048,576 rows, columns A to XFD.
constexpr std::int64_t kSheetRows = 1048576;
constexpr std::int64_t kSheetColumns = 16384;

struct CellPlace {
  std::int64_t row = 0;
  std::int64_t column = 0;
};

// A cell reference such as "C3"; nullopt when it is not one inside the sheet.
std::optional<CellPlace> ParseReference(QStringView reference) {
  CellPlace place;
  qsizetype i = 0;
  for (; i < reference.size() && i < 4 && reference[i] >= u'A' && reference[i] <= u'Z'; ++i) {
    place.column = place.column * 26 + (reference[i].unicode() - u'A' + 1);
  }
  bool ok = false;
  place.row = reference.mid(i).toLongLong(&ok);
  if (i == 0 || !ok || !reference[i].isDigit() || place.column > kSheetColumns || place.row < 1 ||
      place.row > kSheetRows) {
    return std::nullopt;
  }
  return place;
}

// What a cell's type attribute makes of its value.
enum class ValueKind { Number, Shared, Inline, Text, Boolean, Date };

// Any type but these (n, or none) reads as a number.
ValueKind KindOf(QStringView type) {
  if (type == u"s") return ValueKind::Shared;
  if (type == u"inlineStr") return ValueKind::Inline;
  if (type == u"str" || type == u"e") return ValueKind::Text;
  if (type == u"b") return ValueKind::Boolean;
  if (type == u"d") return ValueKind::Date;
  return ValueKind::Number;
}

// Reads one sheet part's cells into a grid.
class SheetReader {
 public:
  SheetReader(const std::vector<QString>& strings, const std::vector<QString>& codes, bool date1904,
              DecodeBudget* budget)
      : strings_(strings), codes_(codes), date1904_(date1904), budget_(budget) {}

  [[nodiscard]] bool Read(QIODevice* part, WorksheetGrid* grid) {
    QXmlStreamReader xml(part);
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (IsMainElement(xml, u"row")) {
        if (!StartRow(xml.attributes().value("r"_L1))) return false;
      } else if (IsMainElement(xml, u"c")) {
        if (!ReadCell(xml, grid)) return false;
      }
    }
    return !xml.hasError();
  }

 private:
  // A row without a number follows the row before it.
  bool StartRow(QStringView number) {
    place_ = {number.isEmpty() ? place_.row + 1 : number.toLongLong(), 0};
    return place_.row >= 1 && place_.row <= kSheetRows;
  }

  bool ReadCell(QXmlStreamReader& xml, WorksheetGrid* grid) {
    ValueKind kind = ValueKind::Number;
    qulonglong style = 0;
    // The attributes' copy ends here, before reading on reuses the reader's storage.
    if (!TakeAttributes(xml.attributes(), &kind, &style)) return false;
    if (!grid->Use(place_.row, place_.column)) {
      xml.skipCurrentElement();
      return true;
    }
    value_.resize(0);
    QString inlineText;
    while (xml.readNextStartElement()) {
      if (IsMainElement(xml, u"v")) {
        if (!ReadValue(xml)) return false;
      } else if (IsMainElement(xml, u"is")) {
        if (!ReadRichText(xml, &inlineText)) return false;
      } else {
        xml.skipCurrentElement();  // a formula, or an extension
      }
    }
    QString text;
    if (xml.hasError() || !CellText(kind, style, inlineText, &text)) return false;
    // A shared string is held once however many cells show it.
    if (kind != ValueKind::Shared && !budget_->Charge(2 * text.size())) return false;
    grid->Set(place_.row, place_.column, std::move(text));
    return true;
  }

  // Moves to the cell's place (a cell without a reference follows its left neighbour)
  // and takes its value's kind and its style.
  bool TakeAttributes(const QXmlStreamAttributes& attributes, ValueKind* kind, qulonglong* style) {
    const QStringView reference = attributes.value("r"_L1);
    if (reference.isEmpty()) {
      ++place_.column;
    } else if (const std::optional<CellPlace> place = ParseReference(reference)) {
      place_ = *place;
    } else {
      return false;
    }
    *kind = KindOf(attributes.value("t"_L1));
    *style = attributes.value("s"_L1).toULongLong();
    return place_.row >= 1 && place_.column <= kSheetColumns;
  }

  // The text of the <v> element the reader stands on into value_, whose room is kept
  // from cell to cell. The reader ends on the element's end; false on a child element.
  bool ReadValue(QXmlStreamReader& xml) {
    for (;;) {
      switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference: value_ += xml.text(); break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction: break;
        case QXmlStreamReader::EndElement: return true;
        default: return false;
      }
    }
  }

  bool CellText(ValueKind kind, qulonglong style, QString& inlineText, QString* text) const {
    if (kind == ValueKind::Inline) {
      *text = std::move(inlineText);
    } else if (value_.isEmpty() || kind == ValueKind::Text) {
      *text = value_;
    } else if (kind == ValueKind::Shared) {
      bool ok = false;
      const qulonglong index = value_.toULongLong(&ok);
      if (!ok || index >= strings_.size()) return false;
      *text = strings_[index];
    } else if (kind == ValueKind::Boolean) {
      *text = BooleanText(value_ == u"1" || value_ == u"true");
    } else if (kind == ValueKind::Date) {
      *text = IsoDateText(value_);
    } else {
      const std::optional<double> number = ReadNumber(value_);
      *text = number ? FormatNumber(*number, Code(style), date1904_) : value_;
    }
    return true;
  }

  // The number format of a cell style index; a style the workbook lacks has none.
  QStringView Code(qulonglong style) const {
    return style < codes_.size() ? QStringView(codes_[style]) : QStringView();
  }

  const std::vector<QString>& strings_;
  const std::vector<QString>& codes_;
  const bool date1904_;
  DecodeBudget* budget_;
  CellPlace place_;
  QString value_;
};

// Reads a part; ifMissing is the error when the package lacks it.
SpreadsheetError ReadPart(const XlsxPackage& package, const QString& name,
                          SpreadsheetError ifMissing, QByteArray* bytes) {
  switch (package.Read(name, bytes)) {
    case PartStatus::Read: return SpreadsheetError::None;
    case PartStatus::Missing: return ifMissing;
    default: return SpreadsheetError::Damaged;
  }
}

SpreadsheetError ReadRelationships(const XlsxPackage& package, const QString& source,
                                   SpreadsheetError ifMissing,
                                   std::vector<Relationship>* relationships) {
  QByteArray bytes;
  const SpreadsheetError error =
      ReadPart(package, RelationshipsPartName(source), ifMissing, &bytes);
  if (error != SpreadsheetError::None) return error;
  return ParseRelationships(bytes, source, relationships) ? SpreadsheetError::None
                                                          : SpreadsheetError::Damaged;
}

const Relationship* Find(const std::vector<Relationship>& relationships, QStringView kind,
                         QStringView id = {}) {
  for (const Relationship& relationship : relationships) {
    if (IsOfKind(relationship, kind) && (id.isNull() || relationship.id == id)) {
      return &relationship;
    }
  }
  return nullptr;
}

// Everything but the sheet's cells: where the sheet is and how its cells read.
struct WorkbookParts {
  QString sheet;
  bool date1904 = false;
  std::vector<QString> strings;
  std::vector<QString> codes;
};

// Reads the optional part of that kind with its parser; its absence is no fault.
template <typename Parse>
SpreadsheetError ReadOptional(const XlsxPackage& package,
                              const std::vector<Relationship>& relationships, QStringView kind,
                              Parse parse) {
  const Relationship* relationship = Find(relationships, kind);
  if (!relationship) return SpreadsheetError::None;
  QByteArray bytes;
  const SpreadsheetError error =
      ReadPart(package, relationship->target, SpreadsheetError::Damaged, &bytes);
  if (error != SpreadsheetError::None) return error;
  return parse(bytes) ? SpreadsheetError::None : SpreadsheetError::Damaged;
}

SpreadsheetError ReadWorkbook(const XlsxPackage& package, DecodeBudget* budget,
                              WorkbookParts* parts) {
  std::vector<Relationship> packageRelationships;
  SpreadsheetError error = ReadRelationships(package, QString(), SpreadsheetError::NotSpreadsheet,
                                             &packageRelationships);
  if (error != SpreadsheetError::None) return error;
  const Relationship* document = Find(packageRelationships, u"officeDocument");
  if (!document) return SpreadsheetError::NotSpreadsheet;
  QByteArray bytes;
  WorkbookInfo workbook;
  error = ReadPart(package, document->target, SpreadsheetError::NotSpreadsheet, &bytes);
  if (error != SpreadsheetError::None) return error;
  if (!ParseWorkbook(bytes, &workbook)) return SpreadsheetError::Damaged;
  std::vector<Relationship> relationships;
  error = ReadRelationships(package, document->target, SpreadsheetError::Damaged, &relationships);
  if (error != SpreadsheetError::None) return error;
  // The first sheet that is a worksheet, as a chart sheet holds no cells.
  for (const QString& id : workbook.sheetIds) {
    if (const Relationship* sheet = Find(relationships, u"worksheet", id)) {
      parts->sheet = sheet->target;
      break;
    }
  }
  if (parts->sheet.isEmpty()) return SpreadsheetError::NoWorksheet;
  parts->date1904 = workbook.date1904;
  error = ReadOptional(package, relationships, u"sharedStrings", [&](const QByteArray& part) {
    return ParseSharedStrings(part, budget, &parts->strings);
  });
  if (error != SpreadsheetError::None) return error;
  return ReadOptional(package, relationships, u"styles", [&](const QByteArray& part) {
    return ParseStyles(part, budget, &parts->codes);
  });
}

}  // namespace

WorksheetTexts ReadXlsxWorksheet(const QString& path) {
  XlsxPackage package;
  if (!package.Open(path)) return FailedRead(SpreadsheetError::Damaged);
  DecodeBudget budget(kMaxPartBytes);
  WorkbookParts parts;
  SpreadsheetError error = ReadWorkbook(package, &budget, &parts);
  if (error != SpreadsheetError::None) return FailedRead(error);
  // The sheet, the largest part, is read as it inflates, never held whole.
  PartStream sheet;
  if (package.Stream(parts.sheet, &sheet) != PartStatus::Read) {
    return FailedRead(SpreadsheetError::Damaged);
  }
  WorksheetGrid grid;
  SheetReader reader(parts.strings, parts.codes, parts.date1904, &budget);
  if (!reader.Read(&sheet, &grid) || sheet.Finish() != PartStatus::Read) {
    return FailedRead(SpreadsheetError::Damaged);
  }
  return grid.Finish();
}
