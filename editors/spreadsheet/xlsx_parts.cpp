#include "editors/spreadsheet/xlsx_parts.h"

#include <QHash>

#include "editors/spreadsheet/number_format.h"
#include "editors/spreadsheet/xlsx_package.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QStringView kMainNamespaces[] = {
    u"http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    u"http://purl.oclc.org/ooxml/spreadsheetml/main"};
constexpr QStringView kRelationshipNamespaces[] = {
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    u"http://purl.oclc.org/ooxml/officeDocument/relationships"};
constexpr QStringView kPackageRelationships =
    u"http://schemas.openxmlformats.org/package/2006/relationships";

bool InNamespaces(QStringView uri, const QStringView (&namespaces)[2]) {
  return uri == namespaces[0] || uri == namespaces[1];
}

// The attribute r:id in either dialect's relationship namespace.
QString RelationshipId(const QXmlStreamAttributes& attributes) {
  for (const QXmlStreamAttribute& attribute : attributes) {
    if (attribute.name() == u"id" &&
        InNamespaces(attribute.namespaceUri(), kRelationshipNamespaces)) {
      return attribute.value().toString();
    }
  }
  return {};
}

bool IsTrue(QStringView value) { return value == u"1" || value == u"true"; }

}  // namespace

bool IsMainElement(const QXmlStreamReader& xml, QStringView name) {
  return xml.name() == name && InNamespaces(xml.namespaceUri(), kMainNamespaces);
}

bool ReadRichText(QXmlStreamReader& xml, QString* text) {
  for (int depth = 1; depth > 0 && !xml.atEnd();) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::EndElement) {
      --depth;
    } else if (token != QXmlStreamReader::StartElement) {
      continue;
    } else if (IsMainElement(xml, u"t")) {
      *text += xml.readElementText();
    } else if (IsMainElement(xml, u"rPh")) {
      xml.skipCurrentElement();
    } else {
      ++depth;
    }
  }
  return !xml.hasError();
}

bool ParseRelationships(const QByteArray& bytes, const QString& source,
                        std::vector<Relationship>* relationships) {
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship" ||
        xml.namespaceUri() != kPackageRelationships) {
      continue;
    }
    const QXmlStreamAttributes attributes = xml.attributes();
    if (attributes.value("TargetMode"_L1) == u"External") continue;
    const QString target = ResolvePartName(source, attributes.value("Target"_L1).toString());
    relationships->push_back(
        {attributes.value("Id"_L1).toString(), attributes.value("Type"_L1).toString(), target});
  }
  return !xml.hasError();
}

bool IsOfKind(const Relationship& relationship, QStringView kind) {
  const QStringView type = relationship.type;
  return type.endsWith(kind) && type.size() > kind.size() &&
         type[type.size() - kind.size() - 1] == u'/';
}

bool ParseWorkbook(const QByteArray& bytes, WorkbookInfo* workbook) {
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (IsMainElement(xml, u"workbookPr")) {
      workbook->date1904 = IsTrue(xml.attributes().value("date1904"_L1));
    } else if (IsMainElement(xml, u"sheet")) {
      workbook->sheetIds.append(RelationshipId(xml.attributes()));
    }
  }
  return !xml.hasError();
}

bool ParseSharedStrings(const QByteArray& bytes, DecodeBudget* budget,
                        std::vector<QString>* strings) {
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement || !IsMainElement(xml, u"si")) continue;
    QString text;
    if (!ReadRichText(xml, &text) || !budget->Charge(kDecodedEntryBytes + 2 * text.size()))
      return false;
    strings->push_back(std::move(text));
  }
  return !xml.hasError();
}

bool ParseStyles(const QByteArray& bytes, DecodeBudget* budget, std::vector<QString>* codes) {
  QXmlStreamReader xml(bytes);
  QHash<int, QString> ownCodes;  // the workbook's own number formats by id
  std::vector<int> formatIds;
  xml.readNextStartElement();  // the style sheet
  // Only the children of numFmts and cellXfs count: differential formats hold
  // numFmt elements too, and cell style formats xf elements.
  while (xml.readNextStartElement()) {
    const bool formats = IsMainElement(xml, u"numFmts");
    const bool cellFormats = IsMainElement(xml, u"cellXfs");
    if (!formats && !cellFormats) xml.skipCurrentElement();
    while ((formats || cellFormats) && xml.readNextStartElement()) {
      const QXmlStreamAttributes attributes = xml.attributes();
      if (formats && IsMainElement(xml, u"numFmt")) {
        const QString code = attributes.value("formatCode"_L1).toString();
        if (!budget->Charge(kDecodedEntryBytes + 2 * code.size())) return false;
        ownCodes.insert(attributes.value("numFmtId"_L1).toInt(), code);
      } else if (cellFormats && IsMainElement(xml, u"xf")) {
        if (!budget->Charge(kDecodedEntryBytes)) return false;
        formatIds.push_back(attributes.value("numFmtId"_L1).toInt());
      }
      xml.skipCurrentElement();
    }
  }
  for (const int id : formatIds) {
    codes->push_back(ownCodes.contains(id) ? ownCodes.value(id) : BuiltInNumberFormat(id));
  }
  return !xml.hasError();
}
