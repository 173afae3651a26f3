#pragma once
#include <QString>

// The program folder, with a trailing "/": the folder of the running executable, or
// the folder named by the environment variable QUENDRA_HOME when that is set (tests
// give every case a fresh one). The executable's folder is found once per process.
QString GetAppDir();
