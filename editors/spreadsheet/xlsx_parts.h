#pragma once
// The parts of an .xlsx workbook that lead to its first worksheet and give its cells
// their texts: relationships, the workbook, shared strings and styles. Elements are
// matched by namespace URI (transitional or strict), never by prefix. Each parser
// returns false when the part is malformed or exceeds the decode budget.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QXmlStreamReader>

#include <vector>

#include "editors/spreadsheet/decode_budget.h"

// Whether the reader stands on an element of SpreadsheetML's main namespace.
bool IsMainElement(const QXmlStreamReader& xml, QStringView name);

// The text of the element the reader stands on (a shared string or an inline string):
// its own text and that of its runs, phonetic runs left out. The reader ends on the
// element's end.
[[nodiscard]] bool ReadRichText(QXmlStreamReader& xml, QString* text);

struct Relationship {
  QString id;
  QString type;
  QString target;  // the part name, resolved against the part holding the relationship
};
// The internal relationships of the part source (empty: the package).
[[nodiscard]] bool ParseRelationships(const QByteArray& bytes, const QString& source,
                                      std::vector<Relationship>* relationships);
// Whether a relationship is of the kind ("worksheet", "styles", ...) in either dialect.
bool IsOfKind(const Relationship& relationship, QStringView kind);

struct WorkbookInfo {
  QStringList sheetIds;  // the relationship ids of the sheets, in the workbook's order
  bool date1904 = false;
};
[[nodiscard]] bool ParseWorkbook(const QByteArray& bytes, WorkbookInfo* workbook);

[[nodiscard]] bool ParseSharedStrings(const QByteArray& bytes, DecodeBudget* budget,
                                      std::vector<QString>* strings);

// The number format code of each cell format (cellXfs), by index: the workbook's own
// code for its id, else the built-in one (empty for an id with neither).
[[nodiscard]] bool ParseStyles(const QByteArray& bytes, DecodeBudget* budget,
                               std::vector<QString>* codes);
