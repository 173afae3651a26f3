#include "render/frame/pak_freshness.h"

#include "model/common/file_system.h"
#include "model/common/regular_file.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_frame_reader.h"

int IsPakOutdated(const QString& name, int width, int height, ColorRef backColor) {
  const QString path = PakFramePath(name);
  if (path.isEmpty() || !FileExists(path)) return 1;
  UniqueFd file;
  if (OpenRegularFile(path, &file) != 0) return 0;
  PakFileHeader header;
  if (ReadPakHeader(file, &header) != PakCheck::Ok) return 1;
  const bool matches =
      header.Width == width && header.Height == height && header.BackColor == backColor;
  return matches ? 0 : 1;
}
