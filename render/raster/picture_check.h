#pragma once
// Whether a file that a picture page, a files area or a background names can become
// display data, judged as the card's page generators judge it, so that a file they
// would refuse is refused when it is added and before anything is sent.

#include <QString>

enum class PictureCheck {
  Ok,
  UnsupportedKind,  // not a picture (bmp, jpg, jpeg, png, tif, tiff) or GIF by its name
  Unreadable,       // missing, not a regular file, or not readable
  WrongContent,     // no picture that can be decoded
};

// The kind by the name first (decided before the file is looked at, as the card's
// generators decide it), then the file read whole (ReadRegularFile, so a FIFO is
// never waited on) and its content tried as the generators try it (PictureFile).
PictureCheck CheckPictureFile(const QString& path);
