#include "controls/bars/toolbar_resources.h"

#include <array>

#include "controls/shell/content_page_ids.h"
#include "controls/shell/layout_frame_ids.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/rtf_edit_ids.h"
#include "controls/shell/table_edit_ids.h"

namespace {

// The project page's toolbar above the tree: add program, add area, delete, up, down.
constexpr std::array<UINT, 6> kProjectPageBar = {
    ID_TREE_ADD_PROGRAM, ID_TREE_ADD_AREA, 0, ID_TREE_DELETE, ID_TREE_MOVE_UP, ID_TREE_MOVE_DOWN};
// The preview frame's toolbar: zoom, align, size, play.
constexpr std::array<UINT, 13> kPreviewFrameBar = {ID_FRAME_ZOOM_IN,
                                                   ID_FRAME_ZOOM_OUT,
                                                   0,
                                                   ID_FRAME_ALIGN_LEFT,
                                                   ID_FRAME_ALIGN_RIGHT,
                                                   ID_FRAME_ALIGN_TOP,
                                                   ID_FRAME_ALIGN_BOTTOM,
                                                   0,
                                                   ID_FRAME_FULL_WIDTH,
                                                   ID_FRAME_FULL_HEIGHT,
                                                   ID_FRAME_FILL,
                                                   0,
                                                   ID_FRAME_PLAY};

// The main window's toolbar: edit, search, send to screens (with its drop-down), USB,
// send.
constexpr std::array<UINT, 5> kMainWindowBar = {ID_TOOLBAR_EDIT, ID_TOOLBAR_SEARCH,
                                                ID_TOOLBAR_SEND_TO_SCREENS, ID_TOOLBAR_USB,
                                                ID_TOOLBAR_SEND};

// The rich-text editor's toolbar: open, save, save as, then the edit commands.
constexpr std::array<UINT, 11> kRtfEditBar = {ID_RTF_TOOL_OPEN,       ID_RTF_TOOL_SAVE,
                                              ID_RTF_TOOL_SAVE_AS,    0,
                                              ID_RTF_TOOL_COPY,       ID_RTF_TOOL_CUT,
                                              ID_RTF_TOOL_PASTE,      ID_RTF_TOOL_DELETE,
                                              ID_RTF_TOOL_SELECT_ALL, 0,
                                              ID_RTF_TOOL_UNDO};

// The flash-words page's toolbar: add, then edit, delete, clear and apply to all.
constexpr std::array<UINT, 6> kFlashWordBar = {ID_FLASH_WORDS_ADD,   0,
                                               ID_FLASH_WORDS_EDIT,  ID_FLASH_WORDS_DELETE,
                                               ID_FLASH_WORDS_CLEAR, ID_FLASH_WORDS_APPLY_TO_ALL};

// The files page's toolbar: add, delete, clear and same properties.
constexpr std::array<UINT, 4> kFilesBar = {ID_FILES_ADD, ID_FILES_DELETE, ID_FILES_CLEAR,
                                           ID_FILES_SAME_PROPERTIES};
// The image-text page's toolbar: add a page of each kind, then the page commands.
constexpr std::array<UINT, 9> kImageWordBar = {ID_IMAGE_TEXT_ADD_DOCUMENT,
                                               ID_IMAGE_TEXT_ADD_TEXT,
                                               ID_IMAGE_TEXT_ADD_CAPTION,
                                               ID_IMAGE_TEXT_ADD_TABLE,
                                               0,
                                               ID_IMAGE_TEXT_EDIT,
                                               ID_IMAGE_TEXT_DELETE,
                                               ID_IMAGE_TEXT_CLEAR,
                                               ID_IMAGE_TEXT_SAME_PROPERTIES};
// The table editor's toolbar: new, open, save as; insert row and column; delete rows
// and columns; merge and split; apply.
constexpr std::array<UINT, 14> kGridEditBar = {
    ID_GRID_NEW, ID_GRID_OPEN,        ID_GRID_SAVE_AS,
    0,           ID_GRID_INSERT_ROW,  ID_GRID_INSERT_COLUMN,
    0,           ID_GRID_DELETE_ROWS, ID_GRID_DELETE_COLUMNS,
    0,           ID_GRID_MERGE,       ID_GRID_SPLIT,
    0,           ID_GRID_APPLY};

struct Entry {
  int id;
  std::span<const UINT> commands;
};

constexpr Entry kToolbars[] = {
    {IDR_MAIN_TOOLBAR, kMainWindowBar},     {IDR_TREE_TOOLBAR, kProjectPageBar},
    {IDR_FRAME_TOOLBAR, kPreviewFrameBar},  {IDR_RTFEDIT_TOOLBAR, kRtfEditBar},
    {IDR_FLASHWORD_TOOLBAR, kFlashWordBar}, {IDR_FILES_TOOLBAR, kFilesBar},
    {IDR_IMAGEWORD_TOOLBAR, kImageWordBar}, {IDR_GRIDEDIT_TOOLBAR, kGridEditBar},
};

}  // namespace

std::optional<std::span<const UINT>> FindToolbarResource(int resourceId) {
  for (const Entry& entry : kToolbars) {
    if (entry.id == resourceId) return entry.commands;
  }
  return std::nullopt;
}
