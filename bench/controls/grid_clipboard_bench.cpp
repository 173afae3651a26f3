// Copying a 10,000 x 20 selection as text and pasting that text back, against joining
// and splitting the same texts with QStringList alone. Copying should cost a small
// multiple of the join; pasting validates, sets and marks every cell, so it may cost
// more than the split.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "controls/grid/model/grid_model.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 20;

// The cell texts "r<row>c<col>", with a prefix that tells two versions apart.
QString CellText(const QString& prefix, int row, int col) {
  return QStringLiteral("%1r%2c%3").arg(prefix).arg(row).arg(col);
}

// The grid filled with one version of the texts, every cell selected.
std::unique_ptr<GridModel> MakeGrid(const QString& prefix) {
  auto grid = std::make_unique<GridModel>();
  if (!grid->SetRowCount(kRows) || !grid->SetColumnCount(kColumns)) return nullptr;
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col)
      grid->SetCellText(row, col, CellText(prefix, row, col));
  }
  grid->SelectAllCells();
  return grid;
}

// The text of the whole grid for a version, as copying gives it.
QString GridText(const QString& prefix) {
  QStringList rows;
  for (int row = 0; row < kRows; ++row) {
    QStringList fields;
    for (int col = 0; col < kColumns; ++col) fields.append(CellText(prefix, row, col));
    rows.append(fields.join(u'\t'));
  }
  return rows.join(u'\n');
}

void BM_GridCopySelectionText(benchmark::State& state) {
  const std::unique_ptr<GridModel> grid = MakeGrid(QStringLiteral("a"));
  if (grid == nullptr) {
    state.SkipWithError("the grid could not be made");
    return;
  }
  for (auto _ : state) {
    std::unique_ptr<QMimeData> data = grid->CopySelectionText();
    benchmark::DoNotOptimize(data.get());
  }
}

void BM_QStringListJoin(benchmark::State& state) {
  std::vector<QStringList> cells(kRows);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col)
      cells[row].append(CellText(QStringLiteral("a"), row, col));
  }
  for (auto _ : state) {
    QStringList rows;
    for (const QStringList& fields : cells) rows.append(fields.join(u'\t'));
    QString text = rows.join(u'\n');
    benchmark::DoNotOptimize(text.data());
  }
}

void BM_GridPasteSelectionText(benchmark::State& state) {
  const std::unique_ptr<GridModel> grid = MakeGrid(QStringLiteral("a"));
  if (grid == nullptr) {
    state.SkipWithError("the grid could not be made");
    return;
  }
  // Two versions in turn, so that every paste changes, validates and marks every cell.
  QMimeData versions[2];
  versions[0].setText(GridText(QStringLiteral("b")));
  versions[1].setText(GridText(QStringLiteral("a")));
  int turn = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(grid->PasteSelectionText(0, 0, &versions[turn], false));
    turn ^= 1;
  }
}

void BM_QStringListSplit(benchmark::State& state) {
  const QString text = GridText(QStringLiteral("b"));
  for (auto _ : state) {
    std::vector<QStringList> lines;
    for (const QString& line : text.split(u'\n')) lines.push_back(line.split(u'\t'));
    benchmark::DoNotOptimize(lines.data());
  }
}

BENCHMARK(BM_GridCopySelectionText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStringListJoin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPasteSelectionText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QStringListSplit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    std::printf("copy %.1f ms, join %.1f ms; paste %.1f ms, split %.1f ms\n",
                reporter.Seconds("BM_GridCopySelectionText") * 1e3,
                reporter.Seconds("BM_QStringListJoin") * 1e3,
                reporter.Seconds("BM_GridPasteSelectionText") * 1e3,
                reporter.Seconds("BM_QStringListSplit") * 1e3);
    reporter.Goal("grid_copy_vs_join",
                  reporter.Ratio("BM_GridCopySelectionText", "BM_QStringListJoin"), 3);
    reporter.Goal("grid_paste_vs_split",
                  reporter.Ratio("BM_GridPasteSelectionText", "BM_QStringListSplit"), 10);
  });
}
