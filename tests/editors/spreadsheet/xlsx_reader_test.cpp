// Hand-made .xlsx packages: how the first worksheet is found, how cells are placed
// and their values written, the import's bounds, and packages that must be refused.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include "editors/spreadsheet/spreadsheet_reader.h"
#include "editors/spreadsheet/xlsx_parts.h"
#include "tests/support/zip_writer.h"

namespace {

using ziptest::ZipPart;

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kDocumentRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray Relationships(const QByteArray& body) {
  return R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
         body + "</Relationships>";
}

QByteArray Relationship(const QByteArray& id, const QByteArray& kind, const QByteArray& target) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + kDocumentRelationships + "/" + kind +
         "\" Target=\"" + target + "\"/>";
}

// A workbook whose first sheet is xl/worksheets/sheet1.xml holding sheetData.
struct Book {
  QByteArray sheetData;
  QByteArray strings;  // the body of sst; none when empty
  QByteArray styles;   // the body of styleSheet; none when empty
  QByteArray workbookProperties;
};

std::vector<ZipPart> Parts(const Book& book) {
  QByteArray workbookRelationships = Relationship("rId1", "worksheet", "worksheets/sheet1.xml");
  std::vector<ZipPart> parts = {
      {"_rels/.rels", Relationships(Relationship("rId1", "officeDocument", "xl/workbook.xml"))},
      {"xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kDocumentRelationships +
                              "\">" + book.workbookProperties +
                              "<sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                              "</workbook>"},
      {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + kMain + "\"><sheetData>" +
                                       book.sheetData + "</sheetData></worksheet>"},
  };
  if (!book.strings.isEmpty()) {
    workbookRelationships += Relationship("rId2", "sharedStrings", "sharedStrings.xml");
    parts.push_back(
        {"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain + "\">" + book.strings + "</sst>"});
  }
  if (!book.styles.isEmpty()) {
    workbookRelationships += Relationship("rId3", "styles", "/xl/styles.xml");
    parts.push_back(
        {"xl/styles.xml", "<styleSheet xmlns=\"" + kMain + "\">" + book.styles + "</styleSheet>"});
  }
  parts.push_back({"xl/_rels/workbook.xml.rels", Relationships(workbookRelationships)});
  return parts;
}

class XlsxReader : public testing::Test {
 protected:
  QString Write(const std::vector<ZipPart>& parts) {
    const QString path = folder_.filePath(QStringLiteral("book%1.xlsx").arg(++count_));
    EXPECT_TRUE(ziptest::WriteZip(path, parts));
    return path;
  }
  WorksheetTexts Read(const Book& book) { return ReadFirstWorksheet(Write(Parts(book))); }

  QTemporaryDir folder_;
  int count_ = 0;
};

TEST_F(XlsxReader, FindsTheFirstSheetByRelationshipsAndNamespaces) {
  // The first sheet lives in sheet2.xml, every part uses prefixes, there are no
  // shared strings, and cells without a reference follow their left neighbour.
  const QByteArray main = "xmlns:x=\"" + kMain + "\" xmlns:rel=\"" + kDocumentRelationships + "\"";
  const std::vector<ZipPart> parts = {
      {"_rels/.rels", Relationships(Relationship("d", "officeDocument", "/xl/book.xml"))},
      {"xl/book.xml", "<x:workbook " + main +
                          "><x:sheets><x:sheet rel:id=\"s2\"/><x:sheet rel:id=\"s1\"/></x:sheets>"
                          "</x:workbook>"},
      {"xl/_rels/book.xml.rels",
       Relationships(Relationship("s1", "worksheet", "sheets/sheet1.xml") +
                     Relationship("s2", "worksheet", "./sheets/sheet2.xml"))},
      {"xl/sheets/sheet1.xml", "<x:worksheet " + main +
                                   "><x:sheetData><x:row><x:c><x:v>1</x:v></x:c></x:row>"
                                   "</x:sheetData></x:worksheet>"},
      {"xl/sheets/sheet2.xml",
       "<x:worksheet " + main +
           "><x:dimension ref=\"A1:Z99\"/><x:sheetData><x:row r=\"2\">"
           "<x:c r=\"B2\" t=\"inlineStr\"><x:is><x:t>in</x:t></x:is></x:c>"
           "<x:c t=\"inlineStr\"><x:is><x:r><x:t>ru</x:t></x:r><x:rPh><x:t>no</x:t></x:rPh>"
           "<x:r><x:t>ns</x:t></x:r></x:is></x:c><x:c><x:v>7</x:v></x:c></x:row>"
           "<x:row><x:c><x:v>8</x:v></x:c></x:row></x:sheetData></x:worksheet>"},
  };
  const WorksheetTexts result = ReadFirstWorksheet(Write(parts));
  ASSERT_EQ(result.error, SpreadsheetError::None);
  EXPECT_EQ(result.lastRow, 3);  // from the cells, not the dimension
  EXPECT_EQ(result.lastColumn, 4);
  EXPECT_EQ(result.texts, QStringList({"", "", "", "", "", "in", "runs", "7", "8", "", "", ""}));
}

TEST_F(XlsxReader, ValuesKeepTheirMeaning) {
  Book book;
  book.strings = "<si><t>shared</t></si><si><r><t>ri</t></r><r><t>ch</t></r></si>";
  book.styles =
      "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/>"
      "<numFmt numFmtId=\"165\" formatCode=\"0&quot; d&quot;\"/></numFmts>"
      "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
      "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
      "<xf numFmtId=\"21\"/><xf numFmtId=\"22\"/></cellXfs>"
      "<dxfs><dxf><numFmt numFmtId=\"165\" formatCode=\"yyyy\"/></dxf></dxfs>";
  book.sheetData =
      "<row><c t=\"s\"><v>1</v></c><c t=\"s\"><v>0</v></c><c t=\"b\"><v>0</v></c>"
      "<c t=\"e\"><v>#N/A</v></c><c t=\"str\"><f>A1</f><v>calc</v></c>"
      "<c t=\"d\"><v>2024-03-05T14:30:00</v></c><c><v>3.75</v></c><c s=\"0\"><v>45356</v></c>"
      "<c s=\"1\"><v>45356</v></c><c s=\"2\"><v>45356</v></c><c "
      "s=\"3\"><v>0.6041666666666666</v></c>"
      "<c s=\"4\"><v>45356.604166666664</v></c><c s=\"1\"><v>59</v></c><c "
      "s=\"1\"><v>61</v></c></row>";
  const WorksheetTexts result = Read(book);
  ASSERT_EQ(result.error, SpreadsheetError::None);
  EXPECT_EQ(result.texts,
            QStringList({"rich", "shared", "FALSE", "#N/A", "calc", "2024-03-05 14:30:00", "3.75",
                         "45356", "2024/03/05", "45356 d", "14:30:00", "3/5/2024 14:30",
                         "1900/02/28", "1900/03/01"}));
  book.workbookProperties = "<workbookPr date1904=\"true\"/>";
  book.sheetData = "<row><c s=\"1\"><v>43894</v></c><c s=\"1\"><v>0</v></c></row>";
  EXPECT_EQ(Read(book).texts, QStringList({"2024/03/05", "1904/01/01"}));
}

TEST_F(XlsxReader, AFarCellIsCountedNotKept) {
  Book book;
  book.sheetData =
      "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"AX1\"><v>50</v></c>"
      "<c r=\"AZ1\"><v>52</v></c></row>"
      "<row r=\"1048576\"><c r=\"XFD1048576\"><v>2</v></c></row>";
  const WorksheetTexts result = Read(book);
  ASSERT_EQ(result.error, SpreadsheetError::None);
  EXPECT_EQ(result.lastRow, kMaxImportRows);
  EXPECT_EQ(result.lastColumn, kMaxImportColumns);
  EXPECT_EQ(result.rowsLeftOut, 1048076);
  EXPECT_EQ(result.columnsLeftOut, 16334);
  ASSERT_EQ(result.texts.size(), kMaxImportRows * kMaxImportColumns);
  EXPECT_EQ(result.Text(1, 1), u"1");
  EXPECT_EQ(result.Text(1, kMaxImportColumns), u"50");
  EXPECT_EQ(result.Text(kMaxImportRows, kMaxImportColumns), QString());
}

TEST_F(XlsxReader, BadInputGivesItsCodeAndNoTexts) {
  Book good;
  good.sheetData = "<row><c><v>1</v></c></row>";
  std::vector<ZipPart> declaresFourGiB = Parts(good);
  declaresFourGiB[2].declaredSize = std::uint64_t{1} << 32;
  std::vector<ZipPart> bomb = Parts(good);
  bomb[2].data += QByteArray(80 << 20, ' ');  // 80 MiB that the header calls 1 KiB
  bomb[2].declaredSize = 1024;
  std::vector<ZipPart> shortSheet = Parts(good);  // holds less than its header says
  shortSheet[2].declaredSize = shortSheet[2].data.size() + 1;
  Book missingString;
  missingString.sheetData = "<row><c t=\"s\"><v>0</v></c></row>";
  Book badReference;
  badReference.sheetData = "<row><c r=\"XFE1\"><v>1</v></c></row>";
  Book malformed;
  malformed.sheetData = "<row><c><v>1</c></row>";
  std::vector<ZipPart> noWorkbook = Parts(good);
  noWorkbook.erase(noWorkbook.begin() + 1);
  Book badStrings = good;  // a part the sheet does not need is still read whole
  badStrings.strings = "<si><t>a</si>";
  Book badStyles = good;
  badStyles.styles = "<numFmts><numFmt numFmtId=\"164\"</numFmts>";
  std::vector<ZipPart> noSheetPart = Parts(good);
  noSheetPart.erase(noSheetPart.begin() + 2);
  std::vector<ZipPart> noSheets = Parts(good);
  noSheets[1].data = "<workbook xmlns=\"" + kMain + "\"><sheets/></workbook>";

  const QString truncated = Write(Parts(good));
  QFile cut(truncated);
  ASSERT_TRUE(cut.resize(cut.size() / 2));
  const QString empty = Write({});
  ASSERT_TRUE(QFile(empty).resize(0));
  const QString text = folder_.filePath(QStringLiteral("notes.xls"));
  QFile notes(text);
  ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("just some text\n") > 0);
  notes.close();

  const std::pair<QString, SpreadsheetError> cases[] = {
      {Write(declaresFourGiB), SpreadsheetError::Damaged},
      {Write(bomb), SpreadsheetError::Damaged},
      {Write(shortSheet), SpreadsheetError::Damaged},
      {Write(Parts(missingString)), SpreadsheetError::Damaged},
      {Write(Parts(badReference)), SpreadsheetError::Damaged},
      {Write(Parts(malformed)), SpreadsheetError::Damaged},
      {Write(Parts(badStrings)), SpreadsheetError::Damaged},
      {Write(Parts(badStyles)), SpreadsheetError::Damaged},
      {Write(noSheetPart), SpreadsheetError::Damaged},
      {truncated, SpreadsheetError::Damaged},
      {Write(noWorkbook), SpreadsheetError::NotSpreadsheet},
      {Write(noSheets), SpreadsheetError::NoWorksheet},
      {empty, SpreadsheetError::NotSpreadsheet},
      {text, SpreadsheetError::NotSpreadsheet},
      {folder_.filePath(QStringLiteral("absent.xlsx")), SpreadsheetError::Unreadable},
      {folder_.path(), SpreadsheetError::Unreadable},
  };
  for (const auto& [path, error] : cases) {
    const WorksheetTexts result = ReadFirstWorksheet(path);
    EXPECT_EQ(result.error, error) << path.toStdString();
    EXPECT_TRUE(result.texts.isEmpty()) << path.toStdString();
    EXPECT_EQ(result.lastRow + result.lastColumn, 0) << path.toStdString();
  }
}

// Each decoded string and format is charged to the budget: a part that costs exactly
// what is left reads, one byte less refuses it.
TEST(XlsxParts, TheDecodeBudgetHoldsToTheByte) {
  const QByteArray strings =
      "<sst xmlns=\"" + kMain + "\"><si><t>ab</t></si><si><t>c</t></si></sst>";
  const QByteArray styles = "<styleSheet xmlns=\"" + kMain +
                            "\"><numFmts><numFmt numFmtId=\"164\" formatCode=\"0.0\"/></numFmts>"
                            "<cellXfs><xf numFmtId=\"164\"/><xf/></cellXfs></styleSheet>";
  const auto readStrings = [&](DecodeBudget* budget) {
    std::vector<QString> texts;
    return ParseSharedStrings(strings, budget, &texts);
  };
  const auto readStyles = [&](DecodeBudget* budget) {
    std::vector<QString> codes;
    return ParseStyles(styles, budget, &codes);
  };
  const std::pair<std::function<bool(DecodeBudget*)>, std::int64_t> parts[] = {
      {readStrings, 2 * kDecodedEntryBytes + 2 * 3},  // two entries, three characters
      {readStyles, 3 * kDecodedEntryBytes + 2 * 3},   // a format code and two cell formats
  };
  // Every budget short of the cost runs out at one of the entries, and that entry fails
  // the read.
  for (const auto& [read, cost] : parts) {
    DecodeBudget exact(cost);
    EXPECT_TRUE(read(&exact)) << cost;
    for (std::int64_t budget = 0; budget < cost; ++budget) {
      DecodeBudget short_(budget);
      EXPECT_FALSE(read(&short_)) << budget << " of " << cost;
    }
  }
}

}  // namespace
