// The main program's icons of our own drawing stay as they were drawn.
#include <gtest/gtest.h>

#include "app/canvas/frame_art.h"
#include "app/main_window/status_icons.h"
#include "app/send/send_icons.h"
#include "app/tree/tree_art.h"
#include "tests/support/screenshot.h"

TEST(AppArt, EveryIconIsDrawnAsKept) {
  ExpectArtAsKept(
      EveryIcon(SendIcon::Screen, [](SendIcon icon) { return PaintSendIcon(icon, 32); }),
      QStringLiteral("send"));
  ExpectArtAsKept(
      EveryIcon(PageArt::BackgroundTab, [](PageArt art) { return PaintPageArt(art, 32); }),
      QStringLiteral("tree_page"));
  ExpectArtAsKept(
      EveryIcon(kTreeImageCount - 1, [](int image) { return PaintTreeImage(image, 32); }),
      QStringLiteral("tree_images"));
  ExpectArtAsKept(EveryIcon(kFrameArtCount - 1, [](int index) { return PaintFrameArt(index, 32); }),
                  QStringLiteral("frame"));
  std::vector<QImage> status;
  for (StatusIcon icon : {StatusIcon::Success, StatusIcon::Failure, StatusIcon::Network,
                          StatusIcon::UsbDisk, StatusIcon::SerialLine}) {
    status.push_back(LoadStatusIcon(icon).toImage());
  }
  ExpectArtAsKept(status, QStringLiteral("status"));
}
