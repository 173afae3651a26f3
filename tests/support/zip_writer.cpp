#include "tests/support/zip_writer.h"

#include <QFile>

#include <zip.h>
#include <zlib.h>

namespace ziptest {

namespace {

// data as a raw deflate stream, the form a zip entry holds.
bool Deflate(const QByteArray& data, QByteArray* out) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return false;
  }
  out->resize(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out->data());
  stream.avail_out = static_cast<uInt>(out->size());
  const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
  out->resize(static_cast<qsizetype>(stream.total_out));
  return deflateEnd(&stream) == Z_OK && done;
}

bool AddPart(zipFile zip, const ZipPart& part) {
  const bool raw = part.declaredSize.has_value();
  QByteArray data = part.data;
  if (raw && !Deflate(part.data, &data)) return false;
  zip_fileinfo info{};
  if (zipOpenNewFileInZip4_64(zip, part.name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                              Z_DEFLATED, Z_DEFAULT_COMPRESSION, raw ? 1 : 0, -MAX_WBITS, 8,
                              Z_DEFAULT_STRATEGY, nullptr, 0, 20, 0x800, 1) != ZIP_OK) {
    return false;
  }
  if (!data.isEmpty() &&
      zipWriteInFileInZip(zip, data.constData(), static_cast<unsigned>(data.size())) != ZIP_OK) {
    return false;
  }
  if (!raw) return zipCloseFileInZip(zip) == ZIP_OK;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(part.data.constData()),
                          static_cast<uInt>(part.data.size()));
  return zipCloseFileInZipRaw64(zip, *part.declaredSize, crc) == ZIP_OK;
}

}  // namespace

bool WriteZip(const QString& path, const std::vector<ZipPart>& parts) {
  zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const ZipPart& part : parts) ok = ok && AddPart(zip, part);
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

}  // namespace ziptest
