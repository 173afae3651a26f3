#pragma once
// Writing a file so that readers see either the old content or the whole new one:
// the data goes to "<path>.tmp" in the same folder, is flushed to disk and then
// renamed over the target. Any failure leaves the old file as it was.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

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

// Replaces many files together, with one sync for all of them instead of one each.
// Stage writes each file's data to "<path>.tmp" without syncing; Commit makes every
// staged file's data durable with one sync of the file system, then renames each
// into place and syncs each folder once. A crash at any point leaves every file
// either as it was or whole and new, never partly written under its real name.
class AtomicFileBatch {
 public:
  AtomicFileBatch() = default;
  ~AtomicFileBatch();  // staged files not committed are removed
  AtomicFileBatch(const AtomicFileBatch&) = delete;
  AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

  // Writes data to the temporary file of path. False (see ErrorText) when that
  // fails; nothing of that file is then staged and the rest stay staged.
  [[nodiscard]] bool Stage(const QString& path, QByteArrayView data);
  // Syncs and renames every staged file into place. False (see ErrorText) when the
  // sync or a rename failed: no file is renamed after a failed sync, and after a
  // failed rename the files renamed before it stay (Committed() lists them).
  [[nodiscard]] bool Commit();
  // Removes every staged file not yet committed; the targets are untouched.
  void Rollback();

  const std::vector<QString>& Committed() const { return committed_; }
  QString ErrorText() const { return error_; }

 private:
  bool Fail(const QString& error);

  std::vector<QString> staged_;  // targets whose "<path>.tmp" is written
  std::vector<QString> committed_;
  QString error_;
};
