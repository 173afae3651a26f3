#include "sdk/jobs/send_jobs.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "model/common/firmware_image.h"
#include "platform/blocking_call.h"
#include "platform/message_window.h"
#include "sdk/api/guarded_call.h"
#include "sdk/device/settings_payload.h"
#include "sdk/link/send_command.h"

namespace {

struct CardJob {
  std::int32_t card = 0;
  CommInfo info;
  bool served = false;
  bool finished = false;
  int result = KQ_ERR_FILE;
  std::thread worker;
};

void Finish(CardJob& job, int result) {
  job.result = result;
  PostStatus(job.info, result);
  job.finished = true;
}

void RunJob(CardJob& job, const CardWork& work) {
  Finish(job, Guarded([&] { return work(job.card, job.info); }));
}

void StartWorker(CardJob& job, const CardWork& work) {
  const int started = Guarded([&job, &work] {
    job.worker = std::thread([&job, &work] { RunJob(job, work); });
    return KQ_OK;
  });
  if (started != KQ_OK) Finish(job, started);
}

// Starts a worker for every served card but the last, runs that one on this thread,
// then waits for the others: a single card's call ends as soon as its work does.
void RunServedJobs(CardJob* jobs, std::int32_t count, const CardWork& work) {
  std::int32_t last = count - 1;
  while (last >= 0 && !jobs[last].served) --last;
  for (std::int32_t i = 0; i < last; ++i) {
    if (jobs[i].served) StartWorker(jobs[i], work);
  }
  if (last >= 0) RunJob(jobs[last], work);
  for (std::int32_t i = 0; i < last; ++i) {
    if (jobs[i].worker.joinable()) jobs[i].worker.join();
  }
}

std::function<bool(const CommInfo&)> ServedTypes(std::int32_t restrictTypes) {
  if (restrictTypes != 0) return TcpOrSerial;
  return [](const CommInfo&) { return true; };
}

// The status -1000, then the whole payload to the card with command.
CardWork SendPayloadWork(std::uint16_t command, const std::vector<std::uint8_t>& payload) {
  return [command, &payload](std::int32_t, const CommInfo& info) {
    PostStatus(info, KQ_STATUS_SENDING);
    return SendCommand(nullptr, nullptr, &info, command, payload.data(), payload.size(), false,
                       false);
  };
}

// The whole firmware file; false when it is no firmware file a card may take.
[[nodiscard]] bool ReadFirmware(const char16_t* path, std::vector<std::uint8_t>& bytes) {
  if (path == nullptr) return false;
  QByteArray data;
  if (ReadFirmwareFile(QString::fromUtf16(path), &data) != FirmwareFault::kNone) return false;
  try {
    bytes.assign(data.cbegin(), data.cend());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

bool TcpOrSerial(const CommInfo& info) {
  return info.SendType == KQ_SEND_TCP || info.SendType == KQ_SEND_SERIAL;
}

void PostStatus(const CommInfo& info, int value) {
  if (info.NotifyWindow == nullptr || info.StatusMessage == 0) return;
  // A status note is advisory: a window already gone misses it; the job result stands.
  (void)PostMessage(info.NotifyWindow, info.StatusMessage, static_cast<WPARAM>(info.CallerValue),
                    static_cast<LPARAM>(value));
}

void RunCardJobs(const CommInfo* infos, std::int32_t count, std::int32_t* results,
                 const std::function<bool(const CommInfo&)>& served, const CardWork& work) {
  if (count <= 0) return;
  std::unique_ptr<CardJob[]> jobs;
  try {
    jobs = std::make_unique<CardJob[]>(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    FailEveryCard(infos, count, results, KQ_ERR_FILE);
    return;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    jobs[i].card = i;
    jobs[i].info = infos[i];
    jobs[i].served = served(jobs[i].info);
    if (!jobs[i].served) Finish(jobs[i], KQ_ERR_NOT_SERVED);
  }
  // The card workers start from one worker, while this thread dispatches its messages.
  if (!RunWhileDispatching([&jobs, count, &work] { RunServedJobs(jobs.get(), count, work); })) {
    // No thread for it, so no card's worker started.
    for (std::int32_t i = 0; i < count; ++i) {
      if (!jobs[i].finished) Finish(jobs[i], KQ_ERR_FILE);
    }
  }
  if (results == nullptr) return;
  for (std::int32_t i = 0; i < count; ++i) results[i] = jobs[i].result;
}

void FailEveryCard(const CommInfo* infos, std::int32_t count, std::int32_t* results, int code) {
  for (std::int32_t i = 0; i < count; ++i) {
    PostStatus(infos[i], code);
    if (results != nullptr) results[i] = code;
  }
}

KQ_API int32_t KQ_MultiUpdateCPU(const CommInfo* infos, const char16_t* firmwarePath,
                                 int32_t* results, int32_t count, int32_t restrictTypes) {
  if (infos == nullptr && count > 0) return KQ_ERR_SEND_TYPE;
  std::vector<std::uint8_t> firmware;
  if (!ReadFirmware(firmwarePath, firmware)) {
    FailEveryCard(infos, count, results, KQ_ERR_FILE);
  } else {
    RunCardJobs(infos, count, results, ServedTypes(restrictTypes),
                SendPayloadWork(kCommandFirmware, firmware));
  }
  return KQ_OK;
}

KQ_API int32_t KQ_SetLedAllSettingInfo(const CommInfo* infos, const LedAllSettingInfo* record,
                                       int32_t* results, int32_t count, int32_t restrictTypes) {
  if (infos == nullptr && count > 0) return KQ_ERR_SEND_TYPE;
  if (record == nullptr) return KQ_ERR_MISSING_RECORD;
  std::vector<std::uint8_t> payload;
  try {
    payload = BuildAllSettingsPayload(*record);
  } catch (const std::bad_alloc&) {
    FailEveryCard(infos, count, results, KQ_ERR_FILE);
    return KQ_OK;
  }
  RunCardJobs(infos, count, results, ServedTypes(restrictTypes),
              SendPayloadWork(kCommandSettings, payload));
  return KQ_OK;
}
