// Display data over TCP to the loopback card emulator (1 KB, 100 KB, 1 MB and 10 MB,
// one connection per command as the SDK makes), against the least a stop-and-wait
// sender can do on the same link: connect, then per 512-byte chunk send the 536-byte
// frame and read the 28-byte reply. Goals: at least 90 % of the minimal loop's frames
// per second for 1 MB and 10 MB (a time ratio of at most 1.11), and at most 1.5 times
// its time for 1 KB. Run both ends on one processor (taskset -c N, as scripts/bench
// does) so that wake-ups on other processors do not hide the SDK's own cost.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "model/common/bounded_text.h"
#include "model/common/little_endian.h"
#include "model/common/unique_fd.h"
#include "sdk/link/send_command.h"
#include "tests/support/card_emulator.h"

namespace {

constexpr std::size_t kChunkBytes = 512;
constexpr std::int64_t kPayloadSizes[] = {1 << 10, 100 << 10, 1 << 20, 10 << 20};

emu::Card& BenchCard() {
  static emu::Card card;
  return card;
}

emu::TcpCard& BenchServer() {
  static emu::TcpCard server(BenchCard());
  return server;
}

void CountFrames(benchmark::State& state, std::size_t payloadBytes) {
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>((payloadBytes + kChunkBytes - 1) / kChunkBytes),
                         benchmark::Counter::kIsIterationInvariantRate);
}

void SdkSend(benchmark::State& state) {
  const auto payloadBytes = static_cast<std::size_t>(state.range(0));
  CommInfo info{};
  info.SendType = KQ_SEND_TCP;
  info.CardAddress = 1;
  CopyBoundedText(info.IpAddress, QString::fromStdString(BenchServer().Address()));
  const std::vector<std::uint8_t> payload(payloadBytes, 0x5A);
  for (auto _ : state) {
    const int result = SendCommand(nullptr, nullptr, &info, kCommandDisplayData, payload.data(),
                                   payload.size(), false, true);
    if (result != 0) state.SkipWithError("send failed");
  }
  CountFrames(state, payloadBytes);
}

// One command with nothing else: connect, then per chunk send the frame and read the
// 28-byte reply, then close.
bool MinimalCommand(const sockaddr_in& target, std::uint32_t total) {
  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  const int on = 1;
  ::setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
    return false;
  }
  std::uint8_t frame[536] = {0x55, 0xAA, 0x00, 0x00, 0x01, 0x01, 0x00, 0xDA};
  WriteLe32(frame + 14, total);
  frame[18] = 0x00;
  frame[19] = 0x02;
  frame[534] = 0x0D;
  frame[535] = 0x0A;
  std::uint8_t reply[28];
  for (std::uint32_t index = 0; index * kChunkBytes < total; ++index) {
    WriteLe32(frame + 10, index);
    if (::send(fd.Get(), frame, sizeof frame, MSG_NOSIGNAL) != sizeof frame) return false;
    std::size_t got = 0;
    while (got < sizeof reply) {
      const ssize_t part = ::recv(fd.Get(), reply + got, sizeof reply - got, 0);
      if (part <= 0) return false;
      got += static_cast<std::size_t>(part);
    }
  }
  return true;
}

void MinimalStopAndWait(benchmark::State& state) {
  const auto payloadBytes = static_cast<std::size_t>(state.range(0));
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(10000);
  ::inet_pton(AF_INET, BenchServer().Address().c_str(), &target.sin_addr);
  for (auto _ : state) {
    if (!MinimalCommand(target, static_cast<std::uint32_t>(payloadBytes))) {
      state.SkipWithError("minimal loop failed");
    }
  }
  CountFrames(state, payloadBytes);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (std::int64_t bytes : kPayloadSizes) benchmark->Arg(bytes);
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK(SdkSend)->Apply(Sizes);
BENCHMARK(MinimalStopAndWait)->Apply(Sizes);

namespace {

std::string RunName(const char* name, std::int64_t bytes) {
  return std::string(name) + "/" + std::to_string(bytes) + "/real_time";
}

}  // namespace

int main(int argc, char** argv) {
  if (!BenchServer().Listening()) {
    std::fprintf(stderr, "no loopback address free for the card emulator\n");
    return 1;
  }
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    for (std::int64_t bytes : kPayloadSizes) {
      const double ratio =
          reporter.Ratio(RunName("SdkSend", bytes), RunName("MinimalStopAndWait", bytes));
      std::printf("%9lld bytes: SDK time / minimal loop %.2f (%.1f %% of its frames per second)\n",
                  static_cast<long long>(bytes), ratio, ratio > 0 ? 100 / ratio : 0.0);
    }
    reporter.Goal(
        "tcp_1KB_vs_minimal_time",
        reporter.Ratio(RunName("SdkSend", 1 << 10), RunName("MinimalStopAndWait", 1 << 10)), 1.5);
    for (std::int64_t bytes : {std::int64_t{1} << 20, std::int64_t{10} << 20}) {
      reporter.Goal("tcp_" + std::to_string(bytes >> 20) + "MB_vs_minimal_time",
                    reporter.Ratio(RunName("SdkSend", bytes), RunName("MinimalStopAndWait", bytes)),
                    1 / 0.9);
    }
  });
}
