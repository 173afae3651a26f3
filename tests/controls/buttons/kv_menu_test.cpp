// The owner-drawn menu: measured sizes in both looks, accelerators in one column, check
// and radio marks, grayed items, loading from templates and mnemonics.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QStyleOptionMenuItem>
#include <QTest>

#include "controls/buttons/kv_menu.h"
#include "controls/buttons/menu_style.h"
#include "controls/support/image_effects.h"
#include "controls/support/sys_color.h"
#include "tests/support/screenshot.h"

namespace {

// Sets the look for one test and puts the flat one back.
struct Look {
  explicit Look(bool classic) { KvMenuStyle::SetClassicTheme(classic); }
  ~Look() { KvMenuStyle::SetClassicTheme(false); }
};

QSize Measure(QStyleOptionMenuItem::MenuItemType type, const QString& text) {
  QStyleOptionMenuItem option;
  option.menuItemType = type;
  option.text = text;
  option.font = QApplication::font("QMenu");
  return KvMenuStyle::Instance()->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(), nullptr);
}

// A menu with accelerators, a checked item, a radio item and a grayed one, shown.
void Fill(KvMenu& menu) {
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Open\tCtrl+O"), 0, 101));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("Save &As...\tCtrl+Shift+S"), 0, 102));
  ASSERT_TRUE(menu.AppendItem(QString(), 0, 0));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Grid"), MF_CHECKED, 103));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Large"), MF_CHECKED | MF_RADIOCHECK, 104));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Print\tCtrl+P"), MF_GRAYED, 105));
  menu.popup(QPoint(0, 0));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
}

// The rightmost column in the item's rows whose pixel is the colour.
int RightmostOf(const QImage& image, const QRect& item, QRgb color) {
  for (int x = item.right(); x >= item.left(); --x) {
    for (int y = item.top(); y <= item.bottom(); ++y) {
      if (image.pixel(x, y) == color) return x;
    }
  }
  return -1;
}

QRgb Rgb(int index) { return ColorRefToQRgb(SysColor(index)); }

}  // namespace

TEST(KvMenu, ItemAndSeparatorSizesInBothLooks) {
  const QFontMetrics metrics(QApplication::font("QMenu"));
  const int text = metrics.horizontalAdvance(QStringLiteral("Open"));
  {
    Look flat(false);
    EXPECT_EQ(Measure(QStyleOptionMenuItem::Normal, QStringLiteral("&Open")),
              QSize(text + 16 + 7 + 8, 22));  // max(menu bar 20, 15 + gap 7)
    EXPECT_EQ(Measure(QStyleOptionMenuItem::Separator, QString()).height(), 11);
  }
  {
    Look classic(true);
    EXPECT_EQ(Measure(QStyleOptionMenuItem::Normal, QStringLiteral("&Open")),
              QSize(text + 2 * 16 + 1, 20));
    EXPECT_EQ(Measure(QStyleOptionMenuItem::Separator, QString()).height(), 10);
  }
}

TEST(KvMenu, FlatLookMarksAcceleratorsAndGrayedItems) {
  KvMenu menu;
  Fill(menu);
  const QList<QAction*> items = menu.actions();
  menu.setActiveAction(items[5]);  // the grayed item
  const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
  SaveScreenshot(menu, QStringLiteral("kv_menu_flat"));

  // The accelerators end in one column, an image width before the right edge.
  const QRgb text = Rgb(COLOR_MENUTEXT);
  const int open = RightmostOf(image, menu.actionGeometry(items[0]), text);
  EXPECT_EQ(open, RightmostOf(image, menu.actionGeometry(items[1]), text));
  EXPECT_GT(open, menu.actionGeometry(items[0]).right() - 20);

  // A checked item without image: the tick inside the 85 % box; the radio item: a dot.
  const QRgb box = ColorRefToQRgb(BlendTowardsWhite(SysColor(COLOR_HIGHLIGHT), 0.85));
  for (int index : {3, 4}) {
    const QRect item = menu.actionGeometry(items[index]);
    const int left = item.left() + 4;                                  // (23 - 16) / 2 rounded up
    const int top = item.top() + 3;                                    // (22 - 16) / 2
    EXPECT_EQ(image.pixel(left, top), Rgb(COLOR_HIGHLIGHT)) << index;  // the frame
    EXPECT_EQ(image.pixel(left + 1, top + 1), box) << index;
    if (index == 3) {
      // The tick's first stroke covers rows 2-4, its last rows 0-2.
      EXPECT_EQ(image.pixel(left + 5, top + 4 + 2), text);
      EXPECT_EQ(image.pixel(left + 5, top + 4 + 5), box);
      EXPECT_EQ(image.pixel(left + 11, top + 4), text);
    } else {
      EXPECT_EQ(image.pixel(left + 5 + 3, top + 4 + 3), text);  // the dot's middle
      EXPECT_EQ(image.pixel(left + 5 + 7, top + 4 + 3), box);
    }
  }

  // The grayed item under the pointer keeps the plain face: no highlight box or frame.
  const QRect grayed = menu.actionGeometry(items[5]);
  EXPECT_EQ(image.pixel(grayed.left(), grayed.center().y()), Rgb(COLOR_3DFACE));
  EXPECT_EQ(image.pixel(grayed.right() - 2, grayed.top()), Rgb(COLOR_WINDOW));
}

TEST(KvMenu, ClassicLookHighlightsPastTheMarkColumn) {
  Look classic(true);
  KvMenu menu;
  Fill(menu);
  menu.setActiveAction(menu.actions()[3]);
  const QImage image = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
  SaveScreenshot(menu, QStringLiteral("kv_menu_classic"));
  const QRect checked = menu.actionGeometry(menu.actions()[3]);
  EXPECT_EQ(image.pixel(checked.left() + 16 + 5, checked.center().y()), Rgb(COLOR_HIGHLIGHT));
  EXPECT_EQ(image.pixel(checked.left() + 16 + 4, checked.center().y()), Rgb(COLOR_MENU));
}

TEST(KvMenu, LoadsTemplatesAndLeavesTheMenuWhenAbsent) {
  AddMenuTemplate({9101,
                   QStringLiteral("IDR_TEST_MENU"),
                   {{MF_POPUP, 0, QStringLiteral("&File")},
                    {0, 201, QStringLiteral("&New")},
                    {MF_POPUP, 0, QStringLiteral("&Recent")},
                    {MF_END, 202, QStringLiteral("&One")},
                    {MF_END, 203, QStringLiteral("E&xit")},
                    {MF_POPUP | MF_END, 0, QStringLiteral("&Help")},
                    {MF_END, 204, QStringLiteral("&About")}}});
  KvMenu menu;
  ASSERT_EQ(menu.LoadMenu(9101), 1);
  ASSERT_EQ(menu.actions().size(), 2);
  EXPECT_EQ(menu.ItemData(0)->flags, MF_BYPOSITION | MF_POPUP);
  KvMenu* file = menu.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->actions().size(), 3);
  EXPECT_EQ(file->ItemData(2)->commandId, 203u);
  EXPECT_EQ(file->ItemData(0)->flags, MF_OWNERDRAW);
  ASSERT_NE(file->GetSubMenu(1), nullptr);
  EXPECT_EQ(file->GetSubMenu(1)->ItemData(0)->commandId, 202u);
  EXPECT_EQ(menu.GetSubMenu(1)->ItemData(0)->commandId, 204u);

  EXPECT_EQ(menu.LoadMenu(9999), 0);
  EXPECT_EQ(menu.LoadMenu(QStringLiteral("IDR_NONE")), 0);
  EXPECT_EQ(menu.actions().size(), 2);
  EXPECT_EQ(menu.LoadMenu(QStringLiteral("IDR_TEST_MENU")), 1);
}

TEST(KvMenu, MnemonicsChooseTheFirstMatchingItem) {
  KvMenu menu;
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("A&&B"), 0, 300));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&File"), 0, 301));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Format"), 0, 302));
  ASSERT_TRUE(menu.AppendItem(QStringLiteral("&Back"), 0, 303));
  EXPECT_EQ(KvMenu::LookupMenuChar(u'f', MF_POPUP, &menu), kMenuCharExecute + 1);
  EXPECT_EQ(KvMenu::LookupMenuChar(u'F', MF_POPUP, &menu), kMenuCharExecute + 1);
  EXPECT_EQ(KvMenu::LookupMenuChar(u'b', MF_POPUP, &menu), kMenuCharExecute + 3);
  EXPECT_EQ(KvMenu::LookupMenuChar(u'z', MF_POPUP, &menu), 0);
  EXPECT_EQ(KvMenu::LookupMenuChar(u'f', 0, &menu), 0);  // not a popup
  QMenu plain;
  plain.addAction(QStringLiteral("&File"));
  EXPECT_EQ(KvMenu::LookupMenuChar(u'f', MF_POPUP, &plain), 0);

  // A pressed letter executes the item.
  menu.popup(QPoint(0, 0));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  QSignalSpy triggered(&menu, &QMenu::triggered);
  QTest::keyClick(&menu, Qt::Key_F, Qt::ShiftModifier);
  ASSERT_EQ(triggered.size(), 1);
  EXPECT_EQ(triggered[0][0].value<QAction*>(), menu.actions()[1]);
}
