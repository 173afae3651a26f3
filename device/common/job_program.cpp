#include "device/common/job_program.h"

std::function<std::int32_t(const ScreenSendJob& job)> CheckSendJob;
std::function<ProgramHandle(const ScreenSendJob& job, std::int32_t headerMode)> BuildJobProgram;
