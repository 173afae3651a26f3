// The icon list box: item records through every edit, measured heights with and
// without icons, the selection gradient, and disabled items: grey, without gradient,
// their double click ignored.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>

#include "controls/lists/list_box_qx.h"
#include "controls/support/sys_color.h"
#include "tests/support/screenshot.h"

namespace {

constexpr QRgb kIconRed = qRgb(230, 0, 0);

// Black text, grey disabled text, white window: the colours the drawing is checked by.
class KnownPalette {
 public:
  KnownPalette() : saved_(QApplication::palette()) {
    QPalette palette = saved_;
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    QApplication::setPalette(palette);
  }
  ~KnownPalette() { QApplication::setPalette(saved_); }

 private:
  QPalette saved_;
};

ImageList RedIcons() {
  ImageList icons(QSize(16, 16));
  QImage red(16, 16, QImage::Format_RGB32);
  red.fill(kIconRed);
  icons.Add(red);
  icons.Add(red);
  return icons;
}

int Darkest(const QImage& shot, const QRect& area) {
  int darkest = 255;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x)
      darkest = std::min(darkest, qGray(shot.pixel(x, y)));
  }
  return darkest;
}

bool HasRed(const QImage& shot, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = shot.pixel(x, y);
      if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60) return true;
    }
  }
  return false;
}

}  // namespace

TEST(IconListBox, RecordsFollowEveryEdit) {
  CListBoxQx list;
  EXPECT_EQ(list.AddString("one", 3), 0);
  EXPECT_EQ(list.AddString("three", 4), 1);
  EXPECT_EQ(list.InsertString(1, "two", 5), 1);
  EXPECT_EQ(list.InsertString(-1, "four", 6), 3);
  EXPECT_EQ(list.InsertString(9, "far", 0), kListBoxError);
  EXPECT_EQ(list.GetItemRecord(1)->image, 5);

  EXPECT_EQ(list.SetItemData(1, LPARAM{0x7FFF12345678}), 0);
  EXPECT_EQ(list.SetItemData(4, 1), kListBoxError);
  list.setCurrentRow(1);
  EXPECT_EQ(list.SetItemText(1, "2"), 1);
  EXPECT_EQ(list.item(1)->text(), "2");
  EXPECT_EQ(list.GetItemData(1), LPARAM{0x7FFF12345678});
  EXPECT_EQ(list.GetItemRecord(1)->image, 5);
  EXPECT_EQ(list.currentRow(), 1);

  EXPECT_EQ(list.ReplaceString(1, "II"), 1);
  EXPECT_EQ(list.GetItemRecord(1)->image, 1);
  EXPECT_EQ(list.GetItemData(1), 0);
  EXPECT_EQ(list.ReplaceString(7, "x"), kListBoxError);

  EXPECT_EQ(list.DeleteString(0), 3);
  EXPECT_EQ(list.DeleteString(3), kListBoxError);
  list.FreeAllItemData();
  EXPECT_EQ(list.count(), 3);
  EXPECT_FALSE(list.GetItemRecord(0).has_value());
  EXPECT_EQ(list.SetItemData(0, 9), 0);  // a fresh record
  EXPECT_EQ(list.GetItemRecord(0)->image, 0);
}

TEST(IconListBox, SelectionGradientRows) {
  const std::vector<ColorRef> ten = SelectionGradientRows(10);  // 4 upper rows, 6 lower
  ASSERT_EQ(ten.size(), 10u);
  EXPECT_EQ(ten[0], MakeColorRef(194, 235, 255));
  EXPECT_EQ(ten[1], MakeColorRef(177, 227, 253));  // 194 - 65/4, 235 - 29/4, 255 - 6/4
  EXPECT_EQ(ten[3], MakeColorRef(145, 213, 250));
  EXPECT_EQ(ten[4], kSelectionBlue);
  EXPECT_EQ(ten[9], MakeColorRef(125, 202, 249));  // + 5 x 8/6
  EXPECT_EQ(SelectionGradientRows(2),
            (std::vector<ColorRef>{kSelectionBlue, MakeColorRef(123, 200, 247)}));
  EXPECT_TRUE(SelectionGradientRows(0).empty());
}

TEST(IconListBox, WithoutIconsTextAloneSetsHeightAndPlace) {
  KnownPalette palette;
  CListBoxQx list;
  list.setFrameShape(QFrame::NoFrame);
  list.resize(120, 300);
  list.AddString("MMMM", 0);
  list.AddString("a long text that wraps over several lines in this narrow list", 0);
  list.show();
  const int line = QFontMetrics(list.font()).height();
  const QRect first = list.visualItemRect(list.item(0));
  EXPECT_EQ(first.height(), line + 4);
  const QImage shot = list.viewport()->grab().toImage();
  EXPECT_LT(Darkest(shot, QRect(0, first.top(), 3, first.height())), 100);  // text from x 0

  const ImageList icons = RedIcons();
  list.SetImageList(&icons);
  QApplication::processEvents();
  EXPECT_EQ(list.visualItemRect(list.item(0)).height(), std::max(line, 20) + 4);
  const int wrapped = list.visualItemRect(list.item(1)).height();
  EXPECT_GT(wrapped, 2 * line + 4);
  EXPECT_EQ((wrapped - 4) % line, 0);  // whole lines of text, taller than the icon
  SaveScreenshot(list, "icon_list_box_wrapped");
}

TEST(IconListBox, SelectedItemsShowTheGradientDisabledOnesGreyAndDeaf) {
  KnownPalette palette;
  const ImageList icons = RedIcons();
  CListBoxQx list;
  list.resize(220, 120);
  list.SetImageList(&icons);
  list.AddString("Enabled item", 0);
  list.AddString("Disabled item", 1);
  CListBoxQxItem record = *list.GetItemRecord(1);
  record.flags |= kItemDisabled;
  ASSERT_EQ(list.SetItemRecord(1, record), 0);
  list.show();
  QSignalSpy doubleClicks(&list, &QListWidget::itemDoubleClicked);

  list.setCurrentRow(0);
  QImage shot = list.viewport()->grab().toImage();
  SaveScreenshot(list, "icon_list_box_selected");
  QRect row = list.visualItemRect(list.item(0));
  const std::vector<ColorRef> rows = SelectionGradientRows(row.height());
  for (int y : {0, row.height() / 2, row.height() - 1}) {
    EXPECT_EQ(QRgbToColorRef(shot.pixel(row.left() + 1, row.top() + y)), rows[y]) << y;
    EXPECT_EQ(QRgbToColorRef(shot.pixel(row.right() - 1, row.top() + y)), rows[y]) << y;
  }
  EXPECT_TRUE(HasRed(shot, row));

  list.setCurrentRow(1);  // a disabled item can be selected
  shot = list.viewport()->grab().toImage();
  SaveScreenshot(list, "icon_list_box_disabled");
  row = list.visualItemRect(list.item(1));
  EXPECT_EQ(shot.pixel(row.left() + 1, row.top() + 1), qRgb(255, 255, 255));  // no gradient
  EXPECT_EQ(shot.pixel(row.right() - 1, row.bottom() - 1), qRgb(255, 255, 255));
  EXPECT_FALSE(HasRed(shot, row));    // the icon is greyed
  EXPECT_GT(Darkest(shot, row), 60);  // and the text is grey, not black
  EXPECT_LT(Darkest(shot, row), 200);

  const auto doubleClick = [&](int index) {
    const QPointF at = list.visualItemRect(list.item(index)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held =
          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton, held, {});
      QApplication::sendEvent(list.viewport(), &event);
    }
  };
  doubleClick(1);
  EXPECT_EQ(doubleClicks.count(), 0);
  doubleClick(0);
  EXPECT_EQ(doubleClicks.count(), 1);
}

TEST(IconListBox, AnItemTwoPixelsHighPaints) {
  CListBoxQx list;
  list.AddString("x", 0);
  QImage canvas(50, 2, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  list.DrawItem(painter, 0, {0, 0, 50, 2}, true, true);
  painter.end();
  EXPECT_EQ(QRgbToColorRef(canvas.pixel(40, 0)), kSelectionBlue);
  EXPECT_EQ(QRgbToColorRef(canvas.pixel(40, 1)), MakeColorRef(123, 200, 247));
}
