#include "sdk/link/send_command.h"

#include <limits>

#include "platform/message_window.h"
#include "sdk/link/blocking_call.h"

namespace {

void PostProgress(const CommInfo& info, std::size_t done, std::size_t chunks) {
  if (info.NotifyWindow == nullptr) return;
  const auto percent = static_cast<LPARAM>(100 * done / chunks);
  // Progress is advisory: a window already gone misses it; the send goes on.
  (void)PostMessage(info.NotifyWindow, info.ProgressMessage, static_cast<WPARAM>(info.CallerValue),
                    percent);
}

[[nodiscard]] int SendLive(const CommandRequest& request) {
  switch (request.info.SendType) {
    case KQ_SEND_TCP: return SendFrameTcp(request);
    case KQ_SEND_UDP: return SendFrameUdp(request);
    default: return SendFrameSerial(request);
  }
}

}  // namespace

int RunChunkLoop(wire::FrameLink& link, const CommandRequest& request) {
  const std::size_t chunks = wire::ChunkCount(request.length);
  wire::FrameBuilder frame(static_cast<std::uint8_t>(request.info.CardAddress & 0xFF),
                           request.command);
  std::uint8_t ack[wire::kAckBytes];
  std::uint8_t* reply = request.wantReply ? request.reply : ack;
  const std::size_t capacity =
      request.wantReply ? (request.replyLength ? *request.replyLength : 0) : sizeof ack;
  for (std::size_t i = 0; i < chunks; ++i) {
    const std::size_t size = frame.Build(static_cast<std::uint32_t>(i), request.payload,
                                         request.length);
    if (int code = link.SendFrame(frame.Data(), size)) return code;
    std::size_t received = 0;
    if (int code = link.ReadReply(reply, capacity, &received)) return code;
    if (int code = wire::CheckReply(reply, received, !request.wantReply)) return code;
    if (request.wantReply) *request.replyLength = received;
    PostProgress(request.info, i + 1, chunks);
  }
  return KQ_OK;
}

int SendCommand(std::uint8_t* reply, std::size_t* replyLength, const CommInfo* info,
                std::uint16_t command, const std::uint8_t* payload, std::size_t length,
                bool wantReply, bool threaded) {
  if (info == nullptr) return KQ_ERR_SEND_TYPE;
  if (length > std::numeric_limits<std::uint32_t>::max()) return KQ_ERR_FILE;
  if (length > 0 && payload == nullptr) return KQ_ERR_FILE;
  const CommandRequest request{*info, command, payload, static_cast<std::uint32_t>(length),
                               wantReply, reply, replyLength};
  switch (request.info.SendType) {
    case KQ_SEND_TCP:
    case KQ_SEND_UDP:
    case KQ_SEND_SERIAL:
      if (length == 0) return KQ_OK;
      if (threaded) return RunBlocking([&request] { return SendLive(request); });
      return SendLive(request);
    case KQ_SEND_USB: return WriteUsbCommandFiles(request);
    case KQ_SEND_NONE: return KQ_OK;
    default: return KQ_ERR_SEND_TYPE;
  }
}
