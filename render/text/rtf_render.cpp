#include "render/text/rtf_render.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "model/common/file_system.h"
#include "render/frame/pak_frame_reader.h"
#include "render/raster/dib24.h"

RichText* RenderRichEdit = nullptr;

int MaxTextPages(int width, int height) {
  if (!Dib24::IsValidSize(width, height)) return 0;
  const std::int64_t fit =
      (kMaxTextFrameFileBytes - kPakHeaderSize) / Dib24::PictureBytes(width, height);
  return static_cast<int>(std::min<std::int64_t>(kMaxAreaFrames, fit));
}

bool ReachesTextPageLimit(const QString& pakPath) {
  PakFrameReader reader;
  if (!reader.Open(pakPath) || reader.ReadHeader() != PakCheck::Ok) return false;
  const PakFileHeader& header = reader.Header();
  return header.FrameCount >= MaxTextPages(header.Width, header.Height);
}

int RenderRtfPagesToPak(const QString& rtfPath, const QString& pakPath, const RtfRenderInput& input,
                        bool* pageLimit) {
  return RenderRtfPages(rtfPath, pakPath, RenderRichEdit, input, pageLimit);
}

int RenderRtfPagesNoEffectToPak(const QString& rtfPath, const QString& pakPath,
                                const RtfRenderInput& input, bool* pageLimit) {
  return RenderRtfPagesNoEffect(rtfPath, pakPath, RenderRichEdit, input, pageLimit);
}

int RenderRtfSingleLineToPak(const QString& rtfPath, const QString& pakPath,
                             const RtfRenderInput& input, bool* pageLimit) {
  return RenderRtfSingleLine(rtfPath, pakPath, RenderRichEdit, input, pageLimit);
}

bool WriteNewRichText(const QString& rtfPath, const QString& text, unsigned mask) {
  constexpr ColorRef kRed = 0x0000FF;
  constexpr int kTwelvePoints = 240;  // twips
  constexpr std::uint8_t kGb2312CharSet = 134;
  if (RenderRichEdit == nullptr || !CreateDirTree(QFileInfo(rtfPath).absolutePath())) return false;
  QFile file(rtfPath);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  file.close();
  if (!RenderRichEdit->LoadRtfFile(rtfPath)) return false;
  RenderRichEdit->SetText(text);
  RichCharFormat format;
  format.face = QStringLiteral(u"宋体");
  format.charSet = kGb2312CharSet;
  format.twips = kTwelvePoints;
  format.color = kRed;
  format.autoColor = false;
  RenderRichEdit->SetCharFormat(0, -1, format, mask);
  return RenderRichEdit->SaveRtfFile(rtfPath);
}
