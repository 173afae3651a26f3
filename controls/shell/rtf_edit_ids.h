#pragma once
// The rich-text editor's ids: the commands of its toolbar and of its menu bar
// IDR_MENU_RTFEDIT, whose Edit submenu is also the context menu of every rich-edit
// control a page edits text in; its toolbar and menu resources.

#include "platform/window_handle.h"

// The toolbar, left to right.
constexpr UINT ID_RTF_TOOL_OPEN = 32855;
constexpr UINT ID_RTF_TOOL_SAVE = 32856;
constexpr UINT ID_RTF_TOOL_SAVE_AS = 32857;
constexpr UINT ID_RTF_TOOL_COPY = 32858;
constexpr UINT ID_RTF_TOOL_CUT = 32859;
constexpr UINT ID_RTF_TOOL_PASTE = 32860;
constexpr UINT ID_RTF_TOOL_DELETE = 32861;
constexpr UINT ID_RTF_TOOL_SELECT_ALL = 32862;
constexpr UINT ID_RTF_TOOL_UNDO = 32863;

// The menu bar: File.
constexpr UINT ID_RTF_MENU_OPEN = 32994;
constexpr UINT ID_RTF_MENU_SAVE = 32996;
constexpr UINT ID_RTF_MENU_SAVE_AS = 32997;
constexpr UINT ID_RTF_MENU_EXIT = 32998;
// Edit.
constexpr UINT ID_RTF_MENU_UNDO = 32999;
constexpr UINT ID_RTF_MENU_CUT = 32995;
constexpr UINT ID_RTF_MENU_COPY = 33000;
constexpr UINT ID_RTF_MENU_PASTE = 33001;
constexpr UINT ID_RTF_MENU_DELETE = 33002;
constexpr UINT ID_RTF_MENU_SELECT_ALL = 33003;

// The resources.
constexpr int IDR_RTFEDIT_TOOLBAR = 350;
constexpr int IDR_MENU_RTFEDIT = 351;
