// The check before sending, on jobs made in the model, and the texts of result codes
// from a language file written by the test.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "app/builder/program_builder.h"
#include "app/builder/send_checks.h"
#include "app/builder/send_error_text.h"
#include "model/common/app_dir.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/settings/lang_text.h"
#include "tests/support/project_building.h"

namespace {

using testsupport::PlaceArea;

ScreenSendJob JobOf(ScreenRecord& screen) {
  ScreenSendJob job{&screen, {}};
  for (const auto& program : screen.Programs) {
    ProgramSendItem& item = job.Programs.emplace_back(ProgramSendItem{program.get(), {}});
    for (const auto& area : program->Areas) item.Areas.push_back(area.get());
  }
  return job;
}

TEST(SendChecks, FirstFailureInJobOrderOverlapBeforeEmptyItems) {
  ScreenRecord screen{};
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -3);
  ProgramRecord& first = AddProgram(screen);
  PlaceArea(first, kSingleLineArea, 0, 0, 32, 16);
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), 0);
  // Areas sharing an edge pass on both axes.
  PlaceArea(first, kDigitalClockArea, 32, 0, 64, 16);
  PlaceArea(first, kAnalogClockArea, 0, 16, 32, 32);
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), 0);
  // One pixel of overlap with an empty image-text area after it: the overlap is found first.
  PlaceArea(first, kImageTextArea, 31, 15, 40, 20);
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -1);
  first.Areas.back()->AreaRect_Left = 40;
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -2);
  first.Areas.pop_back();
  PlaceArea(first, kFilesArea, 64, 0, 70, 8);
  PlaceArea(first, kFlashWordArea, 70, 0, 80, 8);
  FileAreaItem& file = std::get<std::vector<FileAreaItem>>(first.Areas[3]->Kind).emplace_back();
  const QString picture = GetAppDir() + "p.png";
  static_cast<void>(CopyBoundedText(file.FilePath, picture));
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -5);  // not there
  ASSERT_TRUE(QImage(2, 2, QImage::Format_RGB32).save(picture));
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -2);  // the flash words are empty
  std::get<std::vector<FlashWordItem>>(first.Areas[4]->Kind).emplace_back();
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), 0);
  // A program without areas before one with overlapping areas.
  PlaceArea(first, kCountdownArea, 10, 10, 11, 11);
  ProgramRecord& last = AddProgram(screen);
  std::swap(screen.Programs.front(), screen.Programs.back());
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -4);
  PlaceArea(last, kSingleLineArea, 0, 0, 8, 8);
  EXPECT_EQ(CheckProgramsBeforeSend(JobOf(screen)), -1);
}

TEST(SendErrorText, MappedCodesInParenthesesOthersWithTheGenericText) {
  LangIniPath = GetAppDir() + "texts.ini";
  QFile file(LangIniPath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QByteArray texts = "[IDD_QUENDRA_DIALOG]\n3001=Error %s %d %1\n2005=\n";
  for (int key = 2000; key <= 2016; ++key) {
    if (key != 2005) texts += QByteArray::number(key) + "=t" + QByteArray::number(key) + " 100%\n";
  }
  file.write(texts);
  file.close();

  const std::int32_t codes[] = {
      55971, 54704, 54708, 55992, 49594, -10,  -8,   -12,
      -17,   -30,   -36,   -37,   -100,  -102, -104, kRefusalTextPageLimit,
      -18};
  for (int key = 2000; key <= 2016; ++key) {
    if (key == 2005) continue;
    EXPECT_EQ(GetSendErrorText(codes[key - 2000]), QString("(t%1 100%)").arg(key));
  }
  EXPECT_EQ(GetSendErrorText(-5), "(Error %s %d %1:-5)");
  EXPECT_EQ(GetSendErrorText(-10), "(Error %s %d %1:-10)");  // its text is empty
  EXPECT_EQ(GetSendErrorText(0xDAA4), "(Error %s %d %1:55972)");
  LangIniPath.clear();
}

}  // namespace
