#pragma once
// How the image-text page opens the table editor on one of its table pages. The main
// window publishes the editor here as it starts, so that the page, which may not
// include the editors, opens it as it opens the rich-text editor.

#include <QString>

#include <functional>

#include "platform/window_handle.h"

struct FileItem;
class QWidget;

// What the editor edits: the page's table file, its record (edited in place), the
// area's inner size (the size a new table fills) and the window that gets its
// UM_RERENDER_ITEM messages.
struct TableEditRequest {
  QString tablePath;
  FileItem* item = nullptr;  // not null
  int width = 1;
  int height = 1;
  HWND owner = nullptr;
  QWidget* parent = nullptr;  // the window the editor is modal over
};

// Runs the editor modally and returns when it has closed. Empty until the main
// window sets it.
extern std::function<void(const TableEditRequest& request)> RunTableEditor;
