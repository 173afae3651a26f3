#pragma once
// What the tests of sends from a page share: the main window over a program folder
// with its Temp folder, one area on a screen of two colours that reaches an emulated
// card, and the comparison of the card's frames with a frame file's.

#include <QDir>
#include <QImage>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "app/tree/main_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/clear_project.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/card_emulator.h"
#include "tests/support/display_data_codec.h"

namespace apptest {

class SendTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
  }
  void TearDown() override {
    window_.reset();
    MainWindowTest::TearDown();
  }

  void ShowWindow() {
    window_ = std::make_unique<CQuendraDlg>(Hooks());
    window_->show();
  }

  // One 64 x 32 screen of two colours reaching the card, a checked program with one
  // area of the kind filling it, selected on the project page.
  AreaRecord& CardArea(const emu::TcpCard& card, std::int32_t kind) {
    ClearProject(window_->ProjectPage());
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedNo = 1, screen.LedNumber = 1;  // the test card answers to number 1
    screen.LedWidth = 64, screen.LedHeight = 32, screen.LedColor = 1;
    static_cast<void>(CopyBoundedText(screen.LedName, u"Card"));
    for (const QString& octet : QString::fromStdString(card.Address()).split('.'))
      screen.LedIp = screen.LedIp << 8 | octet.toUInt();
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1;
    AreaRecord& area = *AddArea(program, kind);
    area.AreaRect_Right = 64, area.AreaRect_Bottom = 32;
    window_->ProjectPage().BuildTreeFromModel();
    QTreeWidget& tree = window_->ProjectPage().Tree();
    tree.setCurrentItem(tree.topLevelItem(0)->child(0)->child(0));
    return area;
  }

  // Sends the current screen.
  void Send() { SendMessage(window_->Handle(), WM_COMMAND, ID_TOOLBAR_SEND, 0); }

  std::unique_ptr<CQuendraDlg> window_;
};

// The frames of the frame file of the content whose GUID text is name.
inline std::vector<QImage> FrameFileFrames(const QString& name) {
  std::vector<QImage> frames;
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(name)) || reader.ReadHeader() != PakCheck::Ok) return frames;
  while (reader.ReadNextFrame()) frames.push_back(reader.Frame().ToImage());
  return frames;
}

// Pixels of the card's frame (planes of the whole area, two colours) that differ from
// the picture's red and green channels, each lit at 128 or more; -1 when the planes
// cannot be read.
inline int WrongPixels(const emu::PageFrame& frame, const QImage& picture) {
  std::vector<std::uint8_t> pixels;
  if (!emu::PlanesToPixels(frame.planes, 0, picture.width(), picture.height(), 2, pixels).empty())
    return -1;
  int wrong = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      const int lit = (qRed(pixel) >= 128 ? 1 : 0) | (qGreen(pixel) >= 128 ? 2 : 0);
      wrong += pixels[std::size_t(y) * picture.width() + x] != lit;
    }
  }
  return wrong;
}

}  // namespace apptest
