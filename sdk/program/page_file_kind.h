#pragma once
// Page file kinds, told by the text after the last "." of the file name (any case);
// "/" and "\" separate folders.

#include <QString>

enum PageFileKind : int {
  kPageUnknown = -1,
  kPageFrameFile = 0,  // "pak"
  kPageRichText = 1,   // "rtf"
  kPagePlainText = 2,  // "txt"
  kPagePicture = 3,    // "bmp", "jpg", "jpeg", "png", "tif", "tiff"
  kPageGif = 4,        // "gif"
};

PageFileKind GetPageFileKind(const QString& path);
