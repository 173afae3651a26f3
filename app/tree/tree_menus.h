#pragma once
// The project page's menus: the tree's context menu (IDR_MENU_TREE) with the add-area
// popup (IDR_MENU_ADDAREA) in it, their texts from the language file.

#include <memory>

#include "controls/buttons/kv_menu.h"

// Command ids of the context menu.
constexpr UINT kCmdPreviewProgram = 32971;
constexpr UINT kCmdMenuAddProgram = 32950;
constexpr UINT kCmdMenuCopy = 32951;
constexpr UINT kCmdMenuPaste = 32952;
constexpr UINT kCmdMenuDelete = 32953;
constexpr UINT kCmdMenuMoveUp = 32954;
constexpr UINT kCmdMenuMoveDown = 32955;

// The add-area commands by area kind 1-7 (index kind - 1).
constexpr UINT kAddAreaCommands[7] = {32943, 32944, 32945, 32947, 32946, 32948, 32958};

// The area kind 1-7 an add-area command makes; 0 for another command.
int AddAreaKindOf(UINT command);

// The context menu's position of the add-area popup.
constexpr int kAddAreaPopupPosition = 3;

// The add-area popup (IDR_MENU_ADDAREA): single line, image-text, files, flash words,
// analog clock, digital clock, countdown, each with its kind's image.
std::unique_ptr<KvMenu> BuildAddAreaMenu();

// The tree's context menu. Paste is disabled without a copied item; on a screen item
// preview, copy, delete, up and down are disabled too.
std::unique_ptr<KvMenu> BuildTreeMenu(bool onScreen, bool hasCopiedItem);

// The command id of a menu's chosen action; 0 for none.
UINT ChosenCommand(const QAction* action);
