#pragma once
// The package's setup script: "/bin/sh setup.sh" in the program folder, without a
// terminal (a session of its own) and with stdin on /dev/null.

#include <QString>

enum class ScriptResult { Succeeded, Failed, TimedOut, NotStarted };

// Runs the script and waits for it while this thread dispatches its messages. Past
// timeoutMs its whole process group is killed. Succeeded only for exit status 0.
ScriptResult RunSetupScript(const QString& folder, const QString& script, int timeoutMs);
