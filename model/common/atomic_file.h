#pragma once
// Writing a file so that readers see either the old content or the whole new one:
// the data goes to "<path>.tmp" in the same folder, is flushed to disk and then
// renamed over the target. Any failure leaves the old file as it was.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "model/common/unique_fd.h"

class AtomicFile {
 public:
  explicit AtomicFile(QString path);
  ~AtomicFile();  // an uncommitted write is rolled back
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file. False (see ErrorText) when that fails.
  [[nodiscard]] bool Open();
  // Appends data; false once any write has failed.
  [[nodiscard]] bool Write(QByteArrayView data);
  // Flushes, syncs, closes and renames into place. False when any step, or any
  // earlier write, failed; the temporary file is then removed.
  [[nodiscard]] bool Commit();
  // Drops the temporary file; the target is untouched.
  void Rollback();

  QString ErrorText() const { return error_; }

 private:
  // Records the step and the errno value error; always false.
  [[nodiscard]] bool Fail(const char* step, int error);

  QString path_;
  QString tempPath_;
  UniqueFd fd_;
  bool failed_ = false;
  QString error_;
};

// Writes data as the whole content of path, atomically. On failure returns false and
// puts the reason into *error when given.
[[nodiscard]] bool WriteFileAtomically(const QString& path, QByteArrayView data, QString* error = nullptr);
