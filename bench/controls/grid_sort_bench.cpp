// Sorting a 100,000-row, 10-column grid on a column of random texts against std::sort of
// the same key texts. Rows move whole (every cell and the height), and the grid walks
// every cell twice (merged blocks before, the cells' coordinates after), so the grid's
// sort costs a small multiple of sorting the keys alone (goal: at most 3x).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "controls/grid/model/grid_model.h"

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;
constexpr int kKeyColumn = 3;

// Random texts of 4 to 12 letters, the same in every run.
std::vector<QString> RandomTexts(int count) {
  std::mt19937 random(25);
  std::uniform_int_distribution<int> length(4, 12);
  std::uniform_int_distribution<int> letter(0, 51);
  std::vector<QString> texts;
  texts.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    QString text;
    for (int n = length(random); n > 0; --n) {
      const int c = letter(random);
      text.append(QChar(c < 26 ? u'A' + c : u'a' + c - 26));
    }
    texts.push_back(text);
  }
  return texts;
}

const std::vector<QString>& Keys() {
  static const std::vector<QString> keys = RandomTexts(kRows);
  return keys;
}

void BM_GridSortColumn(benchmark::State& state) {
  GridModel grid;
  if (!grid.SetRowCount(kRows + 1) || !grid.SetColumnCount(kColumns) || !grid.SetFixedRowCount(1)) {
    state.SkipWithError("the grid could not be made");
    return;
  }
  const std::vector<QString> others = RandomTexts(kRows);
  for (int row = 1; row <= kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      grid.SetCellText(row, col, others[static_cast<std::size_t>(row - 1)]);
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    for (int row = 1; row <= kRows; ++row) {
      grid.SetCellText(row, kKeyColumn, Keys()[static_cast<std::size_t>(row - 1)]);
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(grid.SortColumn(kKeyColumn, true));
  }
}

void BM_StdSortKeys(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<QString> keys = Keys();
    state.ResumeTiming();
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
      return QStringView(a).compare(QStringView(b)) < 0;
    });
    benchmark::DoNotOptimize(keys.data());
  }
}

BENCHMARK(BM_GridSortColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdSortKeys)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    std::printf("BM_GridSortColumn: %.1f ms; BM_StdSortKeys: %.1f ms\n",
                reporter.Seconds("BM_GridSortColumn") * 1e3,
                reporter.Seconds("BM_StdSortKeys") * 1e3);
    reporter.Goal("grid_sort_vs_std_sort", reporter.Ratio("BM_GridSortColumn", "BM_StdSortKeys"),
                  3);
  });
}
