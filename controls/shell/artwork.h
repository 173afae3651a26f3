#pragma once
// The main window's pictures, drawn by the program itself: toolbar buttons, the Back
// button's icons, the File menu's images and the application icon.

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
};

// The picture at size x size pixels on a transparent background; toolbar pictures
// (onWhite) on white, the toolbar's transparent colour.
QImage PaintArt(Art art, int size, bool onWhite = false);
