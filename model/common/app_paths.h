#pragma once
// Paths under the program folder. Each folder has exactly one spelling, here, since
// the file system is case-sensitive and the program names them in many places.

#include <QString>
#include <QStringView>

enum class AppFolder {
  Temp,        // rendered frame files, derived data
  UserData,    // the user's content files, named by GUID text
  Data,        // data shipped with the program (flash templates, strips)
  Project,     // the default place of project files
  Language,    // the language files
  UpdateData,  // the updater's version file, package, staging and backup
};

// Files in the program folder that the main program and the updater both name: the
// main program, the updater, and a new updater waiting to replace it.
inline const QString kMainProgramFile = QStringLiteral("Quendra");
inline const QString kUpdaterFile = QStringLiteral("update");
inline const QString kWaitingUpdaterFile = QStringLiteral("update._exe");

// The folder's name, without separators ("UserData").
QString AppFolderName(AppFolder folder);

// GetAppDir() + the folder's name + "/".
QString AppFolderPath(AppFolder folder);

// GetAppDir() + the folder's name + "/" + fileName.
QString AppFilePath(AppFolder folder, QStringView fileName);

// A stored path, with "\" separators (files written on Windows) or "/", turned into
// a path of this system: every "\" becomes "/".
QString FromStoredPath(QStringView storedPath);
