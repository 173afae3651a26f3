#include "render/frame/pak_writer.h"

#include <QFile>

#include <limits>

PakWriter::PakWriter() = default;

PakWriter::~PakWriter() { Discard(); }

void PakWriter::Discard() {
  if (file_ == nullptr) return;
  file_->cancelWriting();
  const QString path = file_->fileName();
  file_.reset();  // drops the temporary file
  QFile::remove(path);
}

bool PakWriter::Fail(const QString& reason) {
  const QString path = file_ != nullptr ? file_->fileName() : QString();
  error_ = reason + QStringLiteral(": ") + path;
  if (file_ != nullptr && file_->error() != QFileDevice::NoError) {
    error_ += QStringLiteral(" (") + file_->errorString() + QStringLiteral(")");
  }
  Discard();
  return false;
}

bool PakWriter::IsOpen() {
  if (file_ != nullptr) return true;
  if (error_.isEmpty()) error_ = QStringLiteral("frame file not open");
  return false;
}

bool PakWriter::WriteHeader() {
  const PakHeaderBytes bytes = EncodePakHeader(header_);
  return file_->seek(0) && file_->write(reinterpret_cast<const char*>(bytes.data()),
                                        kPakHeaderSize) == kPakHeaderSize;
}

bool PakWriter::Open(const QString& path, int width, int height, ColorRef backColor) {
  Discard();
  error_.clear();
  header_ = PakFileHeader{kPakMagic, width, height, backColor, 0, 0};
  file_ = std::make_unique<QSaveFile>(path);
  if (!Dib24::IsValidSize(width, height)) {
    return Fail(QStringLiteral("frame size %1 x %2 not possible").arg(width).arg(height));
  }
  if (!file_->open(QIODevice::WriteOnly)) return Fail(QStringLiteral("cannot create"));
  if (!WriteHeader()) return Fail(QStringLiteral("cannot write"));
  return true;
}

bool PakWriter::AppendFrame(const Dib24& frame) {
  if (!IsOpen()) return false;
  if (frame.Width() != header_.Width || frame.Height() != header_.Height) {
    return Fail(QStringLiteral("frame of %1 x %2 in a file of %3 x %4")
                    .arg(frame.Width())
                    .arg(frame.Height())
                    .arg(header_.Width)
                    .arg(header_.Height));
  }
  if (header_.FrameCount == std::numeric_limits<std::int32_t>::max()) {
    return Fail(QStringLiteral("too many frames"));
  }
  const char* bits = reinterpret_cast<const char*>(frame.Bits());
  if (!file_->seek(kPakHeaderSize + header_.FrameCount * frame.SizeInBytes()) ||
      file_->write(bits, frame.SizeInBytes()) != frame.SizeInBytes()) {
    return Fail(QStringLiteral("cannot write"));
  }
  ++header_.FrameCount;
  return true;
}

bool PakWriter::Finish(int lastExtent) {
  if (!IsOpen()) return false;
  header_.LastExtent = lastExtent;
  if (!WriteHeader()) return Fail(QStringLiteral("cannot write"));
  if (!file_->commit()) return Fail(QStringLiteral("cannot complete"));
  file_.reset();
  return true;
}
