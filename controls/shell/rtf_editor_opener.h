#pragma once
// How a page or pane opens the rich-text editor on one of its rich-text pages. The
// main window publishes the editor here as it starts, so that the panes, which may not
// include the editors, open it as the image-text page does.

#include <QString>

#include <functional>

#include "platform/window_handle.h"

struct FileItem;
class QWidget;

// What the editor edits: the page's RTF file, the area's inner size (the width its
// lines break at), the page's record, edited in place, and the window that gets its
// UM_RERENDER_ITEM messages.
struct RtfEditRequest {
  QString rtfPath;
  int width = 1;
  int height = 1;
  FileItem* item = nullptr;  // not null
  HWND owner = nullptr;
  QWidget* parent = nullptr;  // the window the editor is modal over
};

// Runs the editor modally and returns when it has closed. Empty until the main
// window sets it.
extern std::function<void(const RtfEditRequest& request)> RunRtfEditor;
