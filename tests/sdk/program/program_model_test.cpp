// The program-model calls: handle checks, numbers, the overlap rule per layer,
// rectangle refusals, settings copies and pages.

#include <gtest/gtest.h>

#include <QFile>

#include <climits>
#include <cstdint>
#include <memory>

#include "model/common/app_dir.h"
#include "sdk/Corvanix.h"
#include "sdk/program/program_handles.h"

namespace {

struct HandleDeleter {
  void operator()(ProgramSetTag* handle) const { KQ_DeleteProgram(handle); }
};
using OwnedProgram = std::unique_ptr<ProgramSetTag, HandleDeleter>;

OwnedProgram NewProgramSet() { return OwnedProgram(KQ_CreateProgram(256, 64, 3, 0)); }

const char16_t* Utf16(const QString& text) {
  return reinterpret_cast<const char16_t*>(text.utf16());
}

AreaRect Rect(int x, int y, int width, int height) { return {x, y, width, height}; }

class ProgramModel : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(set_, nullptr);
    ASSERT_EQ(KQ_AddProgram(handle(), 1, 10, 1), KQ_OK);
  }
  ProgramHandle handle() const { return set_.get(); }
  const ProgramEntry& program() const { return FindProgramSet(handle())->Programs.front(); }

  OwnedProgram set_ = NewProgramSet();
  DigitalClockAreaInfo digital_{};
  ClockAreaInfo analog_{};
  TimeAreaInfo countdown_{};
  WaterBorderInfo border_{};
};

TEST(ProgramHandles, DeadAndForgedHandlesAreRefusedEverywhere) {
  const ProgramHandle deleted = KQ_CreateProgram(64, 32, 1, 0);
  ASSERT_NE(deleted, nullptr);
  EXPECT_EQ(KQ_DeleteProgram(deleted), 1);
  const AreaRect rect = Rect(0, 0, 8, 8);
  const ProgramTimeInfo time{};
  const PageInfo page{};
  const DigitalClockAreaInfo info{};
  for (const ProgramHandle handle :
       {ProgramHandle{}, reinterpret_cast<ProgramHandle>(std::uintptr_t{0xCCCCCCCC}), deleted,
        reinterpret_cast<ProgramHandle>(std::uintptr_t{0x7FFF0000})}) {
    EXPECT_EQ(KQ_AddProgram(handle, 1, 0, 1), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(KQ_SetProgramTime(handle, 1, &time), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(KQ_AddImageTextArea(handle, 1, 1, &rect, 1), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(KQ_AddDigitalClockArea(handle, 1, 1, nullptr, &info), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(KQ_AddImageTextAreaDataFromFile(handle, 1, 1, u"a.png", &page), KQ_ERR_BAD_HANDLE);
    EXPECT_EQ(KQ_DeleteProgram(handle), KQ_ERR_BAD_HANDLE);
  }
}

TEST(ProgramHandles, CreateRefusesSizesAndColourTypesTheCardCannotTake) {
  EXPECT_EQ(KQ_CreateProgram(0, 32, 1, 0), nullptr);
  EXPECT_EQ(KQ_CreateProgram(64, -1, 1, 0), nullptr);
  EXPECT_EQ(KQ_CreateProgram(65536, 32, 1, 0), nullptr);
  EXPECT_EQ(KQ_CreateProgram(64, 32, 0, 0), nullptr);
  EXPECT_EQ(KQ_CreateProgram(64, 32, 4, 0), nullptr);
  const OwnedProgram largest(KQ_CreateProgram(65535, 65535, 3, 2));
  ASSERT_NE(largest, nullptr);
  const auto set = FindProgramSet(largest.get());
  EXPECT_EQ(set->HeaderMode, 2);
  EXPECT_TRUE(set->Dirty);
  EXPECT_TRUE(set->Programs.empty());
}

TEST(ProgramHandles, ASetHeldBySendOutlivesItsDeletion) {
  const ProgramHandle handle = KQ_CreateProgram(64, 32, 1, 0);
  ASSERT_EQ(KQ_AddProgram(handle, 7, 0, 1), KQ_OK);
  const std::shared_ptr<ProgramSet> held = FindProgramSet(handle);
  EXPECT_EQ(KQ_DeleteProgram(handle), 1);
  EXPECT_EQ(FindProgramSet(handle), nullptr);
  ASSERT_EQ(held->Programs.size(), 1u);
  EXPECT_EQ(held->Programs[0].Number, 7);
}

TEST_F(ProgramModel, ProgramNumbersAreUniqueAndTimesCopied) {
  EXPECT_EQ(KQ_AddProgram(handle(), 3, 20, 2), KQ_OK);
  EXPECT_EQ(KQ_AddProgram(handle(), 3, 30, 4), KQ_ERR_PROGRAM_EXISTS);
  const auto set = FindProgramSet(handle());
  ASSERT_EQ(set->Programs.size(), 2u);
  EXPECT_EQ(set->Programs[1].PlayTime, 20);

  ProgramTimeInfo time{};
  time.TimeFlags = 5;
  time.EndSecond = 59;
  EXPECT_EQ(KQ_SetProgramTime(handle(), 9, &time), KQ_ERR_NO_PROGRAM);
  EXPECT_EQ(KQ_SetProgramTime(handle(), 3, nullptr), KQ_ERR_MISSING_RECORD);
  set->Dirty = false;  // as after a generation
  EXPECT_EQ(KQ_SetProgramTime(handle(), 3, &time), KQ_OK);
  EXPECT_EQ(set->Programs[1].Time.TimeFlags, 5);
  EXPECT_EQ(set->Programs[1].Time.EndSecond, 59);
  EXPECT_TRUE(set->Dirty) << "a new schedule must reach the next generation";
}

TEST_F(ProgramModel, OverlapIsTestedPerLayer) {
  const AreaRect full = Rect(0, 0, 128, 32);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &full, 0), KQ_OK);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 2, &full, 1), KQ_OK) << "layer 1 over layer 0";
  const AreaRect inside = Rect(10, 10, 4, 4);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 3, &inside, 1), KQ_ERR_AREA_OVERLAP);
  EXPECT_EQ(KQ_AddClockArea(handle(), 1, 3, &inside, &analog_), KQ_ERR_AREA_OVERLAP)
      << "clocks are on layer 1";
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 3, &inside, 2), KQ_OK);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 9, 4, &inside, 5), KQ_ERR_NO_PROGRAM);
  EXPECT_EQ(program().Areas.size(), 3u);
}

TEST_F(ProgramModel, AreasSharingTheirLastColumnOrRowPass) {
  const AreaRect left = Rect(0, 0, 32, 16);    // columns 0-31
  const AreaRect right = Rect(31, 0, 32, 16);  // columns 31-62: shares column 31
  const AreaRect below = Rect(0, 15, 32, 16);  // shares row 15 with left
  EXPECT_EQ(KQ_AddDigitalClockArea(handle(), 1, 1, &left, &digital_), KQ_OK);
  EXPECT_EQ(KQ_AddTimeArea(handle(), 1, 2, &right, &countdown_), KQ_OK);
  EXPECT_EQ(KQ_AddClockArea(handle(), 1, 3, &below, &analog_), KQ_OK);
  const AreaRect twoColumns = Rect(30, 20, 4, 4);  // columns 30-33 meet area 2 at 31-32
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 4, &twoColumns, 1), KQ_ERR_AREA_OVERLAP);
}

TEST_F(ProgramModel, WaterBordersOverlapAnythingAndAreNeverTested) {
  const AreaRect whole = Rect(0, 0, 256, 64);
  const AreaRect clock = Rect(0, 0, 64, 32);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &clock, 1), KQ_OK);
  EXPECT_EQ(KQ_AddWaterBorder(handle(), 1, 2, &whole, &border_), KQ_OK);
  EXPECT_EQ(KQ_AddWaterBorder(handle(), 1, 3, &whole, &border_), KQ_OK);
  const AreaRect free = Rect(100, 0, 64, 32);
  EXPECT_EQ(KQ_AddClockArea(handle(), 1, 4, &free, &analog_), KQ_OK);
  EXPECT_EQ(KQ_AddWaterBorder(handle(), 1, 4, &whole, &border_), KQ_ERR_AREA_EXISTS);
  EXPECT_EQ(program().Areas[1].Layer, 1);
  EXPECT_EQ(program().Areas[1].Kind, AreaKind::WaterBorder);
}

TEST_F(ProgramModel, TheFirstRefusingAreaDecidesTheCode) {
  const AreaRect a = Rect(0, 0, 16, 16);
  const AreaRect b = Rect(32, 0, 16, 16);
  ASSERT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &a, 1), KQ_OK);
  ASSERT_EQ(KQ_AddImageTextArea(handle(), 1, 2, &b, 1), KQ_OK);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 2, &a, 1), KQ_ERR_AREA_OVERLAP);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &b, 1), KQ_ERR_AREA_EXISTS);
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 2, &b, 0), KQ_ERR_AREA_EXISTS);
}

TEST_F(ProgramModel, RectanglesTheCardCannotHoldAreRefused) {
  const AreaRect refused[] = {
      Rect(0, 0, 0, 8),     Rect(0, 0, 8, -1),    Rect(-1, 0, 8, 8),           Rect(0, -3, 8, 8),
      Rect(65535, 0, 2, 8), Rect(0, 65530, 8, 7), Rect(INT_MAX, 0, INT_MAX, 8)};
  for (const AreaRect& rect : refused) {
    EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &rect, 1), KQ_ERR_BAD_SIZE);
    EXPECT_EQ(KQ_AddWaterBorder(handle(), 1, 1, &rect, &border_), KQ_ERR_BAD_SIZE);
  }
  EXPECT_EQ(KQ_AddImageTextArea(handle(), 1, 1, nullptr, 1), KQ_ERR_MISSING_RECORD);
  EXPECT_EQ(KQ_AddTimeArea(handle(), 1, 1, &refused[0], nullptr), KQ_ERR_MISSING_RECORD);
  EXPECT_TRUE(program().Areas.empty());
  const AreaRect corner = Rect(65535, 65535, 1, 1);
  ASSERT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &corner, 1), KQ_OK);
  const CardRect stored = program().Areas[0].Rect;
  EXPECT_EQ(stored.right, 65535);
  EXPECT_EQ(stored.bottom, 65535);
}

TEST_F(ProgramModel, SettingsAreCopiedWithoutTheFieldsTheLibraryKeepsItsOwn) {
  digital_.HourNum = 8;
  digital_.Reserved1 = 0x1234;
  digital_.Reserved2 = 99;
  countdown_.nYear = 2030;
  countdown_.Reserved2 = 5;
  border_.StripColor = 0x00FF00;
  const AreaRect a = Rect(0, 0, 16, 16);
  const AreaRect b = Rect(16, 0, 16, 16);
  const AreaRect c = Rect(32, 0, 16, 16);
  ASSERT_EQ(KQ_AddDigitalClockArea(handle(), 1, 1, &a, &digital_), KQ_OK);
  ASSERT_EQ(KQ_AddTimeArea(handle(), 1, 2, &b, &countdown_), KQ_OK);
  ASSERT_EQ(KQ_AddWaterBorder(handle(), 1, 3, &c, &border_), KQ_OK);
  digital_.HourNum = 1;  // the caller's record is not read again
  const auto& areas = program().Areas;
  const auto& digital = std::get<DigitalClockAreaInfo>(areas[0].Params);
  EXPECT_EQ(digital.HourNum, 8);
  EXPECT_EQ(digital.Reserved1, 0);
  EXPECT_EQ(digital.Reserved2, 0);
  EXPECT_EQ(std::get<TimeAreaInfo>(areas[1].Params).nYear, 2030);
  EXPECT_EQ(std::get<TimeAreaInfo>(areas[1].Params).Reserved2, 0);
  EXPECT_EQ(std::get<WaterBorderInfo>(areas[2].Params).StripColor, 0x00FF00u);
  EXPECT_EQ(areas[1].Kind, AreaKind::Time);
}

TEST_F(ProgramModel, PagesNeedAnImageTextAreaAKnownKindAndAFile) {
  const AreaRect rect = Rect(0, 0, 64, 32);
  const AreaRect clock = Rect(64, 0, 64, 32);
  ASSERT_EQ(KQ_AddImageTextArea(handle(), 1, 1, &rect, 1), KQ_OK);
  ASSERT_EQ(KQ_AddClockArea(handle(), 1, 2, &clock, &analog_), KQ_OK);
  const QString picture = GetAppDir() + QStringLiteral("Page.JPEG");
  const QString document = GetAppDir() + QStringLiteral("page.doc");
  for (const QString& path : {picture, document}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  }
  const PageInfo page{12, 3, 4, 5};
  const auto add = [&](int program, int area, const QString& path) {
    return KQ_AddImageTextAreaDataFromFile(handle(), program, area, Utf16(path), &page);
  };
  EXPECT_EQ(add(9, 1, picture), KQ_ERR_NO_PROGRAM);
  EXPECT_EQ(add(1, 3, picture), KQ_ERR_NO_AREA);
  EXPECT_EQ(add(1, 2, picture), KQ_ERR_NO_AREA) << "a clock holds no pages";
  EXPECT_EQ(add(1, 1, document), KQ_ERR_PAGE_KIND);
  EXPECT_EQ(add(1, 1, document + "x"), KQ_ERR_PAGE_KIND) << "kind decided before the file";
  EXPECT_EQ(add(1, 1, QStringLiteral("/no/dot/here")), KQ_ERR_PAGE_KIND);
  EXPECT_EQ(add(1, 1, picture + ".png"), KQ_ERR_PAGE_NOT_FOUND);
  EXPECT_EQ(KQ_AddImageTextAreaDataFromFile(handle(), 1, 1, nullptr, &page), KQ_ERR_MISSING_RECORD);
  EXPECT_EQ(KQ_AddImageTextAreaDataFromFile(handle(), 1, 1, Utf16(picture), nullptr),
            KQ_ERR_MISSING_RECORD);
  ASSERT_TRUE(program().Areas[0].Pages.empty());

  FindProgramSet(handle())->Dirty = false;
  EXPECT_EQ(add(1, 1, picture), KQ_OK);
  ASSERT_EQ(program().Areas[0].Pages.size(), 1u);
  const PageEntry& added = program().Areas[0].Pages[0];
  EXPECT_EQ(added.FileKind, 3);
  EXPECT_EQ(added.FilePath, picture);
  EXPECT_EQ(added.Effect, 12);
  EXPECT_EQ(added.EffectParam, 3);
  EXPECT_EQ(added.Speed, 4);
  EXPECT_EQ(added.StayTime, 5);
  EXPECT_TRUE(FindProgramSet(handle())->Dirty);
}

}  // namespace
