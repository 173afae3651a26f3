#pragma once
// Writes a frame file: the header with FrameCount 0 first, each frame as soon as it
// is drawn, then the header again with the final FrameCount and LastExtent. The file
// is written under a temporary name in the same folder and renamed into place only
// when complete, so a reader never sees half a file. A writer that fails, or is
// destroyed before Finish succeeds, also removes the old file at the path: the
// content then counts as outdated and is rendered again, never shown stale.

#include <QSaveFile>
#include <QString>

#include <memory>

#include "render/frame/pak_file.h"
#include "render/raster/color_ref.h"
#include "render/raster/dib24.h"

class PakWriter {
 public:
  PakWriter();
  ~PakWriter();
  PakWriter(const PakWriter&) = delete;
  PakWriter& operator=(const PakWriter&) = delete;

  // Starts the file at path for frames of width x height rendered on backColor.
  // False (see ErrorText) when the size is not a valid picture size or the file
  // cannot be created.
  [[nodiscard]] bool Open(const QString& path, int width, int height, ColorRef backColor);
  // Appends one frame. False when the writer is not open, has failed, the frame's
  // size differs from the file's, or the write fails.
  [[nodiscard]] bool AppendFrame(const Dib24& frame);
  // Writes the final header with the frames appended and lastExtent, syncs the data
  // to disk and renames the file into place. False when anything failed, now or
  // before.
  [[nodiscard]] bool Finish(int lastExtent);

  int FramesWritten() const { return header_.FrameCount; }
  QString ErrorText() const { return error_; }

 private:
  // False, with an error text unless one is kept from the failure that closed it,
  // when no file is being written.
  bool IsOpen();
  [[nodiscard]] bool Fail(const QString& reason);
  [[nodiscard]] bool WriteHeader();
  void Discard();

  std::unique_ptr<QSaveFile> file_;
  PakFileHeader header_;
  QString error_;
};
