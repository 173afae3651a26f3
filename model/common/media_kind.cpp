#include "model/common/media_kind.h"

#include <QStringList>

#include <array>
#include <utility>

int GetMediaKind(const QString& fileName) {
  static const std::array<std::pair<int, QStringList>, 8> kKinds = {{
      {kMediaFrameFile, {"pak"}},
      {kMediaVideo,
       {"avi", "wmv", "asf", "mpeg", "mp4", "3gp", "rmvb", "rm", "mov", "mkv", "flv", "mpg", "vob",
        "dat", "mp3", "wma"}},
      {kMediaFlash, {"swf"}},
      {kMediaGif, {"gif"}},
      {kMediaPicture, {"bmp", "jpg", "jpeg", "png", "tif", "tiff"}},
      {kMediaText, {"txt"}},
      {kMediaRichText, {"rtf"}},
      {kMediaWord, {"doc", "docx"}},
  }};
  const QString extension = fileName.mid(fileName.lastIndexOf(u'.') + 1).toLower();
  for (const auto& [kind, extensions] : kKinds) {
    if (extensions.contains(extension)) return kind;
  }
  return kMediaUnknown;
}
