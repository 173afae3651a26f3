#pragma once
// The colours the preview shows of a screen's content: reduced as that screen's card
// reduces them (render/raster/screen_colors.h). Every place the preview composes an
// area, a border or a picture takes them from here.

#include <optional>

#include "render/raster/screen_colors.h"

struct ScreenRecord;

// The colours of the screen's LedColor; none without a screen (nothing is known of a
// card then, and colours are shown as chosen).
std::optional<ScreenColors> PreviewColors(const ScreenRecord* screen);
