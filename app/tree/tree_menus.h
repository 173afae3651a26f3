#pragma once
// The project page's menus: the tree's context menu (IDR_MENU_TREE) with the add-area
// popup (IDR_MENU_ADDAREA) in it, their texts from the language file. Their items
// carry the page's command ids (controls/shell/project_page_ids.h).

#include <memory>

#include "controls/buttons/kv_menu.h"
#include "controls/shell/project_page_ids.h"

// The add-area commands by area kind 1-7 (index kind - 1).
constexpr UINT kAddAreaCommands[7] = {ID_ADD_SINGLE_LINE,   ID_ADD_IMAGE_TEXT,   ID_ADD_FLASH_WORDS,
                                      ID_ADD_DIGITAL_CLOCK, ID_ADD_ANALOG_CLOCK, ID_ADD_COUNTDOWN,
                                      ID_ADD_FILES};

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
