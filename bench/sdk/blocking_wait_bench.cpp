// A blocking call on a thread with an event loop: how long after its worker ends the
// caller returns, against a thread woken by a condition variable when its worker ends
// (goal: at most 2x that wake, for the single-worker call and for the multi-card wait
// of one card); and how much processor time the caller spends, and how often its loop
// wakes, while the worker sleeps 2 s.

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <time.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "bench/support/ratio_reporter.h"
#include "sdk/jobs/send_jobs.h"
#include "sdk/link/blocking_call.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kShortWork = std::chrono::milliseconds(5);
constexpr auto kLongWork = std::chrono::seconds(2);
constexpr int kReturns = 200;  // calls a repetition: one second of short work
constexpr double kGoalLimit = 2;

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
  RunCardJobs(
      &info, 1, nullptr, [](const CommInfo&) { return true; },
      [&](std::int32_t, const CommInfo&) {
        std::this_thread::sleep_for(work);
        endedAt = Clock::now().time_since_epoch().count();
        return 0;
      });
}

// The yardstick: a worker thread that ends by waking the caller through a condition
// variable, the least any wait for a thread's end costs. The worker owns a share of
// the state, since it may still be in notify_one when the caller has returned.
void RunConditionWake(std::chrono::nanoseconds work, std::atomic<Clock::rep>& endedAt) {
  struct Wake {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
  };
  const auto wake = std::make_shared<Wake>();
  std::thread([wake, work, &endedAt] {
    std::this_thread::sleep_for(work);
    endedAt = Clock::now().time_since_epoch().count();
    {
      const std::lock_guard lock(wake->mutex);
      wake->done = true;
    }
    wake->ended.notify_one();
  }).detach();
  std::unique_lock lock(wake->mutex);
  wake->ended.wait(lock, [&wake] { return wake->done; });
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
  const auto connection =
      QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
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

BENCHMARK_CAPTURE(ReturnLatency, condition_wake, RunConditionWake)
    ->UseManualTime()
    ->Iterations(kReturns)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReturnLatency, single, RunSingle)
    ->UseManualTime()
    ->Iterations(kReturns)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReturnLatency, multi_card, RunMultiCard)
    ->UseManualTime()
    ->Iterations(kReturns)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(IdleCost, single, RunSingle)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(IdleCost, multi_card, RunMultiCard)->Iterations(1)->Unit(benchmark::kMillisecond);

std::string LatencyRun(const char* name) {
  return std::string("ReturnLatency/") + name + "/iterations:" + std::to_string(kReturns) +
         "/manual_time";
}

}  // namespace

// The caller is the main thread of a Qt application, as in the main program.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("blocking_return_vs_condition_wake",
                  reporter.Ratio(LatencyRun("single"), LatencyRun("condition_wake")), kGoalLimit);
    reporter.Goal("multi_card_return_vs_condition_wake",
                  reporter.Ratio(LatencyRun("multi_card"), LatencyRun("condition_wake")),
                  kGoalLimit);
  });
}
