// Without a QGuiApplication (this suite has a QCoreApplication only) text cannot be
// drawn: the strips fail with a code instead of aborting the host.

#include <gtest/gtest.h>

#include "render/raster/gdi_text.h"
#include "sdk/Corvanix.h"
#include "sdk/generate/glyph_strips.h"

TEST(GlyphStripsWithoutGui, FailWithTheDrawingCode) {
  const QFont font = MakeLedFont(QStringLiteral("DejaVu Sans"), 16);
  GlyphStrip strip;
  EXPECT_EQ(RenderDigitStrip(font, 9, 16, strip), KQ_ERR_DRAW);
  EXPECT_EQ(MeasureWeekdayWidth(1, font), KQ_ERR_DRAW);
  EXPECT_EQ(RenderAmPmStrip(16, font, true, 20, strip), KQ_ERR_DRAW);
  EXPECT_TRUE(strip.bytes.empty());
}
