#pragma once
// The program's own pictures: toolbar buttons, the Back button's icons, the File menu's
// images, the application icon, and the tool buttons and list icon of the media lists
// (background list, logo list).

#include <QImage>

enum class Art {
  Edit,           // toolbar ID_TOOLBAR_EDIT
  Search,         // toolbar ID_TOOLBAR_SEARCH
  SendToScreens,  // toolbar ID_TOOLBAR_SEND_TO_SCREENS
  Usb,            // toolbar ID_TOOLBAR_USB
  Send,           // toolbar ID_TOOLBAR_SEND
  Back,           // icon 415
  BackIdle,       // icon 416, the grey form
  Application,    // icon 128
  NewFile,        // menu images of the File menu
  OpenFile,
  SaveFile,
  SaveFileAs,
  Exit,
  AddBuiltIn,   // bitmap 438: add built-in backgrounds
  AddPictures,  // bitmap 435: add picture files
  DeleteEntry,  // bitmap 437: delete the selected entry
  DeleteAll,    // bitmap 436: delete every entry
  MediaEntry,   // icon 395: an entry of a media list
};

// The picture at size x size pixels on a transparent background; toolbar pictures
// (onWhite) on white, the toolbar's transparent colour.
QImage PaintArt(Art art, int size, bool onWhite = false);
