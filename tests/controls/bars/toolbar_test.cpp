// The toolbar and its frame: each button shows its own bitmap with white see-through,
// a click reaches the dialog around the frame once, unknown resources are refused,
// and tooltips come from the current language file when they are asked for.
#include <gtest/gtest.h>

#include <QFile>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <vector>

#include "controls/bars/my_tool_bar.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/layout_frame_ids.h"
#include "controls/shell/project_page_ids.h"
#include "controls/support/command_action.h"
#include "model/settings/lang_text.h"
#include "tests/support/screenshot.h"

namespace {

// A dialog that records the messages it gets.
class RecordingDialog : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    messages.push_back({msg, wParam});
    return MessageWindow::WindowProc(msg, wParam, lParam);
  }
  std::vector<std::pair<UINT, WPARAM>> messages;
};

const QRgb kColors[] = {qRgb(200, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 200), qRgb(200, 200, 0),
                        qRgb(0, 200, 200)};

// A 24-pixel bitmap: a white ring 4 pixels wide round a square of the colour.
QImage Bitmap(QRgb color) {
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 4; y < 20; ++y) {
    for (int x = 4; x < 20; ++x) image.setPixel(x, y, color);
  }
  return image;
}

// The project page's toolbar (IDR_TREE_TOOLBAR: two buttons, a separator, three more) in
// a frame inside a recording dialog.
struct FramedBar {
  FramedBar() {
    dialog.resize(300, 60);
    frame = new CToolbarFrame(&dialog);
    frame->setGeometry(10, 10, 280, 44);
    bar = new CMyToolBar;
    bar->CreateImageList(QSize(24, 24));
    for (const QRgb color : kColors) EXPECT_GE(bar->AddBitmap(Bitmap(color)), 0);
    EXPECT_EQ(bar->CreateBar(frame, QMargins(), IDR_TREE_TOOLBAR, 32, 24), 1);
    dialog.show();
  }
  QToolButton* Button(int index) const {
    return qobject_cast<QToolButton*>(bar->widgetForAction(bar->ButtonAction(index)));
  }
  RecordingDialog dialog;
  CToolbarFrame* frame;
  CMyToolBar* bar;
};

void WriteLanguageFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(text);
}

}  // namespace

TEST(Toolbar, ButtonsShowTheirBitmapsInOrderWithWhiteSeeThrough) {
  FramedBar framed;
  SaveScreenshot(framed.dialog, "toolbar_frame");
  const QImage shot = framed.bar->grab().toImage();
  const int buttons[] = {0, 1, 3, 4, 5};  // position 2 is the separator
  for (int image = 0; image < 5; ++image) {
    const QRect place = framed.Button(buttons[image])->geometry();
    SCOPED_TRACE(image);
    EXPECT_EQ(shot.pixel(place.center()), kColors[image]);
    // The white ring lets the toolbar show through.
    EXPECT_NE(shot.pixel(place.center() - QPoint(10, 10)), qRgb(255, 255, 255));
  }
  EXPECT_EQ(framed.bar->CommandToIndex(ID_TREE_DELETE), 3);
  EXPECT_EQ(CommandIdOf(framed.bar->ButtonAction(5)), ID_TREE_MOVE_DOWN);
}

TEST(Toolbar, AClickReachesTheDialogAroundTheFrameOnce) {
  FramedBar framed;
  QTest::mouseClick(framed.Button(3), Qt::LeftButton);
  ASSERT_EQ(framed.dialog.messages.size(), 1u);
  EXPECT_EQ(framed.dialog.messages[0], std::make_pair(WM_COMMAND, WPARAM{ID_TREE_DELETE}));
}

TEST(Toolbar, UnknownResourceOrNoParentIsRefused) {
  QWidget parent;
  CMyToolBar bar;
  EXPECT_EQ(bar.CreateBar(&parent, QMargins(), 9999, 32, 24), 0);
  EXPECT_EQ(bar.CreateBar(nullptr, QMargins(), IDR_TREE_TOOLBAR, 32, 24), 0);
  EXPECT_EQ(bar.AddBitmap(Bitmap(kColors[0])), -1);  // no image list yet
  bar.CreateImageList(QSize(24, 24));
  EXPECT_EQ(bar.AddBitmap(424242), -1);  // no such bitmap
}

TEST(ToolbarFrame, ToolTipTable) {
  const auto tip = [](const char* section, int number) {
    return std::optional<ToolTipText>(ToolTipText{section, number});
  };
  EXPECT_EQ(ToolTipTextOf(ID_IMAGE_TEXT_EDIT), tip("IDD_IMAGEWORD_DIALOG", 1003));
  EXPECT_EQ(ToolTipTextOf(ID_IMAGE_TEXT_ADD_DOCUMENT), tip("IDD_IMAGEWORD_DIALOG", 1007));
  EXPECT_EQ(ToolTipTextOf(ID_IMAGE_TEXT_SAME_PROPERTIES), tip("IDD_IMAGEWORD_DIALOG", 1006));
  EXPECT_EQ(ToolTipTextOf(ID_FRAME_PLAY), tip("IDD_FRAME_DIALOG", 1009));
  EXPECT_EQ(ToolTipTextOf(ID_TREE_ADD_PROGRAM), tip("IDD_MAIN_DIALOG", 1011));
  EXPECT_EQ(ToolTipTextOf(ID_FLASH_WORDS_APPLY_TO_ALL), tip("IDD_FLASHWORD_DIALOG", 1007));
  EXPECT_EQ(ToolTipTextOf(ID_FILES_ADD), tip("IDD_FILE_DIALOG", 1003));
  // The ids next to each range.
  for (const UINT none :
       {0u, ID_TREE_MOVE_DOWN + 1, ID_IMAGE_TEXT_ADD_DOCUMENT - 1,
        ID_IMAGE_TEXT_SAME_PROPERTIES + 1, ID_FRAME_PLAY + 1, ID_FILES_SAME_PROPERTIES + 1}) {
    EXPECT_FALSE(ToolTipTextOf(none).has_value()) << none;
  }
}

TEST(ToolbarFrame, TipsAreReadFromTheLanguageFileWhenAsked) {
  QTemporaryDir folder;
  LangIniPath = folder.filePath("english.ini");
  WriteLanguageFile(LangIniPath, "[IDD_MAIN_DIALOG]\n1015=Delete the selection\n");
  FramedBar framed;
  QToolButton* button = framed.Button(3);  // command ID_TREE_DELETE, text 1015
  const auto askTip = [&] {
    QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &event);
    return QToolTip::text();
  };
  EXPECT_EQ(askTip(), "Delete the selection");
  WriteLanguageFile(LangIniPath, "[IDD_MAIN_DIALOG]\n1015=Remove\n");
  EXPECT_EQ(askTip(), "Remove");
  QToolTip::hideText();
  LangIniPath.clear();
}
