#pragma once
// The project page's ids: the commands of its toolbar, its keys and the canvas
// (WM_COMMAND's whole wParam), of the tree's context menu IDR_MENU_TREE and its
// add-area popup IDR_MENU_ADDAREA; its control ids and its toolbar resource.

#include "platform/window_handle.h"

// The toolbar above the tree; copy, paste and delete come from keys and the canvas.
constexpr UINT ID_TREE_ADD_PROGRAM = 32785;
constexpr UINT ID_TREE_ADD_AREA = 32786;  // shows the add-area popup
constexpr UINT ID_TREE_COPY = 32787;
constexpr UINT ID_TREE_PASTE = 32788;
constexpr UINT ID_TREE_DELETE = 32789;
constexpr UINT ID_TREE_MOVE_UP = 32790;
constexpr UINT ID_TREE_MOVE_DOWN = 32791;

// The context menu; its copy, paste and delete come back to the page as the
// toolbar's copy, paste and delete.
constexpr UINT ID_TREE_MENU_PREVIEW = 32971;
constexpr UINT ID_TREE_MENU_ADD_PROGRAM = 32950;
constexpr UINT ID_TREE_MENU_COPY = 32951;
constexpr UINT ID_TREE_MENU_PASTE = 32952;
constexpr UINT ID_TREE_MENU_DELETE = 32953;
constexpr UINT ID_TREE_MENU_MOVE_UP = 32954;
constexpr UINT ID_TREE_MENU_MOVE_DOWN = 32955;

// The add-area popup, one command per area kind.
constexpr UINT ID_ADD_SINGLE_LINE = 32943;
constexpr UINT ID_ADD_IMAGE_TEXT = 32944;
constexpr UINT ID_ADD_FLASH_WORDS = 32945;
constexpr UINT ID_ADD_ANALOG_CLOCK = 32946;
constexpr UINT ID_ADD_DIGITAL_CLOCK = 32947;
constexpr UINT ID_ADD_COUNTDOWN = 32948;
constexpr UINT ID_ADD_FILES = 32958;

// Controls.
constexpr int IDC_TREE = 1000;
constexpr int IDC_COLLAPSE_STRIP = 1009;
constexpr int IDC_TOOLBAR_FRAME = 1060;
constexpr int IDC_PAGE_TABS = 1260;
// The add-area buttons of the strip.
constexpr int IDC_ADD_SINGLE_LINE = 1089;
constexpr int IDC_ADD_IMAGE_TEXT = 1090;
constexpr int IDC_ADD_FLASH_WORDS = 1227;
constexpr int IDC_ADD_DIGITAL_CLOCK = 1092;
constexpr int IDC_ADD_ANALOG_CLOCK = 1005;
constexpr int IDC_ADD_COUNTDOWN = 1006;
constexpr int IDC_ADD_FILES = 1222;

// The toolbar resource.
constexpr int IDR_TREE_TOOLBAR = 138;
