// The reader service: a reader that misbehaves reads as damaged in the importing
// process, and the decoder of the child's answer takes only answers within every bound.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <optional>

#include <signal.h>

#include "editors/spreadsheet/reader_child.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "editors/spreadsheet/worksheet_answer.h"
#include "model/common/regular_file.h"

namespace {

// Writes an executable shell script; false when it cannot.
bool WriteScript(const QString& path, const QByteArray& body) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + body + "\n") >= 0 &&
         file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Waits until the process has ended (a zombie until its parent reaps it); false at the
// deadline.
bool AwaitEnd(pid_t pid, int deadlineMs) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < deadlineMs) {
    QFile status(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = status.readAll();
    if (line.mid(line.lastIndexOf(')') + 2, 1) == "Z") return true;
    QThread::msleep(5);
  }
  return false;
}

// A service whose readers run script, with the given deadline.
class ScriptedService {
 public:
  ScriptedService(const QByteArray& script, int deadlineMs) {
    const QString reader = ReaderPath();
    const QString program = folder_.filePath(QStringLiteral("service"));
    valid_ = WriteScript(reader, script) &&
             WriteScript(program, "exec '" FAKE_READER_SERVICE "' '" + QFile::encodeName(reader) +
                                      "' \"$@\"") &&
             OpenRegularFile(reader, &input_) == 0;
    service_.emplace(program, deadlineMs);
  }

  bool Valid() const { return valid_; }
  QString ReaderPath() const { return folder_.filePath(QStringLiteral("reader")); }
  WorksheetTexts Read() { return service_->Read(input_.Get(), WorkbookKind::Xls); }

 private:
  QTemporaryDir folder_;
  bool valid_ = false;
  UniqueFd input_;
  std::optional<ReaderService> service_;
};

TEST(ReaderService, AReaderThatMisbehavesReadsAsDamagedAndTheServiceGoesOn) {
  // Only a reader that neither ends nor answers too much lasts until the deadline; the
  // others have one so long that a busy machine cannot reach it, and must end before it.
  constexpr int kShortDeadlineMs = 1000;
  constexpr int kLongDeadlineMs = 20000;
  const struct {
    const char* script;
    SpreadsheetError error;
    bool lastsToDeadline;
  } readers[] = {
      {"printf 'KQW1\\005'", SpreadsheetError::NoWorksheet, false},  // a well-behaved reader
      {"kill -SEGV $$", SpreadsheetError::Damaged, false},
      {"printf 'KQW1\\005'; exit 1", SpreadsheetError::Damaged, false},
      {"printf 'KQW1\\000\\001'", SpreadsheetError::Damaged, false},
      {"/usr/bin/head -c 40000000 /dev/zero; exec /bin/sleep 30", SpreadsheetError::Damaged, false},
      {"printf 'KQW1\\005'; exec /bin/sleep 30", SpreadsheetError::Damaged, true},
      {"printf 'KQW1\\005'; exec >&-; exec /bin/sleep 30", SpreadsheetError::Damaged, true},
      {"kill -KILL $PPID; printf 'KQW1\\005'", SpreadsheetError::Damaged, false},
  };
  for (const auto& reader : readers) {
    ScriptedService service(reader.script,
                            reader.lastsToDeadline ? kShortDeadlineMs : kLongDeadlineMs);
    ASSERT_TRUE(service.Valid());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(service.Read().error, reader.error) << reader.script;
    if (reader.lastsToDeadline) {
      EXPECT_GE(clock.elapsed(), kShortDeadlineMs) << reader.script;
    }
    EXPECT_LT(clock.elapsed(), kLongDeadlineMs) << reader.script;
  }

  // One service serves read after read, and one that ended since the last read is
  // started again for the next: each reader names its service, which the test ends.
  ScriptedService service("echo $PPID >\"$0.service\"; printf 'KQW1\\005'", kLongDeadlineMs);
  ASSERT_TRUE(service.Valid());
  for (int read = 0; read < 3; ++read) {
    EXPECT_EQ(service.Read().error, SpreadsheetError::NoWorksheet) << read;
    QFile named(service.ReaderPath() + QStringLiteral(".service"));
    ASSERT_TRUE(named.open(QIODevice::ReadOnly));
    const pid_t pid = named.readAll().trimmed().toInt();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGKILL), 0);
    EXPECT_TRUE(AwaitEnd(pid, kLongDeadlineMs));
  }
}

template <typename T>
QByteArray LittleEndian(T value) {
  QByteArray bytes(sizeof(T), '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

// An answer of rows x columns cells, each a text of units code units.
QByteArray Answer(quint16 rows, quint16 columns, quint32 rowsLeftOut = 0,
                  quint32 columnsLeftOut = 0, quint32 units = 1) {
  QByteArray answer = "KQW1" + LittleEndian<quint8>(0) + LittleEndian(rows) +
                      LittleEndian(columns) + LittleEndian(rowsLeftOut) +
                      LittleEndian(columnsLeftOut);
  const QByteArray text = LittleEndian(units) + QByteArray("x", 2).repeated(units);
  for (int cell = 0; cell < rows * columns; ++cell) answer += text;
  return answer;
}

// A cell's field naming an earlier cell whose text it shares.
QByteArray Reference(quint32 cell) { return LittleEndian(cell | 0x80000000); }

TEST(WorksheetAnswer, ResultsCrossWholeAndEveryBoundHolds) {
  WorksheetTexts sheet;
  sheet.lastRow = 2;
  sheet.lastColumn = 2;
  sheet.texts = {QStringLiteral("42"), QString(), QStringLiteral("表格导入"),
                 QString(QChar(0xD800))};
  const WorksheetTexts back = DecodeWorksheetAnswer(EncodeWorksheetAnswer(sheet));
  EXPECT_EQ(back.error, SpreadsheetError::None);
  EXPECT_EQ(back.texts, sheet.texts);
  // A text many cells share crosses once and stays shared.
  WorksheetTexts shared = sheet;
  shared.texts[1] = shared.texts[3] = shared.texts[2];
  const QByteArray sharedAnswer = EncodeWorksheetAnswer(shared);
  EXPECT_EQ(sharedAnswer.size(), 17 + (4 + 4) + (4 + 8) + 4 + 4);  // header, then the cells
  const WorksheetTexts sharedBack = DecodeWorksheetAnswer(sharedAnswer);
  EXPECT_EQ(sharedBack.texts, shared.texts);
  EXPECT_EQ(sharedBack.texts[3].constData(), sharedBack.texts[1].constData());
  WorksheetTexts locked;
  locked.error = SpreadsheetError::PasswordProtected;
  EXPECT_EQ(DecodeWorksheetAnswer(EncodeWorksheetAnswer(locked)).error, locked.error);

  const WorksheetTexts largest = DecodeWorksheetAnswer(Answer(500, 50, 7, 9));
  ASSERT_EQ(largest.error, SpreadsheetError::None);
  EXPECT_EQ(largest.rowsLeftOut, 7);
  EXPECT_EQ(largest.columnsLeftOut, 9);
  EXPECT_EQ(largest.texts.size(), 500 * 50);
  EXPECT_EQ(largest.Text(500, 50), u"x");

  const std::pair<QByteArray, SpreadsheetError> answers[] = {
      {Answer(1, 1, 0, 0, 32767), SpreadsheetError::None},
      {Answer(1, 1, 0, 0, 32768), SpreadsheetError::Damaged},
      {Answer(500, 50, 0, 0, 669), SpreadsheetError::None},  // just under kMaxAnswerBytes
      {Answer(500, 50, 0, 0, 670), SpreadsheetError::Damaged},
      {Answer(0, 1), SpreadsheetError::Damaged},
      {Answer(1, 0), SpreadsheetError::Damaged},
      {Answer(501, 1), SpreadsheetError::Damaged},
      {Answer(1, 51), SpreadsheetError::Damaged},
      {Answer(499, 1, 1, 0), SpreadsheetError::Damaged},
      {Answer(1, 49, 0, 1), SpreadsheetError::Damaged},
      {Answer(1, 2).chopped(1), SpreadsheetError::Damaged},
      {Answer(1, 2).chopped(2), SpreadsheetError::Damaged},  // a count, then no text
      // A reference only to an earlier cell that carries its own non-empty text.
      {Answer(1, 2).chopped(6) + Reference(0), SpreadsheetError::None},
      {Answer(1, 1).chopped(6) + Reference(0), SpreadsheetError::Damaged},
      {Answer(1, 2).chopped(12) + Reference(1) + Answer(1, 1).right(6), SpreadsheetError::Damaged},
      {Answer(1, 3).chopped(12) + Reference(0) + Reference(1), SpreadsheetError::Damaged},
      {Answer(1, 2, 0, 0, 0).chopped(4) + Reference(0), SpreadsheetError::Damaged},
      {Answer(1, 2) + 'x', SpreadsheetError::Damaged},
      {"KQW2" + Answer(1, 1).mid(4), SpreadsheetError::Damaged},
      {"KQW1\x05", SpreadsheetError::NoWorksheet},
      {"KQW1\x05x", SpreadsheetError::Damaged},
      {"KQW1\x06", SpreadsheetError::Damaged},
      {"", SpreadsheetError::Damaged},
  };
  int row = 0;
  for (const auto& [answer, error] : answers) {
    const WorksheetTexts result = DecodeWorksheetAnswer(answer);
    EXPECT_EQ(result.error, error) << row;
    EXPECT_EQ(result.texts.isEmpty(), error != SpreadsheetError::None) << row;
    ++row;
  }

  // A result past the bounds is answered as damaged, never cut.
  WorksheetTexts longText = sheet;
  longText.texts[3] = QString(32768, u'x');
  WorksheetTexts tooMuch;
  tooMuch.lastRow = 500;
  tooMuch.lastColumn = 50;
  for (int cell = 0; cell < 500 * 50; ++cell) tooMuch.texts.append(QString(670, u'x'));
  for (const WorksheetTexts& result : {longText, tooMuch}) {
    EXPECT_EQ(EncodeWorksheetAnswer(result), QByteArray("KQW1\x03"));
  }
  // Distinct texts up to 5 or 3 bytes below the bound, then the first text again: its
  // 4-byte reference fits under the bound, or crosses it.
  constexpr int kCells = 500 * 50;
  for (const auto& [below, fits] : {std::pair{5, true}, {3, false}}) {
    WorksheetTexts repeated = tooMuch;
    const qsizetype units = (kMaxAnswerBytes - below - 17 - 4 * (kCells - 1)) / 2;
    for (int cell = 0; cell < kCells - 1; ++cell) {
      const qsizetype length = units / (kCells - 1) + (cell < units % (kCells - 1) ? 1 : 0);
      repeated.texts[cell] = QString::number(cell).rightJustified(length, u'x');
    }
    repeated.texts[kCells - 1] = repeated.texts[0];
    const QByteArray answer = EncodeWorksheetAnswer(repeated);
    EXPECT_EQ(answer.size(), fits ? kMaxAnswerBytes - below + 4 : 5) << below;
  }
}

}  // namespace
