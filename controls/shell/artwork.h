#pragma once
// The main window's pictures, drawn by the program itself: toolbar buttons, the Back
// button's icons, the File menu's images and the application icon.

#include <QImage>

enum class Art {
  Edit,           // toolbar 32777
  Search,         // toolbar 32796
  SendToScreens,  // toolbar 32795
  Usb,            // toolbar 32794
  Send,           // toolbar 32780
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
