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

  // A cell without a reference follows its left neighbour.
  bool ReadCell(QXmlStreamReader& xml, WorksheetGrid* grid) {
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView reference = attributes.value("r"_L1);
    if (reference.isEmpty()) {
      ++place_.column;
    } else if (const std::optional<CellPlace> place = ParseReference(reference)) {
      place_ = *place;
    } else {
      return false;
    }
    if (place_.row < 1 || place_.column > kSheetColumns) return false;
    if (!grid->Use(place_.row, place_.column)) {
      xml.skipCurrentElement();
      return true;
    }
    QString value, inlineText;
    while (xml.readNextStartElement()) {
      if (IsMainElement(xml, u"v")) {
        value = xml.readElementText();
      } else if (IsMainElement(xml, u"is")) {
        if (!ReadRichText(xml, &inlineText)) return false;
      } else {
        xml.skipCurrentElement();  // a formula, or an extension
      }
    }
    QString text;
    if (xml.hasError() || !CellText(attributes, value, inlineText, &text)) return false;
    // A shared string is held once however many cells show it.
    if (attributes.value("t"_L1) != u"s" && !budget_->Charge(2 * text.size())) return false;
    grid->Set(place_.row, place_.column, std::move(text));
    return true;
  }

  bool CellText(const QXmlStreamAttributes& attributes, const QString& value, QString& inlineText,
                QString* text) const {
    const QStringView type = attributes.value("t"_L1);
    if (type == u"inlineStr") {
      *text = std::move(inlineText);
    } else if (value.isEmpty() || type == u"str" || type == u"e") {
      *text = value;
    } else if (type == u"s") {
      bool ok = false;
      const qulonglong index = value.toULongLong(&ok);
      if (!ok || index >= strings_.size()) return false;
      *text = strings_[index];
    } else if (type == u"b") {
      *text = BooleanText(value == u"1" || value == u"true");
    } else if (type == u"d") {
      *text = IsoDateText(value);
    } else {
      const std::optional<double> number = ReadNumber(value);
      *text = number ? FormatNumber(*number, Code(attributes.value("s"_L1)), date1904_) : value;
    }
    return true;
  }

  // The number format of a cell style index; a style the workbook lacks has none.
  QStringView Code(QStringView style) const {
    const qulonglong index = style.toULongLong();
    return index < codes_.size() ? QStringView(codes_[index]) : QStringView();
  }

  const std::vector<QString>& strings_;
  const std::vector<QString>& codes_;
  const bool date1904_;
  DecodeBudget* budget_;
  CellPlace place_;
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
