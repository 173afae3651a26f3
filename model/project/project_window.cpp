#include "model/project/project_window.h"

namespace {
HWND projectWindow = nullptr;
}  // namespace

void SetProjectWindow(HWND window) { projectWindow = window; }

HWND ProjectWindow() { return projectWindow; }
