#include "render/text/rtf_render.h"

RichText* RenderRichEdit = nullptr;

int RenderRtfPagesToPak(const QString& rtfPath, const QString& pakPath,
                        const RtfRenderInput& input) {
  return RenderRtfPages(rtfPath, pakPath, RenderRichEdit, input);
}

int RenderRtfPagesNoEffectToPak(const QString& rtfPath, const QString& pakPath,
                                const RtfRenderInput& input) {
  return RenderRtfPagesNoEffect(rtfPath, pakPath, RenderRichEdit, input);
}

int RenderRtfSingleLineToPak(const QString& rtfPath, const QString& pakPath,
                             const RtfRenderInput& input) {
  return RenderRtfSingleLine(rtfPath, pakPath, RenderRichEdit, input);
}
