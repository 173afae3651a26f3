// Page Down from the top to the bottom of a 100,000-row grid and of a 1,000-row grid,
// 20 rows visible in both. The top-left cell after a scroll is found from the previous
// one, so a step should cost the same whatever the grid's length.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "controls/grid/widget/grid_ctrl.h"

namespace {

constexpr int kRowHeight = 20;
constexpr int kVisibleRows = 20;
constexpr int kColumns = 5;

// Steps per pass of each benchmark, for the time per step.
std::map<std::string, double> g_steps;

std::unique_ptr<CGridCtrl> MakeGrid(int rows) {
  auto grid = std::make_unique<CGridCtrl>();
  if (!grid->Create(QRect(0, 0, 402, kRowHeight * (kVisibleRows + 1) + 2), nullptr)) std::abort();
  if (!grid->SetRowCount(rows)) std::abort();
  if (!grid->SetColumnCount(kColumns)) std::abort();
  if (!grid->SetFixedRowCount(1)) std::abort();
  if (!grid->SetFixedColumnCount(1)) std::abort();
  for (int row = 0; row < rows; ++row)
    if (!grid->SetRowHeight(row, kRowHeight)) std::abort();
  for (int col = 0; col < kColumns; ++col)
    if (!grid->SetColumnWidth(col, 60)) std::abort();
  return grid;
}

// One pass: from the first cell, Page Down until the focus is on the last row.
void PageDown(benchmark::State& state, const std::string& name, int rows) {
  const std::unique_ptr<CGridCtrl> grid = MakeGrid(rows);
  double steps = 0;
  for (auto _ : state) {
    grid->SetFocusCell(1, 1);
    grid->OnKeyDown(VK_HOME, Qt::ControlModifier);
    steps = 0;
    while (grid->GetFocusCell().row < rows - 1) {
      grid->OnKeyDown(VK_NEXT, Qt::NoModifier);
      ++steps;
    }
  }
  g_steps[name] = steps;
  state.counters["steps"] = steps;
}

void BM_PageDownLongGrid(benchmark::State& state) {
  PageDown(state, "BM_PageDownLongGrid", 100000);
}
void BM_PageDownShortGrid(benchmark::State& state) {
  PageDown(state, "BM_PageDownShortGrid", 1000);
}

BENCHMARK(BM_PageDownLongGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownShortGrid)->Unit(benchmark::kMillisecond);

// Nanoseconds per Page Down step of the benchmark named so; 0 when it did not run.
double NanosecondsPerStep(const RatioReporter& reporter, const std::string& name) {
  const double steps = g_steps[name];
  return steps > 0 ? reporter.Seconds(name) * 1e9 / steps : 0;
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    const double longGrid = NanosecondsPerStep(reporter, "BM_PageDownLongGrid");
    const double shortGrid = NanosecondsPerStep(reporter, "BM_PageDownShortGrid");
    std::printf("ns per step: long grid %.0f, short grid %.0f\n", longGrid, shortGrid);
    reporter.Goal("grid_page_down_long_vs_short", shortGrid > 0 ? longGrid / shortGrid : 0, 1.5);
  });
}
