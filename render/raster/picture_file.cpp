#include "render/raster/picture_file.h"

#include <QByteArray>
#include <QFileInfo>

#include "model/common/regular_file.h"

bool PictureFile::Read(const QString& path) {
  QByteArray bytes;
  return ReadRegularFile(path, &bytes) == 0 && Take(bytes, path);
}

bool PictureFile::Take(const QByteArray& bytes, const QString& name) {
  path_ = name;
  buffer_.close();
  buffer_.setData(bytes);
  return buffer_.open(QIODevice::ReadOnly);
}

QImageReader& PictureFile::Reader() {
  // A buffer has no name to take the extension from, so the extension is offered as
  // the format; setting the device again drops the handler that format chose.
  reader_.setFormat(QFileInfo(path_).suffix().toLower().toLatin1());
  reader_.setAutoTransform(true);  // phone photos store their pixels sideways, with a tag
  buffer_.seek(0);
  reader_.setDevice(&buffer_);
  const bool byExtension = reader_.canRead();
  buffer_.seek(0);
  if (!byExtension) {
    reader_.setFormat(QByteArray());
    reader_.setDevice(&buffer_);
  }
  return reader_;
}
