#pragma once
// The frames of an animated GIF as a viewer shows them, each composed over what the
// frames before it left (giflib decodes them; Qt's reader keeps frames the format
// says to clear). After a frame is shown, its disposal method applies:
// - none (0) or keep (1): the frame stays under the next;
// - restore to background (2): its rectangle becomes transparent, so the item's
//   background shows there, as web browsers show it;
// - restore to previous (3): its rectangle goes back to what it was before it.
// Pixels of a frame's transparent colour leave what is under them. The canvas starts
// transparent, at the size of the file's logical screen (the first frame's extent
// when the screen has none); frames are clipped to it.
//
// A file of another kind (a picture named ".gif") gives its pictures as Qt's reader
// reads them, as before.
//
// Nothing in the file is trusted: the canvas and every frame hold at most
// kMaxGifPixels, an index past the colour table draws black, and a frame that cannot
// be decoded ends the frames.

#include <QImage>

#include <cstdint>
#include <memory>

#include "render/raster/picture_file.h"

// Qt's own reader refuses pictures past 256 MiB; a 32-bit canvas of this many pixels
// is that size.
constexpr std::int64_t kMaxGifPixels = std::int64_t{64} << 20;
// The work one pass through a GIF may take: its frames times its canvas's pixels.
// That is every frame an area carries (65535) of a 128 x 128 canvas, or 256 frames
// of 2048 x 2048, and a few seconds of composing; the per-frame limit alone would
// allow over an hour from a small file.
constexpr std::int64_t kMaxGifComposedPixels = std::int64_t{1} << 30;

class GifFrames {
 public:
  GifFrames();
  ~GifFrames();
  GifFrames(const GifFrames&) = delete;
  GifFrames& operator=(const GifFrames&) = delete;

  // Starts at the first frame of file, which must outlive the frames and must not be
  // read otherwise meanwhile. False when the file is a GIF that giflib cannot open,
  // or whose frames times its logical screen pass kMaxGifComposedPixels (TooLarge).
  [[nodiscard]] bool Open(PictureFile& file);
  // Whether the last Open, or the frames since, passed kMaxGifComposedPixels: a GIF
  // whose canvas is known only from its first frame ends its frames (Next gives null)
  // once the canvases composed pass it.
  bool TooLarge() const { return tooLarge_; }
  // The frames the file holds: of a GIF, the images it starts (GifFrameDelays), of
  // another picture, what Qt's reader counts.
  int Count() const { return count_; }
  // The next frame (Format_ARGB32 for a GIF, with alpha 0 where nothing is drawn);
  // null after the last frame or when it cannot be decoded.
  QImage Next();

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;  // of a GIF
  QImageReader* reader_ = nullptr;    // of a picture of another kind
  int count_ = 0;
  bool tooLarge_ = false;
};
