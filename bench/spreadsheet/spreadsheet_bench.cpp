// Reading a 500 x 50 .xlsx of numbers and shared strings, against the least any
// reader of the workbook does: inflating its sheet and shared strings from the zip and
// one bare QXmlStreamReader pass over them. Goal: the import takes at most twice that.
// The import also forks the confined reader that reads the workbook and takes its
// answer, which the yardstick does not. The reader service it forks from starts at the
// first import, as in the program, and so falls into the first repetition only.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>

#include "bench/support/ratio_reporter.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "editors/spreadsheet/xlsx_package.h"
#include "tests/support/zip_writer.h"

namespace {

constexpr double kGoalRatio = 2.0;
constexpr int kDistinctStrings = 1000;

const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray Relationship(const char* id, const char* kind, const char* target) {
  return QByteArray("<Relationship Id=\"") + id + "\" Type=\"" + kRelationships + "/" + kind +
         "\" Target=\"" + target + "\"/>";
}

QByteArray Relationships(const QByteArray& body) {
  return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
         body + "</Relationships>";
}

// "A1", "AX500": column from 0, row from 1.
QByteArray Reference(int row, int column) {
  QByteArray letters;
  for (int n = column + 1; n > 0; n = (n - 1) / 26) {
    letters.prepend(static_cast<char>('A' + (n - 1) % 26));
  }
  return letters + QByteArray::number(row);
}

// Every other column a number (whole or not), the rest shared strings.
QByteArray SheetXml() {
  QByteArray xml = "<worksheet xmlns=\"" + kMain + "\"><sheetData>";
  for (int row = 1; row <= kMaxImportRows; ++row) {
    xml += "<row r=\"" + QByteArray::number(row) + "\">";
    for (int column = 0; column < kMaxImportColumns; ++column) {
      const QByteArray reference = Reference(row, column);
      const int value = row * kMaxImportColumns + column;
      xml += column % 2
                 ? "<c r=\"" + reference + "\" t=\"s\"><v>" +
                       QByteArray::number(value % kDistinctStrings) + "</v></c>"
                 : "<c r=\"" + reference + "\"><v>" + QByteArray::number(value * 0.25) + "</v></c>";
    }
    xml += "</row>";
  }
  return xml + "</sheetData></worksheet>";
}

QByteArray SharedStringsXml() {
  QByteArray xml = "<sst xmlns=\"" + kMain + "\">";
  for (int i = 0; i < kDistinctStrings; ++i) {
    xml += "<si><t>text number " + QByteArray::number(i) + "</t></si>";
  }
  return xml + "</sst>";
}

struct Workbook {
  QTemporaryDir folder;
  QString path = folder.filePath(QStringLiteral("book.xlsx"));

  Workbook() {
    const bool written = ziptest::WriteZip(
        path,
        {{"_rels/.rels", Relationships(Relationship("r", "officeDocument", "xl/workbook.xml"))},
         {"xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships +
                                 "\"><sheets><sheet r:id=\"s\"/></sheets></workbook>"},
         {"xl/_rels/workbook.xml.rels",
          Relationships(Relationship("s", "worksheet", "sheet.xml") +
                        Relationship("t", "sharedStrings", "strings.xml"))},
         {"xl/sheet.xml", SheetXml()},
         {"xl/strings.xml", SharedStringsXml()}});
    if (!written) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  }
};

const Workbook& Book() {
  static const Workbook book;
  return book;
}

void BM_ReadXlsx(benchmark::State& state) {
  for (auto _ : state) {
    const WorksheetTexts result = ReadFirstWorksheet(Book().path);
    if (result.error != SpreadsheetError::None) state.SkipWithError("the workbook was not read");
    benchmark::DoNotOptimize(result.texts.constData());
  }
}

void BM_BareXmlPass(benchmark::State& state) {
  for (auto _ : state) {
    XlsxPackage package;
    if (!package.Open(Book().path)) state.SkipWithError("the workbook was not opened");
    qint64 tokens = 0;
    for (const char* name : {"xl/strings.xml", "xl/sheet.xml"}) {
      QByteArray part;
      if (package.Read(QString::fromLatin1(name), &part) != PartStatus::Read) {
        state.SkipWithError("a part was not read");
      }
      QXmlStreamReader xml(part);
      while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
      }
    }
    benchmark::DoNotOptimize(tokens);
  }
}

BENCHMARK(BM_ReadXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareXmlPass)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The import finds its reader program beside the executable, through the application.
  QCoreApplication application(argc, argv);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    std::printf("import %.2f ms, inflation and bare XML pass %.2f ms\n",
                reporter.Seconds("BM_ReadXlsx") * 1e3, reporter.Seconds("BM_BareXmlPass") * 1e3);
    reporter.Goal(
        "500 x 50 .xlsx import against inflating its parts and a bare QXmlStreamReader pass",
        reporter.Ratio("BM_ReadXlsx", "BM_BareXmlPass"), kGoalRatio);
  });
}
