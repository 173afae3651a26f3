// The progress list: how a status text sets the bar, and where bars are painted: in
// the bar column of rows inserted with both columns set, inset from the cell, only in
// view, after a status changes, and with the user's own result words.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>

#include "controls/lists/list_ctrl_ex.h"
#include "tests/support/screenshot.h"

namespace {

constexpr QRgb kBarColor = qRgb(255, 0, 255);

bool IsBarPixel(QRgb pixel) {
  return qRed(pixel) > 160 && qBlue(pixel) > 160 && qGreen(pixel) < 120;
}

// The rectangle around the bar pixels inside the area (empty when there are none).
QRect BarPixels(const QImage& shot, const QRect& area) {
  QRect found;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (IsBarPixel(shot.pixel(x, y))) found |= QRect(x, y, 1, 1);
    }
  }
  return found;
}

// Gathers the regions a widget paints.
struct PaintRecorder : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion region;
};

// A send list: name, address, progress (bars) and status columns.
struct SendList {
  explicit SendList(bool setColumns = true) {
    QPalette palette = list.palette();
    palette.setColor(QPalette::Highlight, QColor(kBarColor));
    list.setPalette(palette);
    list.setHeaderLabels({"Screen", "Address", "Progress", "Status"});
    if (setColumns) SetColumns();
    list.resize(420, 200);
  }
  void SetColumns() {
    list.SetBarColumn(2);
    list.SetStatusColumn(3);
  }
  void Add(const QString& name, const QString& status) {
    const int row = list.InsertProgressItem(list.GetItemCount(), name);
    EXPECT_TRUE(list.SetItemText(row, 3, status));
  }
  QImage Shot() {
    list.show();
    return list.viewport()->grab().toImage();
  }
  QRect Cell(int row, int column) const {
    return list.visualRect(list.model()->index(row, column));
  }
  CListCtrlEx list;
};

}  // namespace

TEST(ProgressList, StatusTextGivesTheBarValue) {
  const StatusWords words;
  const struct {
    const char* status;
    std::optional<int> percent;
  } cases[] = {
      {"45%", 45},
      {"150%", 100},
      {"-5%", std::nullopt},
      {"", std::nullopt},
      {"取消", std::nullopt},
      {"成功", 100},
      {"失败", 0},
      {"abc", 0},
      {"12abc", 12},
      {"45", 45},
      {"  7%", 7},
      {"+8%", 8},
      {"99999999999999999999%", 100},
      {"-0%", 0},
      {"-", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusToPercent(QString::fromUtf8(c.status), words), c.percent) << c.status;
  }
  const StatusWords sent{"Sent", "Failed", "Cancelled"};
  EXPECT_EQ(StatusToPercent("Sent", sent), 100);
  EXPECT_EQ(StatusToPercent("Failed", sent), 0);
  EXPECT_EQ(StatusToPercent("Cancelled", sent), std::nullopt);
  EXPECT_EQ(StatusToPercent("成功", sent), 0);  // no longer a word: no number in it
}

TEST(ProgressList, BarsOnlyInTheBarColumnOfRowsMadeWithBothColumns) {
  SendList send(false);
  send.Add("before", "100%");  // inserted while the columns were unset
  send.SetColumns();
  send.Add("after", "100%");
  send.Add("half", "50%");
  const QImage shot = send.Shot();
  SaveScreenshot(send.list, "progress_list");

  EXPECT_TRUE(BarPixels(shot, send.Cell(0, 2)).isEmpty());
  for (int row : {1, 2}) {
    const QRect cell = send.Cell(row, 2);
    const QRect bar = BarPixels(shot, cell);
    ASSERT_FALSE(bar.isEmpty()) << row;
    EXPECT_TRUE(cell.adjusted(2, 2, -2, -2).contains(bar)) << row;
    for (int column : {0, 1, 3}) EXPECT_TRUE(BarPixels(shot, send.Cell(row, column)).isEmpty());
  }
  // The half bar ends near the middle of the full one.
  const int full = BarPixels(shot, send.Cell(1, 2)).width();
  EXPECT_NEAR(BarPixels(shot, send.Cell(2, 2)).width(), full / 2, 4);

  send.list.SetBarColumn(-1);
  EXPECT_TRUE(BarPixels(send.Shot(), send.list.viewport()->rect()).isEmpty());
}

TEST(ProgressList, BarsFollowStatusChangesScrollingAndTheUsersWords) {
  SendList send;
  for (int row = 0; row < 40; ++row) send.Add(QString("screen %1").arg(row), row < 5 ? "100%" : "");
  QImage shot = send.Shot();
  EXPECT_FALSE(BarPixels(shot, send.Cell(4, 2)).isEmpty());

  // Scrolled down, the first rows' bars are nowhere.
  send.list.scrollToItem(send.list.topLevelItem(10), QAbstractItemView::PositionAtTop);
  EXPECT_TRUE(BarPixels(send.Shot(), send.list.viewport()->rect()).isEmpty());

  // A status written while the row is in view repaints its bar, also in the row cut
  // by the bottom edge.
  const QRect viewport = send.list.viewport()->rect();
  const int lastRow = send.list.indexAt(QPoint(5, viewport.bottom())).row();
  ASSERT_GT(lastRow, 0);
  QApplication::processEvents();
  PaintRecorder painted;
  send.list.viewport()->installEventFilter(&painted);
  ASSERT_TRUE(send.list.SetItemText(lastRow, 3, "80%"));
  QApplication::processEvents();
  EXPECT_TRUE(painted.region.contains(send.Cell(lastRow, 2) & viewport));
  shot = send.Shot();
  EXPECT_FALSE(BarPixels(shot, send.Cell(lastRow, 2) & viewport).isEmpty());

  ASSERT_TRUE(send.list.SetItemText(lastRow, 3, "Sent"));
  EXPECT_EQ(send.list.RowPercent(lastRow), 0);
  send.list.SetStatusWords({"Sent", "Failed", "Cancelled"});
  EXPECT_EQ(send.list.RowPercent(lastRow), 100);
  EXPECT_FALSE(BarPixels(send.Shot(), send.Cell(lastRow, 2) & viewport).isEmpty());

  ASSERT_TRUE(send.list.SetItemData(lastRow, LPARAM{-7}));
  EXPECT_EQ(send.list.GetItemData(lastRow), -7);
  send.list.DeleteAllProgressItems();
  EXPECT_EQ(send.list.GetItemCount(), 0);
}
