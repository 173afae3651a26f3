#include "render/flash/back_swf_image.h"

#include "model/common/guid_text.h"
#include "render/flash/flash_background.h"
#include "render/frame/pak_file.h"
#include "render/raster/fill_rect.h"

int CBackSwfImage::Load(int number, int width, int height, int record, const QString& guid) {
  if (number < 0 || !IsGuidText(guid)) return 0;
  // The movie reads its parameters when it starts; a folder prepared before still
  // serves when this preparation fails, and a missing one makes Open fail.
  static_cast<void>(PrepareFlashBackground(number, guid, width, height));
  backgroundMode_ = 1;
  recordMode_ = record != 0 ? 1 : 0;
  framePath_ = recordMode_ != 0 ? PakFramePath(guid) : QString();
  if (Open(width, FlashBackgroundMoviePath(number, guid), height) == 0) return 0;
  if (!SetPlayLength(kFlashBackgroundStay) || Play() == 0) {
    Close();
    return 0;
  }
  return 1;
}

int CBackSwfImage::Draw(QImage& dc, int width, int height) {
  if (Capture(dc) == 0) return 0;
  if (started_ == 0) {
    if (!ShowsFirstPaint(dc)) {
      FillRect(dc, PixelRectOfSize(width, height), MakeColorRef(0, 0, 0));
    } else {
      started_ = 1;
    }
  }
  return 1;
}
