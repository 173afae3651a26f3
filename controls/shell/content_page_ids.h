#pragma once
// The command ids of the content pages' toolbars (image-text, flash words and files),
// which their toolbar frames answer tooltips for.

#include "platform/window_handle.h"

// The image-text page and its toolbar: add a page of a kind, then the page commands.
constexpr int IDR_IMAGEWORD_TOOLBAR = 253;
constexpr UINT ID_IMAGE_TEXT_ADD_DOCUMENT = 32824;
constexpr UINT ID_IMAGE_TEXT_ADD_TEXT = 32825;
constexpr UINT ID_IMAGE_TEXT_ADD_CAPTION = 32826;
constexpr UINT ID_IMAGE_TEXT_ADD_TABLE = 32827;
constexpr UINT ID_IMAGE_TEXT_EDIT = 32828;
constexpr UINT ID_IMAGE_TEXT_DELETE = 32829;
constexpr UINT ID_IMAGE_TEXT_CLEAR = 32830;
constexpr UINT ID_IMAGE_TEXT_SAME_PROPERTIES = 32831;

// The flash-words page and its toolbar.
constexpr int IDR_FLASHWORD_TOOLBAR = 254;
constexpr UINT ID_FLASH_WORDS_ADD = 32937;
constexpr UINT ID_FLASH_WORDS_EDIT = 32938;
constexpr UINT ID_FLASH_WORDS_DELETE = 32939;
constexpr UINT ID_FLASH_WORDS_CLEAR = 32940;
constexpr UINT ID_FLASH_WORDS_APPLY_TO_ALL = 32941;

// The files page and its toolbar.
constexpr int IDR_FILES_TOOLBAR = 425;
constexpr UINT ID_FILES_ADD = 32963;
constexpr UINT ID_FILES_DELETE = 32964;
constexpr UINT ID_FILES_CLEAR = 32965;
constexpr UINT ID_FILES_SAME_PROPERTIES = 32966;
