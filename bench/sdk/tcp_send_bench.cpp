// 1 MB of display data over TCP to the loopback card emulator, against the least a
// stop-and-wait sender can do on the same link (send 536 bytes, read 28), and the
// ratio of the two.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "model/common/bounded_text.h"
#include "sdk/link/send_command.h"
#include "tests/support/card_emulator.h"

namespace {

constexpr std::size_t kPayloadBytes = 1 << 20;
constexpr std::size_t kFrames = kPayloadBytes / 512;

double sdkFramesPerSecond = 0;
double minimalFramesPerSecond = 0;

emu::Card& BenchCard() {
  static emu::Card card;
  return card;
}

emu::TcpCard& BenchServer() {
  static emu::TcpCard server(BenchCard());
  return server;
}

void SdkSend(benchmark::State& state) {
  CommInfo info{};
  info.SendType = KQ_SEND_TCP;
  info.CardAddress = 1;
  CopyBoundedText(info.IpAddress, QString::fromStdString(BenchServer().Address()));
  const std::vector<std::uint8_t> payload(kPayloadBytes, 0x5A);
  for (auto _ : state) {
    const int result = SendCommand(nullptr, nullptr, &info, kCommandDisplayData,
                                   payload.data(), payload.size(), false, true);
    if (result != 0) state.SkipWithError("send failed");
  }
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(kFrames), benchmark::Counter::kIsIterationInvariantRate);
}

// The same frames with nothing else: one connection, send, read the 28-byte reply.
void MinimalStopAndWait(benchmark::State& state) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(10000);
  ::inet_pton(AF_INET, BenchServer().Address().c_str(), &target.sin_addr);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
    state.SkipWithError("connect failed");
  }
  std::uint8_t frame[536] = {0x55, 0xAA, 0x00, 0x00, 0x01, 0x01, 0x00, 0xDA};
  const std::uint32_t total = kPayloadBytes;
  std::memcpy(frame + 14, &total, 4);
  frame[18] = 0x00;
  frame[19] = 0x02;
  frame[534] = 0x0D;
  frame[535] = 0x0A;
  std::uint8_t reply[28];
  for (auto _ : state) {
    for (std::uint32_t index = 0; index < kFrames; ++index) {
      std::memcpy(frame + 10, &index, 4);
      ::send(fd, frame, sizeof frame, MSG_NOSIGNAL);
      std::size_t got = 0;
      while (got < sizeof reply) {
        const ssize_t part = ::recv(fd, reply + got, sizeof reply - got, 0);
        if (part <= 0) break;
        got += static_cast<std::size_t>(part);
      }
    }
  }
  ::close(fd);
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(kFrames), benchmark::Counter::kIsIterationInvariantRate);
}

class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const double rate = run.counters.at("frames_per_s");
      if (run.benchmark_name().rfind("SdkSend", 0) == 0) sdkFramesPerSecond = rate;
      if (run.benchmark_name().rfind("MinimalStopAndWait", 0) == 0) minimalFramesPerSecond = rate;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

BENCHMARK(SdkSend)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MinimalStopAndWait)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!BenchServer().Listening()) {
    std::fprintf(stderr, "no loopback address free for the card emulator\n");
    return 1;
  }
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("SDK %.0f frames/s, minimal loop %.0f frames/s, ratio %.1f %%\n",
              sdkFramesPerSecond, minimalFramesPerSecond,
              minimalFramesPerSecond > 0 ? 100.0 * sdkFramesPerSecond / minimalFramesPerSecond : 0.0);
  benchmark::Shutdown();
  return 0;
}
