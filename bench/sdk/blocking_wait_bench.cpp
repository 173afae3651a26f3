// A blocking call on a thread with an event loop: how long after its worker ends the
// caller returns, and how much processor time the caller spends while the worker
// sleeps 2 s. Both for the single-worker call and for the multi-card wait (one card).

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <time.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "sdk/jobs/send_jobs.h"
#include "sdk/link/blocking_call.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kShortWork = std::chrono::milliseconds(5);
constexpr auto kLongWork = std::chrono::seconds(2);

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs one blocking call whose worker sleeps `work` and notes when it ends.
using BlockingRunner = void (*)(std::chrono::nanoseconds work, std::atomic<Clock::rep>& endedAt);

void RunSingle(std::chrono::nanoseconds work, std::atomic<Clock::rep>& endedAt) {
  // The worker always returns 0; only the call's timing is measured.
  (void)RunBlocking([&] {
    std::this_thread::sleep_for(work);
    endedAt = Clock::now().time_since_epoch().count();
    return 0;
  });
}

void RunMultiCard(std::chrono::nanoseconds work, std::atomic<Clock::rep>& endedAt) {
  const CommInfo info{};
  RunCardJobs(&info, 1, nullptr, [](const CommInfo&) { return true; },
              [&](std::int32_t, const CommInfo&) {
                std::this_thread::sleep_for(work);
                endedAt = Clock::now().time_since_epoch().count();
                return 0;
              });
}

// Wall time from the worker's end to the caller's return.
void ReturnLatency(benchmark::State& state, BlockingRunner run) {
  for (auto _ : state) {
    std::atomic<Clock::rep> endedAt{0};
    run(kShortWork, endedAt);
    const auto returnedAt = Clock::now().time_since_epoch().count();
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::duration(returnedAt - endedAt)).count());
  }
}

// The caller's processor time and event-loop wake-ups while the worker sleeps 2 s.
void IdleCost(benchmark::State& state, BlockingRunner run) {
  int awakenings = 0;
  const auto connection = QObject::connect(QAbstractEventDispatcher::instance(),
                                           &QAbstractEventDispatcher::awake,
                                           [&awakenings] { ++awakenings; });
  double cpuSeconds = 0;
  for (auto _ : state) {
    std::atomic<Clock::rep> endedAt{0};
    const double before = ThreadCpuSeconds();
    run(kLongWork, endedAt);
    cpuSeconds += ThreadCpuSeconds() - before;
  }
  QObject::disconnect(connection);
  state.counters["caller_cpu_ms"] =
      benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["wakeups"] = benchmark::Counter(awakenings, benchmark::Counter::kAvgIterations);
}

BENCHMARK_CAPTURE(ReturnLatency, single, RunSingle)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReturnLatency, multi_card, RunMultiCard)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(IdleCost, single, RunSingle)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(IdleCost, multi_card, RunMultiCard)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

// The caller is the main thread of a Qt application, as in the main program.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
