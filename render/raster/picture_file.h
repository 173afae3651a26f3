#pragma once
// A picture or GIF file that a page, a media item or a water border names, read whole through
// ReadRegularFile (so a FIFO, a device or a folder is refused at once, never waited
// on) and decoded from memory.

#include <QBuffer>
#include <QImageReader>
#include <QString>

class PictureFile {
 public:
  PictureFile() = default;
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  // Reads the file at path. False when it is no regular file or cannot be read.
  [[nodiscard]] bool Read(const QString& path);
  // Takes bytes as the content of a file called name (a resource, say).
  [[nodiscard]] bool Take(const QByteArray& bytes, const QString& name);
  // The file's bytes as an open device.
  QBuffer& Bytes() { return buffer_; }
  // A reader over the bytes from their start, decoding them as a reader given the
  // file's name would: with the handler of the name's extension when that handler
  // accepts the bytes, else with the one the bytes themselves point to. A photo's
  // orientation tag (EXIF) is applied, so it shows upright; Qt's allocation limit
  // stays, so a picture that claims a huge size fails before any pixel is decoded.
  QImageReader& Reader();

 private:
  QString path_;
  QBuffer buffer_;
  QImageReader reader_;
};
