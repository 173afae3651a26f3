// The image button: the hover gradient, caption and image placement, idle and disabled
// images, the check-box mode, the drop-down menu's command and failed bitmaps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/buttons/button_qx.h"
#include "controls/buttons/frame_paint.h"
#include "controls/support/sys_color.h"
#include "platform/message_window.h"
#include "tests/support/eventually.h"
#include "tests/support/screenshot.h"

namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A button with a plain fill and no border, as a derived button may paint it, so that
// everything else on it stands out.
class PlainButton : public CButtonQx {
 public:
  using CButtonQx::CButtonQx;

 protected:
  int DrawBackground(QPainter& painter, const PixelRect& rect) override {
    FillPixels(painter, rect, MakeColorRef(255, 255, 255));
    return 0;
  }
  int DrawBorder(QPainter&, const PixelRect&) override { return 0; }
};

// The bounding box of the pixels that are not white.
QRect Inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

QPixmap Solid(QSize size, QRgb color) {
  QPixmap pixmap(size);
  pixmap.fill(QColor::fromRgb(color));
  return pixmap;
}

void Hover(QWidget& widget) {
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
  QApplication::sendEvent(&widget, &enter);
}

class CommandWindow : public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_COMMAND) commands.push_back({wParam, lParam});
    return 0;
  }
  std::vector<std::pair<WPARAM, LPARAM>> commands;
};

}  // namespace

TEST(ButtonQx, GradientBandsAndTinyButtons) {
  const std::vector<ColorRef> rows = ButtonGradientRows({0, 0, 60, 24});
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows[0], MakeColorRef(192, 237, 255));
  EXPECT_EQ(rows[11], MakeColorRef(148, 216, 254));  // 192 - 11 * 47 / 12, ... truncated
  EXPECT_EQ(rows[12], MakeColorRef(104, 195, 249));
  EXPECT_EQ(ButtonGradientRows({0, 0, 60, 1}), std::vector<ColorRef>{MakeColorRef(104, 195, 249)});

  CButtonQx button;
  button.resize(60, 24);
  button.setDown(true);
  const QImage image = Grab(button);
  SaveScreenshot(button, QStringLiteral("button_qx_pressed_gradient"));
  for (int row : {1, 11, 12, 22}) {
    EXPECT_EQ(image.pixel(30, row), ColorRefToQRgb(rows[static_cast<std::size_t>(row)])) << row;
  }
  button.resize(60, 1);
  EXPECT_FALSE(button.grab().isNull());

  // As the dialogs use it: a bitmap above its caption, hovered.
  CButtonQx tool(QStringLiteral("Add pictures"), nullptr);
  tool.resize(64, 56);
  ASSERT_EQ(tool.SetIcon(Solid({24, 24}, kRed), CButtonQx::IdleIcon::Grey), 0);
  tool.SetImageAlignment(1);
  tool.SetHoverBackground(MakeColorRef(198, 230, 247));
  Hover(tool);
  SaveScreenshot(tool, QStringLiteral("button_qx_tool_hovered"));
}

TEST(ButtonQx, CaptionIsCentredAndPressedMovesItByOnePixel) {
  PlainButton button(QStringLiteral("Caption"), nullptr);
  button.resize(120, 40);
  const QRect idle = Inked(Grab(button));
  ASSERT_FALSE(idle.isEmpty());
  EXPECT_NEAR(idle.center().x(), 60, 2);
  EXPECT_NEAR(idle.center().y(), 20, 3);
  button.setDown(true);
  EXPECT_EQ(Inked(Grab(button)), idle.translated(1, 1));
  SaveScreenshot(button, QStringLiteral("button_qx_caption_pressed"));

  // In check-box mode a checked button is pressed but its caption stays.
  button.setDown(false);
  button.SetButtonStyle(3);
  button.SetCheck(1);
  EXPECT_EQ(Inked(Grab(button)), idle);
}

TEST(ButtonQx, ImagePlacementAndTheIdleGreyIcon) {
  PlainButton button;
  button.resize(60, 40);
  ASSERT_EQ(button.SetIcon(Solid({16, 16}, kRed), CButtonQx::IdleIcon::Grey), 0);
  button.SetImageAlignment(2);
  // Right of an empty caption: centred across, kept at the top.
  QImage image = Grab(button);
  EXPECT_EQ(Inked(image), QRect(22, 0, 16, 16));
  EXPECT_EQ(image.pixel(30, 8), qRgb(76, 76, 76));  // idle: the grey copy
  Hover(button);
  image = Grab(button);
  EXPECT_EQ(image.pixel(30, 8), kRed);
  SaveScreenshot(button, QStringLiteral("button_qx_icon_hovered"));

  // Above a caption: three pixels from the top, centred across.
  button.setText(QStringLiteral("Go"));
  button.SetImageAlignment(1);
  EXPECT_EQ(Grab(button).pixel(22, 3), kRed);
  EXPECT_EQ(Grab(button).pixel(22, 2), qRgb(255, 255, 255));
}

TEST(ButtonQx, BitmapsMaskedDisabledEmbossedAndUnreadable) {
  QTemporaryDir dir;
  QImage picture(10, 10, QImage::Format_RGB32);
  picture.fill(Qt::white);
  picture.setPixel(5, 5, qRgb(0, 0, 0));
  picture.setPixel(4, 5, kRed);
  const QString path = dir.filePath(QStringLiteral("bitmap.png"));
  ASSERT_TRUE(picture.save(path));

  PlainButton button;
  button.resize(30, 30);
  ASSERT_EQ(button.SetButtonBitmaps(path), 0);
  QImage image = Grab(button);
  // White is transparent: only the two pixels show, at the image's centred place.
  EXPECT_EQ(Inked(image), QRect(14, 15, 2, 1));
  EXPECT_EQ(image.pixel(14, 15), kRed);

  button.setEnabled(false);
  image = Grab(button);
  SaveScreenshot(button, QStringLiteral("button_qx_disabled_bitmap"));
  EXPECT_EQ(image.pixel(14, 15), ColorRefToQRgb(SysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(image.pixel(15, 16), ColorRefToQRgb(SysColor(COLOR_3DHILIGHT)));

  // A file that cannot be read leaves no image at all.
  EXPECT_EQ(button.SetButtonBitmaps(dir.filePath(QStringLiteral("missing.bmp"))), 1);
  EXPECT_TRUE(Inked(Grab(button)).isEmpty());
  ASSERT_EQ(button.SetButtonBitmaps(path), 0);
  EXPECT_EQ(button.SetButtonBitmaps(path, dir.filePath(QStringLiteral("missing.bmp"))), 1);
  EXPECT_TRUE(Inked(Grab(button)).isEmpty());
}

TEST(ButtonQx, CheckBoxModeTogglesOnEveryClick) {
  CButtonQx button(QStringLiteral("Bold"), nullptr);
  button.resize(60, 24);
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  button.SetCheck(1);
  EXPECT_EQ(button.GetCheck(), 0);  // not in check-box mode
  button.SetButtonStyle(3);         // an automatic check box
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(button.GetCheck(), 1);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(button.GetCheck(), 0);
  QTest::mouseDClick(&button, Qt::LeftButton);
  EXPECT_EQ(button.GetCheck(), 0);  // toggled twice
  button.SetCheck(2);
  EXPECT_EQ(button.GetCheck(), 1);

  EXPECT_EQ(button.DialogCode(), CButtonQx::kDlgcButton | CButtonQx::kDlgcUndefPushButton);
  button.SetButtonStyle(1);
  EXPECT_EQ(button.DialogCode(), CButtonQx::kDlgcButton | CButtonQx::kDlgcDefPushButton);
}

TEST(ButtonQx, DropDownPostsTheChosenCommand) {
  AddMenuTemplate({9201,
                   QStringLiteral("IDR_DROP_DOWN"),
                   {{MF_POPUP | MF_END, 0, QStringLiteral("Tools")},
                    {0, 401, QStringLiteral("&First")},
                    {MF_END, 402, QStringLiteral("&Second")}}});
  CommandWindow window;
  CButtonQx button(QStringLiteral("Tools"), nullptr);
  button.resize(60, 24);
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  ASSERT_EQ(button.SetMenu(9201, window.Handle()), 1);
  QTimer::singleShot(0, [] {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    SaveScreenshot(*popup, QStringLiteral("button_qx_drop_down"));
    QTest::keyClicks(popup, QStringLiteral("s"));
  });
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EVENTUALLY_EQ(window.commands.size(), 1u);
  EXPECT_EQ(window.commands[0], std::make_pair(WPARAM{402}, LPARAM{0}));
}

TEST(ButtonQx, TooltipsWrapAndDeactivate) {
  CButtonQx button;
  button.SetTipText(QString(), true);
  EXPECT_TRUE(button.toolTip().isEmpty());
  button.SetTipText(QStringLiteral("Browse <files>"), true);
  EXPECT_TRUE(button.toolTip().contains(QStringLiteral("Browse &lt;files&gt;")));
  const QString longTip = QStringLiteral("word ").repeated(200);
  button.SetTipText(longTip, true);
  EXPECT_GT(button.toolTip().count(QStringLiteral("<br>")), 3);
  button.SetTipText(longTip, false);
  EXPECT_TRUE(button.toolTip().isEmpty());
}
