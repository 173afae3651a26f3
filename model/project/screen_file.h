#pragma once
// The single-screen file ("kq_disp_pgm.usb"): one screen with the programs and
// areas chosen for it, carried on a USB disk from one installation to another. It
// holds the project file's elements under the root LED (no logo, no groups) and,
// beyond what the project file embeds, the media files of file areas and
// backgrounds, so that an import works on a machine without them.

#include <QString>

#include <memory>

#include "model/project/project_records.h"
#include "model/project/send_job.h"

// The largest single-screen file read back. No card's storage is given by the card,
// so the bound comes from the most a file may hold for one card: its records are held
// to about 100 MB (project_limits.h), and as much again is room for the embedded
// sources and media; a read needs about five times the file's size in memory.
constexpr qint64 kMaxScreenFileBytes = qint64{256} << 20;

// Whether the file at path is larger than kMaxScreenFileBytes, which ReadScreenXml
// refuses before reading anything.
bool IsScreenFileTooLarge(const QString& path);

// A screen read from a single-screen file, kept by the import pane until it is
// merged into the project or dropped. The screen is outside ScreenList and owns the
// programs and areas read, in file order; their owner links point at it. Null
// while nothing was read.
struct ScreenImport {
  std::unique_ptr<ScreenRecord> Screen;
};

// Writes the job's screen with the job's programs and their areas, in job order, to
// path, atomically; ProgramCheck is each program's CheckState. The sources of text
// and table pages are embedded as in the project file, and so are the media files
// of files-area entries and of backgrounds other than flash backgrounds, each such
// entry under a fresh GUID text (the records keep theirs). A file that cannot be
// read is embedded as an empty text. Returns 1; 0 when the job has no screen, a
// media file is too big to embed or the file cannot be written (an old file then
// stays as it was).
[[nodiscard]] int WriteScreenXml(const ScreenSendJob& job, const QString& path);

// Reads a single-screen file into the import record (the caller frees the previous
// content first, FreeImportedScreen). The screen takes the LED settings with the
// project file's lock-date defaults and no logo; programs and areas come as in a
// project file. Every GUID text that is not one, is used in the project, comes a
// second time in the file or names a file that exists in UserData is replaced by a
// fresh one, so the import never shares or overwrites another item's files. The
// embedded files are then written into UserData under their GUID texts, media files
// with the extension of their stored file name (letters and digits only, else
// none), and each media entry names its restored file. Returns 1. Returns 0 with
// the record and UserData unchanged when the file cannot be read, is too large
// (IsScreenFileTooLarge), is not well-formed (a cut file is not), has no root LED,
// holds more than the limits of project_limits.h or a screen no card can drive
// (IsDrivableScreen), an area of a kind with one settings element lacks it, or a
// restored file cannot be written.
[[nodiscard]] int ReadScreenXml(ScreenImport& import, const QString& path);
