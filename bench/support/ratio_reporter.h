#pragma once
// Prints as usual and keeps each run's wall time per iteration, so that a benchmark
// can print its ratios against its yardsticks and end with one line per goal:
// "goal NAME: 1.84x (limit 2x) PASS". With --benchmark_repetitions the median of the
// repetitions counts, and of the repetitions' aggregates only the medians are printed.
// Nothing is coloured, so the goal lines read the same in a file.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_None) {}

  // Of the aggregates of repetitions only the median is kept and printed.
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      shown.push_back(run);
      if (run.iterations == 0 || run.error_occurred) continue;  // no time to count
      const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
      if (median) {
        medians_[run.run_name.str()] = seconds;  // when only aggregates are reported
      } else {
        seconds_[run.run_name.str()].push_back(seconds);
      }
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }

  // Median wall seconds per iteration of the run named so (as printed, without
  // aggregate suffixes); 0 when it did not run.
  double Seconds(const std::string& name) const {
    const auto found = seconds_.find(name);
    if (found == seconds_.end()) {
      const auto median = medians_.find(name);
      return median == medians_.end() ? 0 : median->second;
    }
    std::vector<double> values = found->second;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  }

  // The time of own over that of yardstick; 0 when either did not run.
  double Ratio(const std::string& own, const std::string& yardstick) const {
    const double base = Seconds(yardstick);
    return base > 0 ? Seconds(own) / base : 0;
  }

  // Collects a goal: ratio (0 for "not measured") at most limit. PrintGoals prints
  // them in order, as the benchmark's last lines.
  void Goal(const std::string& name, double ratio, double limit) {
    goals_.push_back({name, ratio, limit});
  }
  void PrintGoals() const {
    for (const GoalLine& goal : goals_) {
      if (goal.ratio <= 0) {  // a run left out (filtered) or failed
        std::printf("goal %s: not measured (limit %.3gx) FAIL\n", goal.name.c_str(), goal.limit);
        continue;
      }
      std::printf("goal %s: %.2fx (limit %.3gx) %s\n", goal.name.c_str(), goal.ratio, goal.limit,
                  goal.ratio <= goal.limit ? "PASS" : "FAIL");
    }
    std::fflush(stdout);
  }

 private:
  struct GoalLine {
    std::string name;
    double ratio;
    double limit;
  };
  std::map<std::string, std::vector<double>> seconds_;
  std::map<std::string, double> medians_;
  std::vector<GoalLine> goals_;
};

// Runs the benchmarks the command line selects with a RatioReporter, lets report print
// its figures and add its goals, then prints the goal lines and returns main's result.
inline int RunGoalBenchmarks(int argc, char** argv,
                             const std::function<void(RatioReporter&)>& report) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  report(reporter);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
