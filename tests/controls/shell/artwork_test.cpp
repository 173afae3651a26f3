// The shell's icons of our own drawing stay as they were drawn.
#include <gtest/gtest.h>

#include "controls/shell/artwork.h"
#include "tests/support/screenshot.h"

TEST(Artwork, EveryIconIsDrawnAsKept) {
  ExpectArtAsKept(EveryIcon(Art::MediaEntry, [](Art art) { return PaintArt(art, 32); }),
                  QStringLiteral("shell"));
}
