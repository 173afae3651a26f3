// The stored font description: its layout, its face array read and written within its
// 32 units, and its way to a QFont and back.
#include <gtest/gtest.h>

#include <QFont>

#include <algorithm>
#include <cstring>

#include "render/raster/log_font.h"

using namespace Qt::StringLiterals;

TEST(LogFontW, StockFontAndStoredBytes) {
  const LogFontW stock = StockDefaultGuiFont();
  EXPECT_EQ(stock.lfHeight, -11);
  EXPECT_EQ(stock.lfWeight, 400);
  EXPECT_EQ(stock.lfCharSet, 1);
  EXPECT_EQ(LogFontFaceName(stock), u"MS Shell Dlg");
  // Bytes as the table file stores them: height at 0, weight at 16, face at 28.
  unsigned char bytes[sizeof(LogFontW)];
  std::memcpy(bytes, &stock, sizeof bytes);
  EXPECT_EQ(bytes[0], 0xF5);  // -11, little-endian
  EXPECT_EQ(bytes[16], 0x90);  // 400
  EXPECT_EQ(bytes[23], 1);     // character set
  EXPECT_EQ(bytes[28], 'M');
  EXPECT_TRUE(std::all_of(bytes + 28 + 2 * 12, bytes + 92, [](unsigned char b) { return b == 0; }));
}

TEST(LogFontW, FaceNeverReadOrWrittenPastItsArray) {
  LogFontW font;
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), u'A');
  EXPECT_EQ(LogFontFaceName(font), QString(32, u'A'));

  SetLogFontFaceName(font, QString(40, u'B'));
  EXPECT_EQ(LogFontFaceName(font), QString(31, u'B'));
  EXPECT_EQ(font.lfFaceName[31], 0);

  SetLogFontFaceName(font, u"Ab"_s);
  EXPECT_EQ(LogFontFaceName(font), u"Ab");
  EXPECT_EQ(font.lfFaceName[3], 0);  // the rest of the old name is gone
}

TEST(LogFontW, RoundTripThroughQFont) {
  LogFontW font;
  font.lfHeight = -15;
  font.lfWeight = 700;
  font.lfItalic = 1;
  font.lfUnderline = 1;
  font.lfStrikeOut = 1;
  font.lfCharSet = kDefaultCharSet;
  SetLogFontFaceName(font, u"DejaVu Sans"_s);
  const QFont qfont = LogFontToQFont(font);
  EXPECT_EQ(qfont.pixelSize(), 15);
  EXPECT_EQ(qfont.weight(), QFont::Bold);
  EXPECT_TRUE(qfont.italic());
  EXPECT_EQ(LogFontFromQFont(qfont), font);

  // A positive height is the cell height: the em comes out no taller.
  font.lfHeight = 20;
  EXPECT_LE(LogFontToQFont(font).pixelSize(), 20);
  EXPECT_GE(LogFontToQFont(font).pixelSize(), 12);
}
