#pragma once
// How a pane checks and builds the program set of a send job. The program builder
// belongs to the main program, which the panes may not include: the main window
// publishes it here as it starts. Both are empty until then.

#include <cstdint>
#include <functional>

#include "model/project/send_job.h"
#include "sdk/Corvanix.h"

// The job's first failure before a send (a SendCheck code), 0 when it may be sent.
extern std::function<std::int32_t(const ScreenSendJob& job)> CheckSendJob;

// The job's program set in headerMode (2: a boot logo), frame files taken as they
// are; the caller frees it with KQ_DeleteProgram. Null when none was made.
extern std::function<ProgramHandle(const ScreenSendJob& job, std::int32_t headerMode)>
    BuildJobProgram;
