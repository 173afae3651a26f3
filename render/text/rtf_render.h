#pragma once
// The rich-text renderers: an RTF file, loaded into the shared rich text and broken
// into lines at the area's width, drawn character by character into a frame file at
// the area's inner size on its background.
// - RenderRtfPages: wrapped lines broken into pages, aligned and spaced by their
//   paragraphs, optionally centred vertically (image-text pages, boot-logo text);
// - RenderRtfPagesNoEffect: the same first page only, black text drawn white
//   (image-text pages shown without an effect);
// - RenderRtfSingleLine: the whole text as one line, cut into centred pages of the
//   area width or, in continuous mode, into the frames of one long strip.
// Every renderer draws text in automatic colour white (kAutoTextColor).
// Every renderer returns 0, writing nothing and leaving any earlier frame file as it
// was, when it has no rich text, the size is not a picture size (Dib24), or the RTF
// file cannot be read; and 0 when the frame file cannot be written (it is then
// removed, so the content counts as outdated). GUI thread only: the rich text is
// shared by every renderer and caller.
//
// Every renderer stops at the page limit, MaxTextPages: a text that reaches it is
// written up to it, and *pageLimit (when given) is set; it is cleared otherwise.

#include <QString>

#include <cstdint>

#include "render/raster/color_ref.h"
#include "render/text/rich_text.h"

// Display effects that move pages vertically: their frame files carry the height as
// LastExtent.
constexpr int kEffectMoveUp = 8;
constexpr int kEffectMoveDown = 9;

// What a renderer needs of its area and item besides the files.
struct RtfRenderInput {
  int width = 0;  // inner size of the area in pixels
  int height = 0;
  ColorRef backColor = 0;
  int effect = 0;  // the item's display effect
  // Rows cut from the top and the bottom of each page before it is stretched to the
  // full height; clamped to height / 2 - 1. May be negative.
  int zoom = 0;
  int offset = 0;               // rows the result moves up (down when negative)
  bool verticalCentre = false;  // pages: centre the lines of each page vertically
  bool continuous = false;      // single line: one strip for continuous scrolling
  bool noGap = false;           // single line: no area width of gap after the text
};

// The page limit follows from what the controller library sends for one area:
// - an image-text area carries at most 65535 frames to the card (the frame total of
//   its block in the display data is a 16-bit field), and a text page, like each
//   frame of a continuous strip, is one frame;
// - the library takes at most 1 GiB of data for one page (one frame file). A text's
//   frame file stays within that too; its 24 bits a pixel are more than the at most
//   3 bits of the card's planes, so the planes made from it always fit.
constexpr int kMaxAreaFrames = 65535;
constexpr std::int64_t kMaxTextFrameFileBytes = std::int64_t{1} << 30;

// The most pages a text renders at width x height: the fewer of kMaxAreaFrames and
// the frames that fit kMaxTextFrameFileBytes with the header. At least 3 for every
// picture size (a frame is at most Dib24::kMaxBytes); 0 for a size that is none.
int MaxTextPages(int width, int height);

// Whether the frame file at path holds MaxTextPages frames of its size: the text
// reached the page limit there. False for a file that cannot be read as one.
bool ReachesTextPageLimit(const QString& pakPath);

// The rich text every ...ToPak renderer uses, set by its owner (the main window to
// its hidden rich-edit control's content) before any rendering; null until then.
extern RichText* RenderRichEdit;

// The number of pages written.
[[nodiscard]] int RenderRtfPages(const QString& rtfPath, const QString& pakPath, RichText* richEdit,
                                 const RtfRenderInput& input, bool* pageLimit = nullptr);
// 1: a file of one frame, its first page.
[[nodiscard]] int RenderRtfPagesNoEffect(const QString& rtfPath, const QString& pakPath,
                                         RichText* richEdit, const RtfRenderInput& input,
                                         bool* pageLimit = nullptr);
// The number of pages, or in continuous mode the strip's width in pixels (a strip
// cut at the page limit ends with its last frame).
[[nodiscard]] int RenderRtfSingleLine(const QString& rtfPath, const QString& pakPath,
                                      RichText* richEdit, const RtfRenderInput& input,
                                      bool* pageLimit = nullptr);

// The same with RenderRichEdit.
[[nodiscard]] int RenderRtfPagesToPak(const QString& rtfPath, const QString& pakPath,
                                      const RtfRenderInput& input, bool* pageLimit = nullptr);
[[nodiscard]] int RenderRtfPagesNoEffectToPak(const QString& rtfPath, const QString& pakPath,
                                              const RtfRenderInput& input,
                                              bool* pageLimit = nullptr);
[[nodiscard]] int RenderRtfSingleLineToPak(const QString& rtfPath, const QString& pakPath,
                                           const RtfRenderInput& input, bool* pageLimit = nullptr);

// A new rich-text page's file: the RTF file at rtfPath (its folder made when missing)
// holding text alone in red "宋体" (GB2312) 12 points, written through RenderRichEdit;
// the fields of mask are set (the others stay the control's default). False when the
// file cannot be written or RenderRichEdit is unset.
[[nodiscard]] bool WriteNewRichText(const QString& rtfPath, const QString& text, unsigned mask);
