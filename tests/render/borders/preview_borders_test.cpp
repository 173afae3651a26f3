#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "model/project/project_globals.h"
#include "model/project/project_records.h"
#include "render/borders/preview_borders.h"
#include "render/common/preview_picture.h"
#include "render/raster/screen_picture.h"

namespace {

constexpr QRgb kContent = 0xFF336699;

// A two-colour screen of 120 x 60 with one program of three areas; the first two have
// borders.
// The first area and the program use style 4, whose full line is the outer edge: red
// for the area at the screen's top-left corner, green for the program.
class PreviewBorders : public testing::Test {
 protected:
  void SetUp() override {
    screen.LedWidth = 120;
    screen.LedHeight = 60;
    screen.LedColor = 1;  // two colours: red and green
    program = std::make_unique<ProgramRecord>();
    program->OwnerScreen = &screen;
    SetBorder(*program, MakeColorRef(0, 255, 0));
    for (int i = 0; i < 3; ++i) {
      auto area = std::make_unique<AreaRecord>();
      area->AreaRect_Left = 40 * i;
      area->AreaRect_Right = 40 * i + 30;
      area->AreaRect_Bottom = 30;
      area->OwnerProgram = program.get();
      area->OwnerScreen = &screen;
      if (i < 2) SetBorder(*area, MakeColorRef(255, 0, 0));
      CanvasAreaList.push_back(area.get());
      program->Areas.push_back(std::move(area));
    }
    picture.image.fill(kContent);
    PreviewPicture = &picture;
  }
  void TearDown() override {
    FreePreviewBorders(list);
    PreviewPicture = nullptr;
    CurrentSelection = nullptr;
    CanvasAreaList.clear();
  }

  template <typename Record>
  static void SetBorder(Record& record, ColorRef color) {
    record.IsUseBorder = 1;
    record.BorderValue = 4;
    record.BorderColor = color;
    record.BorderStyle = 1;
  }

  ScreenRecord screen{};
  std::unique_ptr<ProgramRecord> program;
  ScreenPicture picture{QImage(120, 60, QImage::Format_RGB32), {}};
  PreviewBorderList list;
};

TEST_F(PreviewBorders, ProgramSelectedGivesTheAreasBordersThenTheProgramsLast) {
  TreeItemRef selected = TreeItemRef::Of(*program);
  CurrentSelection = &selected;
  EXPECT_EQ(BuildPreviewBorders(list), 1);
  ASSERT_EQ(list.Borders.size(), 3u);
  EXPECT_EQ(DrawPreviewBorders(list), 1);
  // The program border covers the first area's top edge: it is drawn last.
  EXPECT_EQ(picture.image.pixel(10, 0), qRgb(0, 255, 0));
  EXPECT_EQ(picture.image.pixel(10, 29), qRgb(255, 0, 0));   // the first area's bottom
  EXPECT_EQ(picture.image.pixel(40, 15), qRgb(255, 0, 0));   // the second area's left
  EXPECT_EQ(picture.image.pixel(80, 15), kContent);          // the third has none
  EXPECT_EQ(picture.image.pixel(119, 59), qRgb(0, 255, 0));  // the screen's corner

  // The area borders read the records: a moved area is bordered where it is now.
  program->Areas[1]->AreaRect_Left = 45;
  picture.image.fill(kContent);
  DrawPreviewBorders(list);
  EXPECT_EQ(picture.image.pixel(45, 15), qRgb(255, 0, 0));
  EXPECT_EQ(picture.image.pixel(40, 15), kContent);

  // Building again replaces the borders.
  BuildPreviewBorders(list);
  EXPECT_EQ(list.Borders.size(), 3u);
  FreePreviewBorders(list);
  EXPECT_TRUE(list.Borders.empty());
}

TEST_F(PreviewBorders, AreaSelectedGivesOnlyItsProgramsBorderAndNothingWithoutAPicture) {
  TreeItemRef selected = TreeItemRef::Of(*program->Areas[0]);
  CurrentSelection = &selected;
  BuildPreviewBorders(list);
  ASSERT_EQ(list.Borders.size(), 1u);
  DrawPreviewBorders(list);
  EXPECT_EQ(picture.image.pixel(10, 0), qRgb(0, 255, 0));
  EXPECT_EQ(picture.image.pixel(10, 29), kContent);

  program->OwnerScreen = nullptr;  // no screen, no program border
  BuildPreviewBorders(list);
  EXPECT_TRUE(list.Borders.empty());
  program->OwnerScreen = &screen;
  PreviewPicture = nullptr;
  EXPECT_EQ(BuildPreviewBorders(list), 1);
  EXPECT_TRUE(list.Borders.empty());
}

}  // namespace
