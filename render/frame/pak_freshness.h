#pragma once
// Whether the frame file of some content must be rendered again.

#include <QString>

#include "render/raster/color_ref.h"

// 1 when the frame file of the content whose GUID text is name must be rendered again:
// the name is not a GUID text, the file is missing, or its header is not a sound
// frame-file header for its file (bad magic, bad size, no frames, shorter than its
// frames) or was rendered at another width, height or background colour. Else 0. A
// file that exists but cannot be opened (OpenRegularFile) counts as current, so that
// content another process holds is not rendered over. Text, font and effect settings are not part
// of the test; the editors render again when they change them.
int IsPakOutdated(const QString& name, int width, int height, ColorRef backColor);
