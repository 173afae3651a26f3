#pragma once
// Reading a workbook in a child process, so that whatever a crafted file makes the
// readers do stays there. The reader program runs as a service (reader_service.h),
// started at the first read and kept for the next: with no path, an empty environment,
// no network (confinement::CutNetwork), its address space and each reader's processor
// time capped, its errors discarded. Each workbook gets a reader of its own, which
// answers on a pipe in the form of worksheet_answer.h; the parent reads that answer only
// while it fits kMaxAnswerBytes and, at the deadline, ends the service with its reader.

#include <QString>

#include <mutex>

#include <sys/types.h>

#include "editors/spreadsheet/reader_service.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "model/common/unique_fd.h"

class ReaderService {
 public:
  // program serves the reads; each read gets deadlineMs of wall-clock time.
  ReaderService(QString program, int deadlineMs);
  // Ends the service and the reader it may run.
  ~ReaderService();
  ReaderService(const ReaderService&) = delete;
  ReaderService& operator=(const ReaderService&) = delete;

  // Reads the first worksheet of the open regular file in a reader of its own; one read
  // at a time. Unreadable when the program is missing or cannot be started. Damaged
  // when the reader crashes, ends by a signal or a limit, exits with a status other than
  // 0, is still running at the deadline, or answers with a malformed or oversized
  // answer. Else the result the answer carries, cells or the reader's own error.
  [[nodiscard]] WorksheetTexts Read(int file, WorkbookKind kind);

 private:
  bool Start();
  void Stop();
  // Sends the request, starting the service first when none runs, and once more when
  // the one that ran has ended since the last read.
  bool Request(WorkbookKind kind, int file, int answer);

  const QString program_;
  const int deadlineMs_;
  std::mutex reading_;
  pid_t pid_ = -1;  // also the process group of the service and its readers
  UniqueFd control_;
};

// The service of the program spreadsheet-reader beside the running executable (where
// the Flash helper is found too), with a deadline of twice a reader's processor limit.
ReaderService& InstalledReaderService();
