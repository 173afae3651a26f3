#pragma once
#include <QString>

// Kinds of media file, by extension.
enum MediaKind : int {
  kMediaUnknown = -1,
  kMediaFrameFile = 0,  // "pak"
  kMediaVideo = 1,      // video and audio
  kMediaFlash = 2,
  kMediaGif = 3,
  kMediaPicture = 4,
  kMediaText = 5,
  kMediaRichText = 6,
  kMediaWord = 7,
};

// The kind of a file by its extension: the text after the last "." (the whole name
// when there is none), compared without regard to case.
int GetMediaKind(const QString& fileName);
