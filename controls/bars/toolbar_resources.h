#pragma once
// Toolbar resources: the layout of each toolbar by its resource number, the command ids
// of its buttons from left to right, 0 for a separator. Each toolbar's owner keeps
// its layout in the table of toolbar_resources.cpp.

#include <optional>
#include <span>

#include "platform/window_handle.h"

// The buttons of the resource; nullopt for a number the table does not hold.
std::optional<std::span<const UINT>> FindToolbarResource(int resourceId);
