#pragma once
// Reading a workbook in a child process, so that whatever a crafted file makes the
// readers do stays there. The child runs the reader program with the file
// as its standard input and nothing else: no path, an empty environment, no network
// (confinement::CutNetwork), its address space and processor time capped, its errors
// discarded. It answers on a pipe in the form of worksheet_answer.h; the parent reads
// that answer only while it fits kMaxAnswerBytes and kills the child at its deadline.

#include <QString>

#include "editors/spreadsheet/spreadsheet_reader.h"

enum class WorkbookKind { Xls, Xlsx };

// The reader program and the wall-clock time it gets, from its start to its end.
struct ReaderChild {
  QString program;
  int deadlineMs = 0;
};

// The program spreadsheet-reader beside the running executable (where the Flash helper
// is found too), with a deadline of twice the child's processor limit.
ReaderChild InstalledReaderChild();

// Reads the first worksheet of the open regular file in a child. Unreadable when the
// program is missing or no child can be started. Damaged when the child crashes, ends
// by a signal or a limit, exits with a status other than 0, is still running at the
// deadline, or answers with a malformed or oversized answer. Else the result the
// answer carries, cells or the reader's own error.
[[nodiscard]] WorksheetTexts ReadInChild(const ReaderChild& child, int file, WorkbookKind kind);
