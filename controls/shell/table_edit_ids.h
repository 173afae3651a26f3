#pragma once
// The table editor's ids: the commands of its toolbar and the toolbar resource.

#include "platform/window_handle.h"

// The toolbar, left to right.
constexpr UINT ID_GRID_NEW = 32995;
constexpr UINT ID_GRID_OPEN = 32996;
constexpr UINT ID_GRID_SAVE_AS = 32997;
constexpr UINT ID_GRID_INSERT_ROW = 32998;
constexpr UINT ID_GRID_INSERT_COLUMN = 32999;
constexpr UINT ID_GRID_DELETE_ROWS = 33000;
constexpr UINT ID_GRID_DELETE_COLUMNS = 33001;
constexpr UINT ID_GRID_MERGE = 33002;
constexpr UINT ID_GRID_SPLIT = 33003;
constexpr UINT ID_GRID_APPLY = 33008;

constexpr int IDR_GRIDEDIT_TOOLBAR = 344;
