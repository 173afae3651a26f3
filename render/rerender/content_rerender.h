#pragma once
// Brings the frame files of text and table content up to date before content is played
// or sent: each frame file whose freshness test (IsPakOutdated) finds it missing or
// rendered at another size or background is rendered again at the area's content size,
// and the renderer's result is kept as the page count. Current files are left alone,
// so a second call renders nothing. Rich text is rendered on RenderRichEdit; while it is
// unset the renderers return 0, which is kept. A text that reaches the page limit
// (MaxTextPages) is rendered up to it; its frame file shows that whether or not it is
// rendered again, and the program builder reports it at every send
// (kRefusalTextPageLimit). GUI thread only; synchronous.

#include <QString>

#include <functional>

#include "model/project/content_size.h"
#include "model/project/project_records.h"
#include "model/project/send_job.h"
#include "render/text/rtf_render.h"

// The single-line renderer: RenderRtfSingleLine on RenderRichEdit unless a caller
// (a test) puts another in its place.
using SingleLineRenderer =
    std::function<int(const QString& rtfPath, const QString& pakPath, const RtfRenderInput& input)>;

// Whether a frame file that is current is rendered again too.
enum class RerenderWhen { kOutdated, kAlways };

// The text of a single-line area, rendered at size into its frame file when it is
// outdated (or always), the result kept as its page count. Nothing for a GUID text
// that is not one.
void RerenderSingleLine(SingleLineAreaInfo& info, const ContentSize& size, RerenderWhen when,
                        const SingleLineRenderer& render = {});

// Renders an image-text page of AddType 1-4 at the content size with its kind's
// renderer and inputs, when its frame file is outdated (or always), and keeps the
// result as its page count. A table page's file is tested against black,
// the background the table renderer always writes. False, rendering nothing, for a
// current file, another AddType or a GUID text that is not one.
bool RerenderPage(FileItem& page, const ContentSize& size, RerenderWhen when);

// A single-line area (its text) or an image-text area (its pages of AddType 1-4, in
// order); other kinds of area, other AddTypes and content whose GUID text is not one
// are left alone.
void RerenderAreaContent(AreaRecord& area);

// Every area of the item, in order.
void RerenderProgramContent(const ProgramSendItem& item);

// Every program item of the job, in order.
void RerenderScreenContent(const ScreenSendJob& job);

// Every item of PlayList, in order.
void RerenderPreviewContent();
