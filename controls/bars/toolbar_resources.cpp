#include "controls/bars/toolbar_resources.h"

#include <array>

namespace {

// The project page's toolbar above the tree: add program, add area, delete, up, down.
constexpr std::array<UINT, 6> kProjectPageBar = {32785, 32786, 0, 32789, 32790, 32791};
// The preview frame's toolbar: zoom, align and size, play.
constexpr std::array<UINT, 13> kPreviewFrameBar = {32845, 32846, 0,     32847, 32848, 32849, 32850,
                                                   0,     32851, 32852, 32853, 0,     32854};

// The main window's toolbar: edit, search, send to screens (with its drop-down), USB,
// send.
constexpr std::array<UINT, 5> kMainWindowBar = {32777, 32796, 32795, 32794, 32780};

struct Entry {
  int id;
  std::span<const UINT> commands;
};

constexpr Entry kToolbars[] = {
    {131, kMainWindowBar},
    {138, kProjectPageBar},
    {214, kPreviewFrameBar},
};

}  // namespace

std::optional<std::span<const UINT>> FindToolbarResource(int resourceId) {
  for (const Entry& entry : kToolbars) {
    if (entry.id == resourceId) return entry.commands;
  }
  return std::nullopt;
}
