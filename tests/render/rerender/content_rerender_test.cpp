// Bringing frame files up to date with the real renderers in a temporary program
// folder: what is rendered, at which size, what is left alone, and that a second call
// renders nothing (the page counts, set to -1 between calls, show every render).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <vector>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "render/rerender/content_rerender.h"
#include "render/table/table_file.h"
#include "render/text/rtf_render.h"
#include "render/text/rtf_writer.h"

using namespace Qt::StringLiterals;

namespace {

// The header of the content's frame file; Magic 0 when there is none.
PakFileHeader Header(const char16_t* guid) {
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(ReadBoundedText(guid, 64))) ||
      reader.ReadHeader() != PakCheck::Ok) {
    return {0};
  }
  return reader.Header();
}

class ContentRerenderTest : public testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(AppFolderPath(AppFolder::UserData));
    QDir().mkpath(AppFolderPath(AppFolder::Temp));
    RenderRichEdit = &text_;
    program_ = &AddProgram(ScreenList.emplace_back());
  }
  void TearDown() override {
    RenderRichEdit = nullptr;
    ClearProjectModel();
  }

  static void WriteText(const char16_t* guid) {
    const RichCharFormat format{u"DejaVu Sans"_s, 0, 240, false, false, false, 0xFF, false};
    QFile file(AppFilePath(AppFolder::UserData, ReadBoundedText(guid, 64) + u".rtf"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteRtf({RichParagraph{{{u"Quendra text"_s, format}}, {}, format}}));
  }

  AreaRecord& Area(std::int32_t kind, int width, int height) {
    AreaRecord& area = *AddArea(*program_, kind);
    area.AreaRect_Right = width;
    area.AreaRect_Bottom = height;
    if (auto* info = std::get_if<SingleLineAreaInfo>(&area.Kind)) WriteText(info->guid);
    return area;
  }

  // Pages of AddType 1-5; the table page on item colour 0x123456.
  std::vector<FileItem>& Pages(AreaRecord& area) {
    auto& pages = std::get<std::vector<FileItem>>(area.Kind);
    for (int addType = 1; addType <= 5; ++addType) {
      FileItem& page = pages.emplace_back(FileItem{});
      page.AddType = addType;
      page.BackColor = addType == 3 ? 0x123456 : 0;
      (void)CopyBoundedText(page.guid, NewGuidText());
      if (addType == 3) {
        EXPECT_EQ(WriteDefaultTableFile(8, TableFilePath(ReadBoundedText(page.guid)), 8), 1);
      } else {
        WriteText(page.guid);
      }
    }
    return pages;
  }

  RichText text_;
  ProgramRecord* program_ = nullptr;
};

void ResetCounts(AreaRecord& area) {
  if (auto* info = std::get_if<SingleLineAreaInfo>(&area.Kind)) info->PageCount = -1;
  if (auto* pages = std::get_if<std::vector<FileItem>>(&area.Kind)) {
    for (FileItem& page : *pages) page.PageCount = -1;
  }
}

TEST_F(ContentRerenderTest, StaleContentIsRenderedOnceAtTheContentSize) {
  AreaRecord& line = Area(kSingleLineArea, 64, 32);
  AreaRecord& text = Area(kImageTextArea, 64, 32);
  std::vector<FileItem>& pages = Pages(text);
  ResetCounts(line);
  ResetCounts(text);
  RerenderProgramContent({program_, {&line, &text}});
  const auto& info = std::get<SingleLineAreaInfo>(line.Kind);
  EXPECT_GT(info.PageCount, 0);
  EXPECT_EQ(Header(info.guid).Width, 64);
  for (int i = 0; i < 4; ++i) {
    EXPECT_GT(pages[i].PageCount, 0) << i;
    EXPECT_EQ(pages[i].PageCount, Header(pages[i].guid).FrameCount) << i;
    EXPECT_EQ(Header(pages[i].guid).Height, 32) << i;
  }
  EXPECT_EQ(pages[4].PageCount, -1);  // AddType 5 is left alone
  EXPECT_EQ(Header(pages[4].guid).Magic, 0u);

  ResetCounts(line);
  ResetCounts(text);
  RerenderProgramContent({program_, {&line, &text}});  // nothing is stale now
  EXPECT_EQ(info.PageCount, -1);
  for (const FileItem& page : pages) EXPECT_EQ(page.PageCount, -1);

  text.AreaRect_Right = 40;
  RerenderAreaContent(text);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Header(pages[i].guid).Width, 40) << i;

  // Width 1 less a border of 2 renders at 1; a border that is not used is not subtracted.
  line.AreaRect_Right = 1;
  line.IsUseBorder = 1;
  line.BorderWidth = 2;
  RerenderAreaContent(line);
  EXPECT_EQ(Header(info.guid).Width, 1);
  EXPECT_EQ(Header(info.guid).Height, 28);
  line.IsUseBorder = 0;
  line.BorderWidth = 3;
  RerenderAreaContent(line);
  EXPECT_EQ(Header(info.guid).Height, 32);
}

TEST_F(ContentRerenderTest, OtherKindsAreLeftAloneAndTheWalkersReachEveryArea) {
  for (std::int32_t kind :
       {kFlashWordArea, kDigitalClockArea, kAnalogClockArea, kCountdownArea, kFilesArea}) {
    RerenderAreaContent(Area(kind, 64, 32));
  }
  EXPECT_TRUE(QDir(AppFolderPath(AppFolder::Temp)).isEmpty());

  AreaRecord& first = Area(kSingleLineArea, 16, 16);
  AreaRecord& second = Area(kSingleLineArea, 16, 16);
  ProgramRecord& other = AddProgram(*program_->OwnerScreen);
  AreaRecord& third = *AddArea(other, kSingleLineArea);
  third.AreaRect_Right = third.AreaRect_Bottom = 16;
  WriteText(std::get<SingleLineAreaInfo>(third.Kind).guid);
  auto rendered = [](const AreaRecord& area) {
    return std::get<SingleLineAreaInfo>(area.Kind).PageCount > 0;
  };
  RerenderScreenContent({program_->OwnerScreen, {{program_, {&first}}, {&other, {&third}}}});
  EXPECT_TRUE(rendered(first) && rendered(third));
  EXPECT_FALSE(rendered(second));
  PlayList = {{program_, {&second}}};
  RerenderPreviewContent();
  EXPECT_TRUE(rendered(second));

  // Without the shared rich text the renderers give 0, which is kept.
  RenderRichEdit = nullptr;
  first.AreaRect_Right = 20;
  ResetCounts(first);
  RerenderAreaContent(first);
  EXPECT_EQ(std::get<SingleLineAreaInfo>(first.Kind).PageCount, 0);
}

}  // namespace
