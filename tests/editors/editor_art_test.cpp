// The editors' icons of our own drawing stay as they were drawn.
#include <gtest/gtest.h>

#include "editors/image_text/image_text_art.h"
#include "editors/rich_text_editor/rtf_edit_art.h"
#include "editors/table_editor/table_edit_art.h"
#include "tests/support/screenshot.h"

TEST(EditorArt, EveryIconIsDrawnAsKept) {
  ExpectArtAsKept(
      EveryIcon(TableArt::AlignMiddle, [](TableArt art) { return PaintTableArt(art, 32); }),
      QStringLiteral("table_editor"));
  ExpectArtAsKept(EveryIcon(ImageTextArt::SameProperties,
                            [](ImageTextArt art) { return PaintImageTextArt(art, 32); }),
                  QStringLiteral("image_text"));
  ExpectArtAsKept(EveryIcon(RtfArt::Vertical, [](RtfArt art) { return PaintRtfArt(art, 32); }),
                  QStringLiteral("rich_text_editor"));
}
