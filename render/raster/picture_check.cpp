#include "render/raster/picture_check.h"

#include "model/common/media_kind.h"
#include "render/raster/picture_file.h"

PictureCheck CheckPictureFile(const QString& path) {
  const int kind = GetMediaKind(path);
  if (kind != kMediaPicture && kind != kMediaGif) return PictureCheck::UnsupportedKind;
  PictureFile file;
  if (!file.Read(path)) return PictureCheck::Unreadable;
  return file.Reader().canRead() ? PictureCheck::Ok : PictureCheck::WrongContent;
}
