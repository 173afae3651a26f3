#pragma once
// Runs a grid's print job on a printer: begin, every page from the first to the last
// the grid counted, end. The system has no print command of its own; this is what one
// would call.

#include <QPrinter>

#include "controls/grid/widget/grid_ctrl.h"

// False when the printer cannot be painted on or refuses a new page.
[[nodiscard]] bool PrintGrid(CGridCtrl& grid, QPrinter& printer);
