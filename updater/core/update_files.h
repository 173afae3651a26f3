#pragma once
// The updater's files. Names are relative to the program folder (GetAppDir()); the
// downloaded files lie in its "UpdateData/" folder.

#include <QString>

// The section of "update.cfg" and of the version file.
inline constexpr char kUpdateSection[] = "UPDATE";
// "update.cfg": "URL" (the version file's address) and "Version" (the installed one).
inline constexpr char kUpdateConfigName[] = "update.cfg";
// The version file: "Version", "URL" (the package), "MD5", "Message".
inline constexpr char kVersionFileName[] = "update.ini";
inline constexpr char kPackageName[] = "update.zip";
// The package's optional script, run in the program folder after the install.
inline constexpr char kSetupScriptName[] = "setup.sh";

// GetAppDir() + "update.cfg".
QString UpdateConfigPath();
// GetAppDir() + "UpdateData/" + name.
QString UpdateDataPath(const char* name);
