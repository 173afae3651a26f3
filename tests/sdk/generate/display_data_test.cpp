// Display data generation: header, program records, image-text blocks with their
// pages, regeneration only after a change, snapshots, and the refusals.

#include <QFile>

#include <atomic>
#include <thread>

#include "sdk/program/program_handles.h"
#include "tests/sdk/generate/display_data_test_support.h"

namespace {

using ddtest::Generated;
using ddtest::OwnedProgram;
using ddtest::TestFile;
using ddtest::Utf16;

constexpr PageInfo kPage{3, 9, 4, 5};

AreaRect Rect(int x, int y, int width, int height) { return {x, y, width, height}; }

QString EmptyFile(const QString& name) {
  QFile file(TestFile(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  return file.fileName();
}

int AddPage(ProgramHandle handle, int program, int area, const QString& path,
            const PageInfo& page = kPage) {
  return KQ_AddImageTextAreaDataFromFile(handle, program, area, Utf16(path), &page);
}

TEST(DisplayData, AnEmptySetIsTheThirtyByteHeaderWithItsModeByte) {
  const std::pair<int, int> modes[] = {{0, 0}, {1, 0xF2}, {2, 0xF1}, {5, 0}};
  for (const auto& [mode, modeByte] : modes) {
    const OwnedProgram set(KQ_CreateProgram(0x1234, 0x0120, 3, mode));
    DisplaySnapshot data;
    ASSERT_EQ(SnapshotDisplayData(set.get(), data), KQ_OK);
    std::vector<std::uint8_t> expected(30, 0);
    expected[16] = 0x34;
    expected[17] = 0x12;
    expected[18] = 0x20;
    expected[19] = 0x01;
    expected[20] = 3;
    expected[22] = static_cast<std::uint8_t>(modeByte);
    EXPECT_EQ(*data, expected) << "header mode " << mode;
  }
}

TEST(DisplayData, ProgramRecordsCarryIndexLengthAndScheduleAsSet) {
  const OwnedProgram set(KQ_CreateProgram(128, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 2, 0x12345, 0x1FF), KQ_OK);
  ASSERT_EQ(KQ_AddProgram(set.get(), 7, 60, 1), KQ_OK);
  const ProgramTimeInfo time{0x107, 0x7F, 2026, 12, 24, 8, 30, 0, 2027, 1, 6, 22, 15, 59};
  ASSERT_EQ(KQ_SetProgramTime(set.get(), 7, &time), KQ_OK);
  // Text pages are rendered into frame files by the main program: they add nothing.
  const AreaRect rect = Rect(8, 0, 64, 16);
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 7, 4, &rect, 0), KQ_OK);
  ASSERT_EQ(AddPage(set.get(), 7, 4, EmptyFile("notes.txt")), KQ_OK);
  ASSERT_EQ(AddPage(set.get(), 7, 4, EmptyFile("notes.rtf")), KQ_OK);

  const emu::DisplayData data = Generated(set.get());
  ASSERT_EQ(data.programs.size(), 2u);
  const emu::DisplayProgram& first = data.programs[0];
  EXPECT_EQ(first.index, 0);
  EXPECT_EQ(first.length, 25u);
  EXPECT_EQ(first.playTime, 0x2345);
  EXPECT_EQ(first.loopCount, 0xFF);
  EXPECT_EQ(first.start, emu::CardTime{});
  const emu::DisplayProgram& second = data.programs[1];
  EXPECT_EQ(second.index, 1);
  EXPECT_EQ(second.length, 25u + 16);
  EXPECT_EQ(second.playTime, 60);
  EXPECT_EQ(second.timeFlags, 7);
  EXPECT_EQ(second.weekdayMask, 0x7F);
  EXPECT_EQ(second.start, (emu::CardTime{2026, 12, 24, 8, 30, 0}));
  EXPECT_EQ(second.end, (emu::CardTime{2027, 1, 6, 22, 15, 59}));
  ASSERT_EQ(second.areas.size(), 1u);
  const emu::DisplayArea& area = second.areas[0];
  EXPECT_EQ(area.layer, 0);
  EXPECT_EQ(area.kind, 1);
  EXPECT_EQ(area.length, 16u);
  EXPECT_EQ(area.left, 8);
  EXPECT_EQ(area.right, 71);
  EXPECT_EQ(area.bottom, 15);
  EXPECT_EQ(area.frameTotal, 0);
}

TEST(DisplayData, GeneratesAgainOnlyAfterAChangeAndSnapshotsStayAsTaken) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 1, 10, 1), KQ_OK);
  DisplaySnapshot first;
  ASSERT_EQ(SnapshotDisplayData(set.get(), first), KQ_OK);
  const std::vector<std::uint8_t> firstBytes = *first;

  EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_OK);
  DisplaySnapshot again;
  ASSERT_EQ(SnapshotDisplayData(set.get(), again), KQ_OK);
  EXPECT_EQ(again.get(), first.get()) << "a clean set keeps the data of its last generation";

  ASSERT_EQ(KQ_AddProgram(set.get(), 2, 10, 1), KQ_OK);
  DisplaySnapshot changed;
  ASSERT_EQ(SnapshotDisplayData(set.get(), changed), KQ_OK);
  EXPECT_NE(changed.get(), first.get());
  EXPECT_EQ(changed->size(), 30u + 25 + 25);
  EXPECT_EQ(*first, firstBytes) << "a snapshot taken before is never changed";

  EXPECT_EQ(KQ_GenerateProgramData(nullptr), KQ_ERR_BAD_HANDLE);
  DisplaySnapshot none;
  EXPECT_EQ(SnapshotDisplayData(nullptr, none), KQ_ERR_BAD_HANDLE);
  EXPECT_EQ(none, nullptr);
}

TEST(DisplayData, SendsSeeWholeGenerationsWhileTheSetChanges) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  std::atomic<bool> done{false};
  std::thread changer([&] {
    for (int number = 1; number <= 200; ++number) {
      EXPECT_EQ(KQ_AddProgram(set.get(), number, 0, 1), KQ_OK);
      EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_OK);
    }
    done = true;
  });
  while (!done) {
    DisplaySnapshot data;
    ASSERT_EQ(SnapshotDisplayData(set.get(), data), KQ_OK);
    emu::DisplayData decoded;
    ASSERT_EQ(emu::DecodeDisplayData(*data, decoded), "");
  }
  changer.join();
}

TEST(DisplayData, CountsTheCardsFieldsCannotHoldAreRefused) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  for (int number = 1; number <= 255; ++number) {
    ASSERT_EQ(KQ_AddProgram(set.get(), number, 0, 1), KQ_OK);
  }
  const emu::DisplayData full = Generated(set.get());
  ASSERT_EQ(full.programs.size(), 255u);
  EXPECT_EQ(full.programs.back().index, 254);

  ASSERT_EQ(KQ_AddProgram(set.get(), 256, 0, 1), KQ_OK);
  EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_ERR_BAD_SIZE);
  DisplaySnapshot kept;
  EXPECT_EQ(SnapshotDisplayData(set.get(), kept), KQ_ERR_BAD_SIZE) << "the set stays dirty";

  const OwnedProgram areas(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(areas.get(), 1, 0, 1), KQ_OK);
  for (int number = 0; number < 256; ++number) {
    const AreaRect rect = Rect(number, 0, 1, 1);
    ASSERT_EQ(KQ_AddImageTextArea(areas.get(), 1, number, &rect, 1), KQ_OK);
  }
  EXPECT_EQ(KQ_GenerateProgramData(areas.get()), KQ_ERR_BAD_SIZE);
}

TEST(DisplayData, AFailingPageEndsGenerationAndKeepsTheLastData) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 1, 10, 1), KQ_OK);
  DisplaySnapshot before;
  ASSERT_EQ(SnapshotDisplayData(set.get(), before), KQ_OK);

  const AreaRect rect = Rect(0, 0, 64, 32);
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 1, 1, &rect, 1), KQ_OK);
  const QString frames = ddtest::WriteFrameFile("page.pak", {ddtest::Pattern(64, 32)});
  ASSERT_EQ(AddPage(set.get(), 1, 1, frames), KQ_OK);
  ASSERT_TRUE(QFile::remove(frames));
  EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_ERR_FILE);
  EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_ERR_FILE) << "the set stays dirty";

  QFile garbage(frames);
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
  garbage.write(QByteArray(64, 'x'));
  garbage.close();
  DisplaySnapshot failed;
  EXPECT_EQ(SnapshotDisplayData(set.get(), failed), KQ_ERR_FRAME_MAGIC);
  EXPECT_EQ(failed, nullptr);
  EXPECT_EQ(FindProgramSet(set.get())->DisplayData, before) << "the last data stays";

  ddtest::WriteFrameFile("page.pak", {ddtest::Pattern(64, 32)});
  EXPECT_EQ(Generated(set.get()).programs.at(0).areas.at(0).frameTotal, 1);
}

TEST(DisplayData, AStillPictureBecomesOneFrameOfItsPixelsThresholded) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 2, 10, 1), KQ_OK);
  const AreaRect rect = Rect(0, 0, 64, 32);
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 2, 1, &rect, 1), KQ_OK);
  const QImage picture = ddtest::Pattern(64, 32);
  const QString path = TestFile("still.png");
  ASSERT_TRUE(picture.save(path));
  ASSERT_EQ(AddPage(set.get(), 2, 1, path), KQ_OK);

  DisplaySnapshot bytes;
  const emu::DisplayData data = Generated(set.get(), &bytes);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->size(), 30u + 305);
  const emu::DisplayArea& area = data.programs.at(0).areas.at(0);
  EXPECT_EQ(data.programs[0].length, 305u);
  EXPECT_EQ(area.length, 280u);
  ASSERT_EQ(area.frames.size(), 1u);
  const emu::PageFrame& frame = area.frames[0];
  EXPECT_EQ(frame.effect, kPage.Effect);
  EXPECT_EQ(frame.speed, kPage.Speed);
  EXPECT_EQ(frame.stay, kPage.StayTime);
  EXPECT_EQ(frame.width, 64);
  EXPECT_EQ(frame.height, 32);
  ddtest::ExpectFrameShows(frame, area, picture, 1);
}

TEST(DisplayData, PagesPutAllIndexEntriesBeforeAllPlanes) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 3, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 1, 10, 1), KQ_OK);
  const AreaRect rect = Rect(3, 2, 21, 9);  // starts inside a byte
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 1, 1, &rect, 1), KQ_OK);
  const QImage one = ddtest::Pattern(21, 9);
  const QImage two = one.mirrored(true, false);
  const QImage three = one.mirrored(false, true);
  const PageInfo second{1, 0, 2, 300};
  ASSERT_EQ(AddPage(set.get(), 1, 1, ddtest::WriteFrameFile("first.pak", {one, two})), KQ_OK);
  ASSERT_EQ(AddPage(set.get(), 1, 1, ddtest::WriteFrameFile("second.pak", {three}), second), KQ_OK);

  const emu::DisplayArea area = Generated(set.get()).programs.at(0).areas.at(0);
  ASSERT_EQ(area.frameTotal, 3);
  EXPECT_EQ(area.frames[1].effect, kPage.Effect);
  EXPECT_EQ(area.frames[2].effect, second.Effect);
  EXPECT_EQ(area.frames[2].stay, second.StayTime);
  ddtest::ExpectFrameShows(area.frames[0], area, one, 3);
  ddtest::ExpectFrameShows(area.frames[1], area, two, 3);
  ddtest::ExpectFrameShows(area.frames[2], area, three, 3);
}

TEST(DisplayData, MoreFramesThanTheSixteenBitTotalAreRefused) {
  const OwnedProgram set(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(set.get(), 1, 10, 1), KQ_OK);
  const AreaRect rect = Rect(0, 0, 1, 1);
  ASSERT_EQ(KQ_AddImageTextArea(set.get(), 1, 1, &rect, 1), KQ_OK);
  const QString frames =
      ddtest::WriteFrameFile("many.pak", std::vector<QImage>(32768, ddtest::Pattern(1, 1)));
  ASSERT_EQ(AddPage(set.get(), 1, 1, frames), KQ_OK);
  ASSERT_EQ(AddPage(set.get(), 1, 1, frames), KQ_OK);
  EXPECT_EQ(KQ_GenerateProgramData(set.get()), KQ_ERR_BAD_SIZE);

  const OwnedProgram fits(KQ_CreateProgram(64, 32, 1, 0));
  ASSERT_EQ(KQ_AddProgram(fits.get(), 1, 10, 1), KQ_OK);
  ASSERT_EQ(KQ_AddImageTextArea(fits.get(), 1, 1, &rect, 1), KQ_OK);
  ASSERT_EQ(AddPage(fits.get(), 1, 1, frames), KQ_OK);
  const QString rest =
      ddtest::WriteFrameFile("rest.pak", std::vector<QImage>(32767, ddtest::Pattern(1, 1)));
  ASSERT_EQ(AddPage(fits.get(), 1, 1, rest), KQ_OK);
  EXPECT_EQ(Generated(fits.get()).programs.at(0).areas.at(0).frameTotal, 65535);
}

}  // namespace
