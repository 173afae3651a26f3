#pragma once
// The path the current project is saved to, kept as "ProgramSavePath" in the
// section "CONFIG" of "setting.cfg".

#include <QString>

// The stored path when a file of that name exists (nothing is written then);
// otherwise a new path under the program's "project" folder named after the local
// date and time ("20261208230000.kqprj", "20261208230000_1.kqprj" when that file
// exists, and so on), which is stored and returned.
QString GetProgramSavePath();

// A new path as above, stored and returned whatever is stored now.
QString NewProgramSavePath();

// Stores the path; false when "setting.cfg" cannot be written.
[[nodiscard]] bool SetProgramSavePath(const QString& path);
