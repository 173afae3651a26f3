#pragma once
// Copies of areas and programs as the project page pastes them: every copy gets GUID
// texts of its own for whatever names files (the area, its background entries, its
// single-line text, pages, flash words and file entries), and the user's content
// files (UserData/<guid>.rtf or .kqg) are copied under the new names. A copy never
// writes over an existing file.

#include <QString>

#include "model/project/project_records.h"

// The copy of source as `target` plus "(n)": n the first of 1, 2, ... for which no
// area of program other than `self` bears that name (the last tried is 65535); cut
// to the name's capacity.
QString NumberedCopyName(const AreaRecord& source, const ProgramRecord& program,
                         const AreaRecord* self);

struct PastedArea {
  AreaRecord* area;
  int filesNotCopied;  // content files missing or not copied (see CopyToNewFile)
};

// Appends a copy of source to target: owners the target and its screen, AreaNo the
// target's highest + 1, the name numbered as above when source lies in target
// itself. TreeItem is left null.
PastedArea PasteAreaCopy(const AreaRecord& source, ProgramRecord& target);

struct PastedProgram {
  ProgramRecord* program;
  int filesNotCopied;
};

// Appends a copy of source to target: every setting the project file stores (number
// and name too), checked for sending, owner the target, and a copy of each of its
// areas in order. TreeItems are left null.
PastedProgram PasteProgramCopy(const ProgramRecord& source, ScreenRecord& target);

// Copies the regular file source to target, which must not exist yet: the bytes go to
// a temporary file beside target, reach the disk, and are then linked in under the
// target's name. 0, or an errno value: ENOENT and the like of the source's open
// (see OpenRegularFile), EEXIST when target exists, or a read's or write's.
[[nodiscard]] int CopyToNewFile(const QString& source, const QString& target);
