// The styled message box: buttons, icons and results of each style, keys and close
// requests that must not end it, captions from the language file, the outline cut
// by the see-through colour, the text's bottom edge, and the sprite's blink.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include "controls/dialogs/style_message_dialog.h"
#include "model/common/app_dir.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

const int kButtonIds[] = {kIdcMessageOk, kIdcMessageCancel, kIdcMessageYes, kIdcMessageNo};

void UseLanguageFile() {
  QDir().mkpath(GetAppDir() + "language");
  LangIniPath = GetAppDir() + "language/english.ini";
  QFile file(LangIniPath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[PUBLIC]\n1000=Okay\n1001=Cancel\n1002=Yes\n1003=No\n");
}

QPushButton* Button(QWidget* box, int controlId) {
  return qobject_cast<QPushButton*>(FindControl(box, controlId));
}

// Runs ShowStyleMessage; once the box is up, `act` gets it and presses a button.
int RunBox(const QString& text, int style, const std::function<void(CStyleMessageDialog*)>& act) {
  QTimer::singleShot(0, [act] {
    auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    act(box);
  });
  return ShowStyleMessage(text, style);
}

struct StyleCase {
  int style;
  QStyle::StandardPixmap icon;
  std::vector<std::pair<int, int>> shown;  // control id, left edge
  int press;                               // control id
  int result;
};

TEST(StyleMessageDialog, EachStyleShowsItsButtonsAndAnswersThePressedOne) {
  UseLanguageFile();
  const StyleCase cases[] = {
      {0x30, QStyle::SP_MessageBoxWarning, {{kIdcMessageOk, 410}}, kIdcMessageOk, kIdOk},
      {0x21,
       QStyle::SP_MessageBoxInformation,
       {{kIdcMessageOk, 340}, {kIdcMessageCancel, 410}},
       kIdcMessageCancel,
       kIdCancel},
      {0x13,
       QStyle::SP_MessageBoxCritical,
       {{kIdcMessageYes, 260}, {kIdcMessageNo, 340}, {kIdcMessageCancel, 410}},
       kIdcMessageYes,
       kIdYes},
      {0x13,
       QStyle::SP_MessageBoxCritical,
       {{kIdcMessageYes, 260}, {kIdcMessageNo, 340}, {kIdcMessageCancel, 410}},
       kIdcMessageNo,
       kIdNo},
      {4, QStyle::SP_MessageBoxInformation, {{kIdcMessageOk, 410}}, kIdcMessageOk, kIdOk},
  };
  const QImage bare = LoadStyleMessagePictures().background.convertToFormat(QImage::Format_RGB32);
  for (const StyleCase& c : cases) {
    SCOPED_TRACE(c.style);
    EXPECT_EQ(StyleMessageIcon(c.style), c.icon);
    const int result =
        RunBox(u"The screen was not found. Check its address and try again."_s, c.style,
               [&](CStyleMessageDialog* box) {
                 SaveScreenshot(*box, u"style_message_%1_%2"_s.arg(c.style, 0, 16).arg(c.result));
                 EXPECT_EQ(box->size(), QSize(500, 260));
                 // The icon is drawn into the picture at (200, 110).
                 EXPECT_NE(box->Background().copy(200, 110, 32, 32), bare.copy(200, 110, 32, 32));
                 for (int id : kButtonIds) {
                   QPushButton* button = Button(box, id);
                   ASSERT_NE(button, nullptr);
                   auto shown = std::find_if(c.shown.begin(), c.shown.end(),
                                             [id](const auto& s) { return s.first == id; });
                   EXPECT_EQ(button->isVisible(), shown != c.shown.end()) << id;
                   if (shown != c.shown.end()) {
                     EXPECT_EQ(button->geometry(), QRect(shown->second, 220, 64, 24)) << id;
                   }
                 }
                 EXPECT_EQ(Button(box, kIdcMessageOk)->text(), u"Okay");
                 EXPECT_EQ(Button(box, kIdcMessageNo)->text(), u"No");
                 QTest::mouseClick(Button(box, c.press), Qt::LeftButton);
               });
    EXPECT_EQ(result, c.result);
  }
}

TEST(StyleMessageDialog, KeysAndCloseRequestsLeaveItOpen) {
  const int result = RunBox(u"Delete the screen?"_s, 0x21, [](CStyleMessageDialog* box) {
    std::vector<QWidget*> targets{box, Button(box, kIdcMessageOk), Button(box, kIdcMessageCancel)};
    for (QWidget* target : targets) {
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(target, key);
      }
    }
    EXPECT_FALSE(box->close());
    QApplication::processEvents();
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->Result(), kIdCancel);
    // Space still presses the focused button.
    QTest::keyClick(Button(box, kIdcMessageOk), Qt::Key_Space);
  });
  EXPECT_EQ(result, kIdOk);
}

TEST(StyleMessageDialog, SeeThroughColourCutsTheOutline) {
  QImage picture(500, 260, QImage::Format_RGB32);
  picture.fill(kSeeThroughColor);
  for (int y = 8; y < 252; ++y) {
    for (int x = 8 + (y % 7); x < 492; ++x) picture.setPixel(x, y, qRgb(200, 220, 240));
  }
  for (int y = 20; y < 60; ++y) {
    for (int x = 20; x < 60; ++x) picture.setPixel(x, y, kSeeThroughColor);  // a hole
  }
  picture.setPixel(1, 1, qRgb(246, 250, 253));  // one unit off the key stays
  CStyleMessageDialog box(u"Saved."_s, 0x40, nullptr, {picture, QImage()});
  const QRegion mask = box.mask();
  int see_through = 0;
  for (int y = 0; y < 260; ++y) {
    for (int x = 0; x < 500; ++x) {
      const bool key = picture.pixel(x, y) == kSeeThroughColor;
      see_through += key;
      ASSERT_EQ(mask.contains(QPoint(x, y)), !key) << x << "," << y;
    }
  }
  EXPECT_GT(see_through, 1600);
}

TEST(StyleMessageDialog, OverlongTextLeavesNoPartialLine) {
  QImage white(500, 260, QImage::Format_RGB32);
  white.fill(Qt::white);
  QString text;
  for (int i = 0; i < 80; ++i) text += u"word%1 "_s.arg(i);
  CStyleMessageDialog box(text, 0, nullptr, {white, QImage()});
  box.show();
  SaveScreenshot(box, u"style_message_overlong"_s);
  const int lineHeight = QFontMetrics(StyleMessageFont()).height();
  const int lastBottom = 115 + (100 / lineHeight) * lineHeight;
  const QImage& drawn = box.Background();
  auto inked = [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
      for (int x = 240; x < 470; ++x) {
        if (drawn.pixel(x, y) != white.pixel(x, y)) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(inked(lastBottom - lineHeight, lastBottom));  // the last whole line
  EXPECT_FALSE(inked(lastBottom, 260));
  EXPECT_FALSE(inked(0, 115));
}

TEST(StyleMessageDialog, SpriteBlinksForThreeHundredMsEveryTwoThousand) {
  const StyleMessagePictures pictures = LoadStyleMessagePictures();
  ASSERT_EQ(pictures.background.size(), QSize(500, 260));
  ASSERT_EQ(pictures.sprite.size(), QSize(24, 16));
  CStyleMessageDialog box(u"Sent."_s, 0x40);
  box.show();
  auto spriteArea = [&] {
    return box.grab(QRect(80, 50, 24, 16)).toImage().convertToFormat(QImage::Format_RGB32);
  };
  const QImage sprite = pictures.sprite.convertToFormat(QImage::Format_RGB32);

  EXPECT_FALSE(box.SpriteShown());
  EXPECT_TRUE(box.BlinkTimer().isActive());
  EXPECT_EQ(box.BlinkTimer().interval(), 2000);
  EXPECT_NE(spriteArea(), sprite);

  box.OnBlinkTimer();
  EXPECT_TRUE(box.SpriteShown());
  EXPECT_EQ(box.BlinkTimer().interval(), 300);
  EXPECT_EQ(spriteArea(), sprite);
  SaveScreenshot(box, u"style_message_sprite_shown"_s);

  box.OnBlinkTimer();
  EXPECT_FALSE(box.SpriteShown());
  EXPECT_EQ(box.BlinkTimer().interval(), 2000);
  EXPECT_NE(spriteArea(), sprite);
}

TEST(StyleMessageDialog, DragsByAFreeSpot) {
  CStyleMessageDialog box(u"Moved."_s, 0);
  box.move(100, 100);
  box.show();
  QApplication::processEvents();
  const QPoint start = box.frameGeometry().topLeft();
  const QPoint global = box.mapToGlobal(QPoint(150, 30));
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(150, 30));
  QMouseEvent move(QEvent::MouseMove, QPoint(180, 50), global + QPoint(30, 20), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &move);
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(180, 50));
  EXPECT_EQ(box.frameGeometry().topLeft(), start + QPoint(30, 20));
}

}  // namespace
