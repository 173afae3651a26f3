// Program sets sent to cards: each card's worker generates the set's display data
// (only when the set changed since its last generation) and sends it with the
// display-data command.

#include <vector>

#include "sdk/Corvanix.h"
#include "sdk/api/guarded_call.h"
#include "sdk/generate/display_data.h"
#include "sdk/jobs/send_jobs.h"
#include "sdk/link/send_command.h"
#include "sdk/program/program_handles.h"

namespace {

// One card's send: -1 for a handle without a live set, before any status; then
// status -1001 while generating and -1000 while sending. The generation's code, or
// the send's result.
[[nodiscard]] int SendProgram(ProgramHandle handle, const CommInfo& info) {
  if (!FindProgramSet(handle)) return KQ_ERR_BAD_HANDLE;
  PostStatus(info, KQ_STATUS_GENERATING);
  DisplaySnapshot data;
  if (int code = SnapshotDisplayData(handle, data)) return code;
  PostStatus(info, KQ_STATUS_SENDING);
  return SendCommand(nullptr, nullptr, &info, kCommandDisplayData, data->data(), data->size(),
                     false, false);
}

}  // namespace

KQ_API int32_t KQ_Send(const CommInfo* info, ProgramHandle handle) {
  if (info == nullptr) return KQ_ERR_SEND_TYPE;
  return Guarded([&] {
    std::int32_t result = KQ_ERR_FILE;
    RunCardJobs(
        info, 1, &result, [](const CommInfo&) { return true; },
        [handle](std::int32_t, const CommInfo& card) { return SendProgram(handle, card); });
    return result;
  });
}

KQ_API int32_t KQ_MultiSend(const CommInfo* infos, const ProgramHandle* handles, int32_t* results,
                            int32_t count) {
  if (count <= 0) return KQ_OK;
  if (infos == nullptr) return KQ_ERR_SEND_TYPE;
  if (handles == nullptr) return KQ_ERR_MISSING_RECORD;
  return Guarded([&] {
    // The handles as they are now: handlers that run while the caller's messages
    // are dispatched cannot change what the workers send.
    const std::vector<ProgramHandle> own(handles, handles + count);
    RunCardJobs(infos, count, results, TcpOrSerial,
                [&own](std::int32_t card, const CommInfo& info) {
                  return SendProgram(own[static_cast<std::size_t>(card)], info);
                });
    return KQ_OK;
  });
}
