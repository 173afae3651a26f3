#pragma once
// A job's program set as a send needs it: stale text and table frame files rendered
// again and the flash content recorded (with the busy window) before the program
// builder reads the frame files.

#include <cstdint>

#include "app/builder/program_builder.h"

// RerenderScreenContent, the flash recording of CFlashConverter, then
// BuildScreenProgram with mode 0; firstRefusal as BuildScreenProgram gives it.
[[nodiscard]] OwnedProgramSet PrepareScreenProgram(const ScreenSendJob& job,
                                                   std::int32_t* firstRefusal = nullptr);
