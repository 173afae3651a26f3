// Painting the grid window: a 1920 x 1080 viewport at the top of a 100,000 x 200 grid
// against the same window over a grid of only the cells it shows. Painting lays out and
// draws only the rows and columns that meet the clip box, so the size of the grid
// should not show in the time.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "controls/grid/widget/grid_ctrl.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRowHeight = 20;
constexpr int kColumnWidth = 64;
constexpr int kVisibleRows = kHeight / kRowHeight + 1;
constexpr int kVisibleColumns = kWidth / kColumnWidth + 1;

// A grid window of the given shape with one fixed row and column and texts in the
// cells the window shows.
std::unique_ptr<CGridCtrl> MakeGrid(int rows, int columns) {
  auto grid = std::make_unique<CGridCtrl>();
  bool made = grid->Create(QRect(0, 0, kWidth + 2, kHeight + 2), nullptr) &&  // 1-pixel frame
              grid->SetRowCount(rows) && grid->SetColumnCount(columns) &&
              grid->SetFixedRowCount(1) && grid->SetFixedColumnCount(1);
  for (int row = 0; row < rows; ++row) made = made && grid->SetRowHeight(row, kRowHeight);
  for (int col = 0; col < columns; ++col) made = made && grid->SetColumnWidth(col, kColumnWidth);
  if (!made) std::abort();
  for (int row = 0; row < kVisibleRows && row < rows; ++row) {
    for (int col = 0; col < kVisibleColumns && col < columns; ++col) {
      grid->GetCell(row, col)->SetText(QString::number(row * 1000 + col));
    }
  }
  if (!grid->SetCellState(3, 3, GVIS_SELECTED)) std::abort();
  grid->SetFocusCell(4, 4);
  return grid;
}

void Paint(benchmark::State& state, CGridCtrl& grid) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    grid.viewport()->render(&image);
    benchmark::DoNotOptimize(image.bits());
  }
}

// The two windows, made in main after the application and destroyed before it.
CGridCtrl* g_large = nullptr;
CGridCtrl* g_visibleOnly = nullptr;

void BM_PaintLargeGrid(benchmark::State& state) { Paint(state, *g_large); }
void BM_PaintVisibleOnlyGrid(benchmark::State& state) { Paint(state, *g_visibleOnly); }

BENCHMARK(BM_PaintLargeGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintVisibleOnlyGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::unique_ptr<CGridCtrl> large = MakeGrid(100000, 200);
  const std::unique_ptr<CGridCtrl> visibleOnly = MakeGrid(kVisibleRows, kVisibleColumns);
  g_large = large.get();
  g_visibleOnly = visibleOnly.get();
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    reporter.Goal("grid_paint_large_vs_visible",
                  reporter.Ratio("BM_PaintLargeGrid", "BM_PaintVisibleOnlyGrid"), 1.2);
  });
}
