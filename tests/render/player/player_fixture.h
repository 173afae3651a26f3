#pragma once
// A full-colour screen of 64 x 32 pixels with one program in a fresh program folder,
// pages and strips written as frame files, and a play clock the test moves 30 ms a
// tick.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <vector>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/common/fake_play_clock.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_writer.h"
#include "render/raster/screen_picture.h"
#include "tests/support/project_building.h"

class PlayerTest : public testing::Test {
 protected:
  static constexpr int kTickMs = 30;

  void SetUp() override {
    QDir().mkpath(AppFolderPath(AppFolder::Temp));
    screen_ = &testsupport::AddScreen(64, 32);
    screen_->LedColor = 2;
    program_ = &AddProgram(*screen_);
    target_.fill(qRgb(0, 0, 90));
  }
  void TearDown() override { ClearProjectModel(); }

  AreaRecord& Area(int kind, int left, int top, int right, int bottom) {
    return testsupport::PlaceArea(*program_, kind, left, top, right, bottom);
  }
  // A page of a one-frame file in color (none written when color is 0), shown 1 s.
  static FileItem Page(QRgb color, int width, int height) {
    FileItem page{};
    CopyBoundedText(page.guid, NewGuidText());
    page.DelayTime = 1;
    if (color != 0) {
      QImage frame(width, height, QImage::Format_RGB32);
      frame.fill(color);
      WritePak(ReadBoundedText(page.guid), {frame}, width);
    }
    return page;
  }
  // A page of 16 x 8 pixels, black on the left half and color on the right.
  static FileItem HalfBlackPage(QRgb color) {
    FileItem page = Page(0, 16, 8);
    QImage frame(16, 8, QImage::Format_RGB32);
    frame.fill(color);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) frame.setPixel(x, y, qRgb(0, 0, 0));
    }
    WritePak(ReadBoundedText(page.guid), {frame}, 16);
    return page;
  }
  static void WritePak(const QString& guid, const std::vector<QImage>& frames, int lastExtent) {
    PakWriter writer;
    ASSERT_TRUE(writer.Open(PakFramePath(guid), frames[0].width(), frames[0].height(), 0));
    for (const QImage& frame : frames) ASSERT_TRUE(writer.AppendFrame(Dib24::FromImage(frame)));
    ASSERT_TRUE(writer.Finish(lastExtent));
  }

  FakePlayClock clock_{0, 5000};
  ScreenRecord* screen_ = nullptr;
  ProgramRecord* program_ = nullptr;
  ScreenPicture screenPicture_{QImage(64, 32, QImage::Format_RGB32), {}};
  QImage& target_ = screenPicture_.image;
};
