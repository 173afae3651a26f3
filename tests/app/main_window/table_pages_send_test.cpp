// Table pages from the editor to the card: one table made new, typed and merged, one
// imported from a workbook, both saved by closing the editor as the image-text page
// runs it, then sent with the current screen and found on an emulated card as the
// frame files rendered from them.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "controls/grid/widget/grid_ctrl.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/table_edit_ids.h"
#include "editors/table_editor/grid_edit_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "render/table/table_file.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"
#include "tests/support/screenshot.h"

namespace {

constexpr std::int32_t kTablePage = 3;

// The first frame of a page's frame file.
QImage FirstFrame(const FileItem& page) {
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(ReadBoundedText(page.guid))) ||
      reader.ReadHeader() != PakCheck::Ok || !reader.ReadNextFrame()) {
    return {};
  }
  return reader.Frame().ToImage();
}

// The card's frame as lit channels (bit 0 red, bit 1 green) of a two-colour screen.
std::vector<std::uint8_t> CardPixels(const emu::PageFrame& frame, int width, int height) {
  std::vector<std::uint8_t> pixels;
  if (!emu::PlanesToPixels(frame.planes, 0, width, height, 2, pixels).empty()) pixels.clear();
  return pixels;
}

int Lit(QRgb pixel) { return (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0); }

// The lit pixels of the picture inside and outside a rectangle.
std::pair<int, int> InkInAndOut(const QImage& picture, const QRect& cell) {
  int in = 0, out = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (Lit(picture.pixel(x, y)) == 0) continue;
      (cell.contains(x, y) ? in : out)++;
    }
  }
  return {in, out};
}

class TablePagesSend : public apptest::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  // One two-colour screen reaching the card, a checked program with one image-text
  // area of two table pages.
  std::vector<FileItem>& TableArea(const emu::TcpCard& card) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
    static_cast<void>(CopyBoundedText(screen.LedName, u"Card"));
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1;
    AreaRecord& area = *AddArea(program, kImageTextArea);
    area.AreaRect_Right = 64, area.AreaRect_Bottom = 32;
    auto& pages = std::get<std::vector<FileItem>>(area.Kind);
    pages.assign(2, FileItem{});
    for (FileItem& page : pages) {
      page.AddType = kTablePage;
      page.DelayTime = 3;
      static_cast<void>(CopyBoundedText(page.guid, NewGuidText()));
    }
    window_->ProjectPage().BuildTreeFromModel();
    return pages;
  }
  // Runs the editor on a page as the image-text page does, with the test's answers.
  void Edit(FileItem& page, const std::function<void(CGridEditDialog&)>& work,
            TableEditHooks hooks) {
    CGridEditDialog editor(TableFilePath(ReadBoundedText(page.guid)), page, 64, 32, nullptr,
                           window_.get(), std::move(hooks));
    editor.show();
    work(editor);
    editor.reject();  // the close box: saves
    ASSERT_FALSE(editor.isVisible());
  }

  std::unique_ptr<CQuendraDlg> window_;
};

TEST_F(TablePagesSend, EditedAndImportedTablesReachTheCard) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  std::vector<FileItem>& pages = TableArea(tcp);

  TableEditHooks hooks;
  hooks.ask = [](const QString&, int) { return 1; };
  hooks.askNewTableSize = [] { return std::optional(std::pair(2, 3)); };
  Edit(
      pages[0],
      [](CGridEditDialog& editor) {
        SendMessage(editor.Handle(), WM_COMMAND, ID_GRID_NEW, 0);
        CGridCtrl& grid = editor.Grid();
        grid.SetCellTextChecked(1, 1, QStringLiteral("I"));
        grid.SetCellTextChecked(2, 3, QStringLiteral("T"));
        grid.SetFocusCell(1, 1);
        grid.SetSelectedRange(1, 1, 1, 2);
        SendMessage(editor.Handle(), WM_COMMAND, ID_GRID_MERGE, 0);
      },
      hooks);

  QTemporaryDir folder;
  QProcess python;
  python.start(QStringLiteral(QUENDRA_SYSTEM_PYTHON),
               {QStringLiteral("-c"),
                QStringLiteral("import openpyxl, sys\nbook = openpyxl.Workbook()\n"
                               "book.active['A1'] = 'X'\nbook.save(sys.argv[1])\n"),
                folder.filePath(QStringLiteral("sheet.xlsx"))});
  ASSERT_TRUE(python.waitForFinished(60000));
  ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  hooks.chooseOpenFile = [&folder](const QString&) {
    return folder.filePath(QStringLiteral("sheet.xlsx"));
  };
  Edit(
      pages[1],
      [](CGridEditDialog& editor) {
        SendMessage(editor.Handle(), WM_COMMAND, ID_GRID_OPEN, 0);
        ASSERT_EQ(editor.Grid().GetCellText(1, 1), QStringLiteral("X"));
      },
      hooks);

  SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0);
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const emu::DisplayArea& area = data.programs[0].areas[0];
  ASSERT_EQ(area.frames.size(), 2u);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const QImage frame = FirstFrame(pages[i]);
    ASSERT_EQ(frame.size(), QSize(64, 32)) << i;
    const std::vector<std::uint8_t> pixels = CardPixels(area.frames[i], 64, 32);
    ASSERT_EQ(pixels.size(), 64u * 32u) << i;
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64; ++x)
        wrong += pixels[std::size_t(y) * 64 + x] != Lit(frame.pixel(x, y));
    EXPECT_EQ(wrong, 0) << i;
  }
  // Two rows of 16 pixels, columns of 21, 21 and 22: "I" in the block merged over the
  // first two columns, "T" in the bottom right cell, the imported "X" in its cell.
  const QImage edited = FirstFrame(pages[0]);
  SavePicture(edited.scaled(256, 128), QStringLiteral("table_page_frame"));
  TableFile table;
  ASSERT_EQ(ReadTableFile(TableFilePath(ReadBoundedText(pages[0].guid)), &table), TableRead::Ok);
  EXPECT_EQ(table.rowHeights, (std::vector<std::int32_t>{16, 16}));
  EXPECT_EQ(table.Cell(0, 0).mergedCols, 1);
  const int top = InkInAndOut(edited, QRect(0, 0, 42, 16)).first;
  const int corner = InkInAndOut(edited, QRect(42, 16, 22, 16)).first;
  const auto [in, out] = InkInAndOut(edited, QRect(0, 0, 64, 32));
  EXPECT_GT(top, 0);
  EXPECT_GT(corner, 0);
  EXPECT_EQ(top + corner, in + out);  // no ink elsewhere
  const QImage imported = FirstFrame(pages[1]);
  TableFile sheet;
  ASSERT_EQ(ReadTableFile(TableFilePath(ReadBoundedText(pages[1].guid)), &sheet), TableRead::Ok);
  ASSERT_EQ(sheet.Rows(), 1);
  const auto [xIn, xOut] =
      InkInAndOut(imported, QRect(0, 0, sheet.colWidths[0], sheet.rowHeights[0]));
  EXPECT_GT(xIn, 0);
  EXPECT_EQ(xOut, 0);
}

}  // namespace
