// Workbooks written by python3-xlwt (.xls) and python3-openpyxl (.xlsx) with the same
// first worksheet, read back alike: values, number formats and formula results; the
// .xls reader on compound files of every layout, its refusals and bounds.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>

#include <memory>

#include "editors/spreadsheet/compound_file.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "editors/spreadsheet/xls_reader.h"

namespace {

class SpreadsheetFixtures : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<QTemporaryDir>();
    QProcess python;
    python.start(QStringLiteral(QUENDRA_SYSTEM_PYTHON),
                 {QStringLiteral(QUENDRA_SPREADSHEET_FIXTURES), folder_->path()});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  }
  static void TearDownTestSuite() { folder_.reset(); }

  static QString Path(const char* name) { return folder_->filePath(QString::fromUtf8(name)); }

  static std::unique_ptr<QTemporaryDir> folder_;
};

std::unique_ptr<QTemporaryDir> SpreadsheetFixtures::folder_;

TEST_F(SpreadsheetFixtures, BothFormatsGiveTheSameTexts) {
  const WorksheetTexts xls = ReadFirstWorksheet(Path("book.xls"));
  const WorksheetTexts xlsx = ReadFirstWorksheet(Path("book.xlsx"));
  for (const WorksheetTexts* book : {&xls, &xlsx}) {
    ASSERT_EQ(book->error, SpreadsheetError::None);
    ASSERT_EQ(book->lastRow, 6);  // the used range starts at C3 and ends at F6
    ASSERT_EQ(book->lastColumn, 6);
    EXPECT_EQ(book->rowsLeftOut, 0);
    for (int column = 1; column <= 6; ++column) {
      EXPECT_EQ(book->Text(1, column), QString()) << column;
      EXPECT_EQ(book->Text(2, column), QString()) << column;
    }
    EXPECT_EQ(book->Text(3, 1), QString());
    EXPECT_EQ(book->Text(3, 3), u"42");
    EXPECT_EQ(book->Text(3, 4), u"3.75");
    EXPECT_EQ(book->Text(3, 5), u"-0.5");
    EXPECT_EQ(book->Text(4, 3), u"1E+20");
    EXPECT_EQ(book->Text(4, 4), u"0.1");
    EXPECT_EQ(book->Text(4, 5), u"-7");
    EXPECT_EQ(book->Text(5, 3), u"表格导入");
    EXPECT_EQ(book->Text(5, 4), u"Привет");
    EXPECT_EQ(book->Text(5, 5), QString());
    EXPECT_EQ(book->Text(6, 3), u"2024-03-05");
    EXPECT_EQ(book->Text(6, 4), u"14:30:00");
    EXPECT_EQ(book->Text(6, 5), u"2024-03-05 14:30:00");
    EXPECT_EQ(book->Text(5, 6), u"TRUE");
  }
}

// Each row holds a value in column A and the text its sheet shows in column B.
TEST_F(SpreadsheetFixtures, CellsComeInAsTheSheetShowsThem) {
  for (const char* name : {"shown.xls", "shown.xlsx", "shown1904.xls", "shown1904.xlsx",
                           "formulas.xls", "formulas.xlsx"}) {
    const WorksheetTexts sheet = ReadFirstWorksheet(Path(name));
    ASSERT_EQ(sheet.error, SpreadsheetError::None) << name;
    ASSERT_EQ(sheet.lastColumn, 2) << name;
    for (int row = 1; row <= sheet.lastRow; ++row) {
      EXPECT_FALSE(sheet.Text(row, 2).isEmpty()) << name << " row " << row;
      EXPECT_EQ(sheet.Text(row, 1).toStdString(), sheet.Text(row, 2).toStdString())
          << name << " row " << row;
    }
    if (QString::fromUtf8(name).startsWith(u"formulas")) {
      // A text result longer than one record; its shared-string twin too.
      EXPECT_EQ(sheet.Text(sheet.lastRow, 1), QStringLiteral("价格 Price ").repeated(1200)) << name;
    }
  }
}

TEST_F(SpreadsheetFixtures, EveryCompoundFileLayoutReadsAlike) {
  const WorksheetTexts book = ReadFirstWorksheet(Path("book.xls"));
  for (const char* name : {"mini.xls", "below_cutoff.xls", "at_cutoff.xls", "wide_sectors.xls",
                           "many_fat_sectors.xls"}) {
    const WorksheetTexts layout = ReadFirstWorksheet(Path(name));
    EXPECT_EQ(layout.error, SpreadsheetError::None) << name;
    EXPECT_EQ(layout.texts, book.texts) << name;
  }
  // A workbook stream of regular sectors, named in any case, is read up to its bound and
  // refused past it. (A mini stream's bound holds the whole mini-stream container.)
  for (const char* name : {"at_cutoff.xls", "wide_sectors.xls", "many_fat_sectors.xls"}) {
    const UniqueFd file(::open(QFile::encodeName(Path(name)).constData(), O_RDONLY | O_CLOEXEC));
    const auto size = static_cast<std::int64_t>(QFileInfo(Path(name)).size());
    QByteArray stream;
    ASSERT_EQ(ReadRootStream(file, size, u"WORKBOOK", std::int64_t{1} << 26, &stream),
              StreamStatus::Read);
    QByteArray again;
    EXPECT_EQ(ReadRootStream(file, size, u"Workbook", stream.size(), &again), StreamStatus::Read);
    EXPECT_EQ(again, stream) << name;
    EXPECT_EQ(ReadRootStream(file, size, u"Workbook", stream.size() - 1, &again),
              StreamStatus::Damaged);
    EXPECT_EQ(ReadRootStream(file, size, u"Book", stream.size(), &again), StreamStatus::Missing);
  }
}

TEST_F(SpreadsheetFixtures, CompoundFilesThatCannotBeReadGiveTheirCode) {
  QFile whole(Path("book.xls"));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  const QByteArray book = whole.readAll();
  const auto write = [this](const char* name, const QByteArray& bytes) {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  };
  // The directory's first entry must be the root; here its type byte is cleared.
  QByteArray rootless = book;
  const int sectorBytes = 1 << qFromLittleEndian<quint16>(book.constData() + 30);
  const auto directory = qFromLittleEndian<quint32>(book.constData() + 48);
  rootless[(directory + 1) * sectorBytes + 66] = 0;
  // mini.xls (512-byte sectors) whose stream's second mini sector, the next of the
  // first in the mini FAT, is the first of the 64-byte sectors past the root's sectors.
  QFile miniFile(Path("mini.xls"));
  ASSERT_TRUE(miniFile.open(QIODevice::ReadOnly));
  QByteArray pastRoot = miniFile.readAll();
  const auto sectorAt = [&pastRoot](int field) {  // where the sector a header field names lies
    return (qFromLittleEndian<quint32>(pastRoot.constData() + field) + 1) * 512;
  };
  const auto rootSize = qFromLittleEndian<quint64>(pastRoot.constData() + sectorAt(48) + 120);
  qToLittleEndian<quint32>((rootSize + 511) / 512 * 8, pastRoot.data() + sectorAt(60));
  const std::pair<QString, SpreadsheetError> cases[] = {
      {Path("locked.xls"), SpreadsheetError::PasswordProtected},
      {write("truncated.xls", book.left(book.size() / 3)), SpreadsheetError::Damaged},
      {write("rootless.xls", rootless), SpreadsheetError::Damaged},
      {write("past_root.xls", pastRoot), SpreadsheetError::Damaged},
      {Path("excel95.xls"), SpreadsheetError::NotSpreadsheet},
      {Path("damaged_string.xls"), SpreadsheetError::Damaged},
      {Path("damaged_runs.xls"), SpreadsheetError::Damaged},
      {Path("damaged_number.xls"), SpreadsheetError::Damaged},
      {Path("damaged_mulrk.xls"), SpreadsheetError::Damaged},
      {Path("damaged_datemode.xls"), SpreadsheetError::Damaged},
      {Path("damaged_sheet.xls"), SpreadsheetError::Damaged},
      {Path("damaged_end.xls"), SpreadsheetError::Damaged},
  };
  for (const auto& [path, error] : cases) {
    // Read in the reader program and, for the sanitizers to watch, in this one.
    for (const WorksheetTexts& result : {ReadFirstWorksheet(path), ReadXlsWorksheet(path)}) {
      EXPECT_EQ(result.error, error) << path.toStdString();
      EXPECT_TRUE(result.texts.isEmpty());
      EXPECT_EQ(result.lastRow, 0);
    }
  }
}

TEST_F(SpreadsheetFixtures, AFarCellOfAnXlsSheetIsLeftOutAndCounted) {
  const WorksheetTexts far = ReadFirstWorksheet(Path("far.xls"));
  ASSERT_EQ(far.error, SpreadsheetError::None);
  EXPECT_EQ(far.lastRow, kMaxImportRows);
  EXPECT_EQ(far.lastColumn, kMaxImportColumns);
  EXPECT_EQ(far.rowsLeftOut, 65536 - kMaxImportRows);
  EXPECT_EQ(far.columnsLeftOut, 256 - kMaxImportColumns);
  EXPECT_EQ(far.texts.size(), kMaxImportRows * kMaxImportColumns);
  EXPECT_EQ(far.Text(kMaxImportRows, kMaxImportColumns), u"2");
}

}  // namespace
