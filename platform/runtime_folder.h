#pragma once
// The user's runtime folder, where the instance lock and the window classes' sockets
// live. Anyone who could write there could take the program's names, so only a
// folder that is the user's own and closed to everyone else is used.

#include <QString>

// XDG_RUNTIME_DIR when it names such a folder; else "quendra-<uid>" in the temporary
// folder, made private (0700) when missing; else "quendra-runtime" in the user's cache
// folder (XDG_CACHE_HOME or ~/.cache), made the same way. A folder another user made,
// a link, or one open to others is never taken. Without a trailing "/"; empty when no
// such folder can be had.
QString UserRuntimeFolder();
