#pragma once
// Building the project model in tests: a screen of a size, and an area of a kind at a
// rectangle given by its edges, as the records store it.

#include <cstdint>

#include "model/project/project_editing.h"
#include "model/project/project_globals.h"

namespace testsupport {

// Appends a screen of width x height pixels to ScreenList.
inline ScreenRecord& AddScreen(std::int32_t width, std::int32_t height) {
  ScreenRecord& screen = ScreenList.emplace_back();
  screen.LedWidth = width;
  screen.LedHeight = height;
  return screen;
}

// Adds an area of kind to program with the edges left, top, right and bottom.
inline AreaRecord& PlaceArea(ProgramRecord& program, std::int32_t kind, int left, int top,
                             int right, int bottom) {
  AreaRecord& area = *AddArea(program, kind);
  area.AreaRect_Left = left;
  area.AreaRect_Top = top;
  area.AreaRect_Right = right;
  area.AreaRect_Bottom = bottom;
  return area;
}

}  // namespace testsupport
