// Inserting a row into a 200 x 20 table in the table editor (the command: the row, its
// save, the file loaded back and the grid repainted) against SaveTableFile plus
// LoadTableFile of the same table. Goal: the command takes at most 1.3 times the save
// and load, so that it adds little beyond the round trip it needs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/support/ratio_reporter.h"
#include "controls/grid/table/grid_table_file.h"
#include "controls/grid/widget/grid_ctrl.h"
#include "controls/shell/table_edit_ids.h"
#include "editors/table_editor/grid_edit_dialog.h"
#include "editors/table_editor/table_shapes.h"
#include "model/project/area_items.h"

namespace {

constexpr double kGoalRatio = 1.3;
constexpr int kRows = 200;
constexpr int kColumns = 20;

struct Table {
  QTemporaryDir folder;
  QString path = folder.filePath(QStringLiteral("page.kqg"));
  QString original = folder.filePath(QStringLiteral("original.kqg"));
  FileItem item{};
  std::unique_ptr<CGridEditDialog> dialog;

  Table() {
    dialog = std::make_unique<CGridEditDialog>(path, item, 640, 480, nullptr);
    CGridCtrl& grid = dialog->Grid();
    bool made = BuildNewTable(grid, kRows, kColumns, 640, 4000);
    for (int row = 1; row <= kRows; ++row) {
      for (int col = 1; col <= kColumns; ++col) {
        made = made && grid.SetCellText(row, col, QStringLiteral("cell %1 %2").arg(row).arg(col));
      }
    }
    if (!made || SaveTableFile(grid, original) != 1) std::abort();
    dialog->show();
  }
};

// Made at the first benchmark, ended before the application.
std::unique_ptr<Table> theTable;

Table& TheTable() {
  if (!theTable) theTable = std::make_unique<Table>();
  return *theTable;
}

void BM_InsertRowCommand(benchmark::State& state) {
  Table& table = TheTable();
  CGridCtrl& grid = table.dialog->Grid();
  for (auto _ : state) {
    state.PauseTiming();
    if (LoadTableFile(grid, table.original) != 1) state.SkipWithError("the table was not loaded");
    grid.SetFocusCell(kRows / 2, 1);
    state.ResumeTiming();
    SendMessage(table.dialog->Handle(), WM_COMMAND, ID_GRID_INSERT_ROW, 0);
    grid.viewport()->repaint();
  }
  if (grid.GetRowCount() != kRows + 2) state.SkipWithError("no row was inserted");
}

void BM_SaveAndLoad(benchmark::State& state) {
  Table& table = TheTable();
  CGridCtrl& grid = table.dialog->Grid();
  if (LoadTableFile(grid, table.original) != 1) state.SkipWithError("the table was not loaded");
  for (auto _ : state) {
    if (SaveTableFile(grid, table.path) != 1 || LoadTableFile(grid, table.path) != 1) {
      state.SkipWithError("the table was not saved and loaded");
    }
  }
}

BENCHMARK(BM_InsertRowCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAndLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int result = RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    std::printf("insert row %.2f ms, save and load %.2f ms\n",
                reporter.Seconds("BM_InsertRowCommand") * 1e3,
                reporter.Seconds("BM_SaveAndLoad") * 1e3);
    reporter.Goal("insert a row into a 200 x 20 table against its save and load",
                  reporter.Ratio("BM_InsertRowCommand", "BM_SaveAndLoad"), kGoalRatio);
  });
  theTable.reset();
  return result;
}
