// Card search: one search frame broadcast out of every local IPv4 interface; every
// valid reply becomes one LedSettingInfo. The worker collects the records; the
// caller's thread moves them into the caller's list while it dispatches its messages,
// so a timer handler of the caller that reads the list sees it grow safely.

#include "sdk/jobs/card_search.h"

#include <QObject>

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <list>
#include <mutex>
#include <utility>
#include <vector>

#include "sdk/link/blocking_call.h"
#include "sdk/api/guarded_call.h"
#include "sdk/link/send_command.h"
#include "sdk/device/settings_payload.h"
#include "sdk/link/transports/udp_socket.h"

namespace {

constexpr std::uint16_t kSearchMask = 0x03BF;  // bit 0x001 and every read section
constexpr std::size_t kSearchReplyBytes = 512;
constexpr std::int32_t kSearchLedMaxCards = 256;

// Records found by the worker, moved into the caller's list on the caller's thread:
// each record queues a move there, run while the caller waits in its event loop;
// MoveToList after the wait takes what is left (on a thread without one, everything).
class FoundCards {
 public:
  explicit FoundCards(std::list<LedSettingInfo>& list) : list_(list) {}

  // On the worker.
  void Add(const LedSettingInfo& record) {
    {
      std::lock_guard lock(mutex_);
      pending_.push_back(record);
    }
    QMetaObject::invokeMethod(&callerThread_, [this] { MoveToList(); }, Qt::QueuedConnection);
  }

  // On the caller's thread.
  void MoveToList() {
    const int code = Guarded([this] {
      for (const LedSettingInfo& record : Take()) list_.push_back(record);
      return KQ_OK;
    });
    if (code != KQ_OK) listFailed_ = true;
  }

  bool ListFailed() const { return listFailed_; }

 private:
  std::vector<LedSettingInfo> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
  }

  std::mutex mutex_;
  std::vector<LedSettingInfo> pending_;
  std::list<LedSettingInfo>& list_;
  bool listFailed_ = false;
  // Lives on the caller's thread, which runs the moves queued to it. Declared last,
  // so it goes first and takes any move still queued with it.
  QObject callerThread_;
};

struct SearchLimits {
  SteadyClock::time_point end;
  int quietMs;
  int repliesLeft;
};

// Broadcasts the search frame out of one interface and takes its replies until a
// quiet spell, the end of the search or the reply cap. 0, -5, -103 or -101.
[[nodiscard]] int SearchInterface(const LocalInterface& local, const TransportSettings& settings,
                    SearchLimits& limits, FoundCards& found) {
  UniqueFd socket;
  if (int code = OpenBroadcastSocket(socket, settings)) return code;
  const std::vector<std::uint8_t> request = BuildReadRequest(kSearchMask);
  wire::FrameBuilder frame(1, kCommandRead);
  const std::size_t size = frame.Build(0, request.data(), static_cast<std::uint32_t>(request.size()));
  if (SendDatagramVia(socket.Get(), local, BroadcastTarget(settings), frame.Data(), size) !=
      static_cast<ssize_t>(size)) {
    return KQ_ERR_SEND;
  }
  std::uint8_t reply[kSearchReplyBytes];
  while (limits.repliesLeft > 0 &&
         WaitReady(socket.Get(), POLLIN, std::min(DeadlineAfter(limits.quietMs), limits.end))) {
    const ssize_t got = ::recv(socket.Get(), reply, sizeof reply, MSG_DONTWAIT);
    if (got < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      break;
    }
    LedSettingInfo record;
    if (!ParseSearchReply(reply, static_cast<std::size_t>(got), record)) continue;
    found.Add(record);
    --limits.repliesLeft;
  }
  return KQ_OK;
}

// Every interface in turn until the search's time or reply cap runs out; the last
// interface's code is the result, -104 without any.
[[nodiscard]] int SearchAllInterfaces(FoundCards& found) {
  const TransportSettings settings = CurrentTransportSettings();
  const std::vector<LocalInterface> interfaces = LocalIpv4Interfaces();
  if (interfaces.empty()) return KQ_ERR_NO_LOCAL_ADDRESS;
  SearchLimits limits{DeadlineAfter(settings.searchLimitMs), settings.searchQuietMs,
                      settings.searchMaxReplies};
  int code = KQ_OK;
  for (const LocalInterface& local : interfaces) {
    if (limits.repliesLeft <= 0 || SteadyClock::now() >= limits.end) break;
    code = SearchInterface(local, settings, limits, found);
  }
  return code;
}

[[nodiscard]] int SearchIntoList(std::list<LedSettingInfo>& list) {
  FoundCards found(list);
  const int result = RunBlocking([&found] { return SearchAllInterfaces(found); });
  found.MoveToList();
  return found.ListFailed() ? KQ_ERR_FILE : result;
}

}  // namespace

bool ParseSearchReply(const std::uint8_t* reply, std::size_t length, LedSettingInfo& record) {
  if (length < wire::kMinReplyBytes || wire::ReadLe32(reply) != wire::kMagic) return false;
  // Only the sections that arrived whole are filled; the rest stay zero.
  record = LedSettingInfo{};
  FillReadSections(reply, length, kSearchMask, record);
  return true;
}

KQ_API int32_t KQ_SearchLedToList(std::list<LedSettingInfo>* list) {
  if (list == nullptr) return KQ_ERR_BAD_HANDLE;
  return Guarded([list] { return SearchIntoList(*list); });
}

KQ_API int32_t KQ_SearchLed(LedSettingInfo* records, int32_t* count) {
  if (count == nullptr) return KQ_ERR_BAD_HANDLE;
  if (records == nullptr) {
    *count = 0;
    return KQ_ERR_BAD_HANDLE;
  }
  const std::int32_t capacity = *count > 0 ? *count : kSearchLedMaxCards;
  *count = 0;
  return Guarded([&]() -> int {
    std::list<LedSettingInfo> list;
    if (int code = SearchIntoList(list)) return code;
    for (const LedSettingInfo& record : list) {
      if (*count == capacity) break;
      records[(*count)++] = record;
    }
    return KQ_OK;
  });
}
