// Pastes a megabyte of text without a break into a shown rich-edit control, and opens
// an RTF file whose one line is a megabyte (half of it hex escapes), each time until
// the control has laid the text out. Goals: each within one second.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#include "bench/support/ratio_reporter.h"
#include "controls/rich_edit/rich_edit_ex.h"

namespace {

constexpr int kMegabyte = 1 << 20;
constexpr double kLimitSeconds = 1;

CRichEditEx* g_edit = nullptr;
QString g_rtfPath;

// Until the control has laid out what it holds and shown it.
void LayOut(CRichEditEx& edit) {
  benchmark::DoNotOptimize(edit.document()->documentLayout()->documentSize());
  QApplication::processEvents();
}

void BM_PasteMegabyteLine(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    g_edit->SetWindowText(QString());
    auto* data = new QMimeData;
    data->setText(QString(kMegabyte, u'x'));
    QApplication::clipboard()->setMimeData(data);
    state.ResumeTiming();
    g_edit->paste();
    LayOut(*g_edit);
  }
}

void BM_OpenMegabyteRtfLine(benchmark::State& state) {
  for (auto _ : state) {
    if (g_edit->LoadRtfFile(g_rtfPath) != 1) state.SkipWithError("the file was not read");
    LayOut(*g_edit);
  }
}

BENCHMARK(BM_PasteMegabyteLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenMegabyteRtfLine)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QTemporaryDir folder;
  g_rtfPath = folder.filePath(QStringLiteral("line.rtf"));
  QFile file(g_rtfPath);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write("{\\rtf1 " + QByteArray(kMegabyte / 2, 'y') +
             QByteArray("\\'79").repeated(kMegabyte / 2) + "}");
  file.close();
  const auto edit = std::make_unique<CRichEditEx>();
  edit->resize(400, 300);
  edit->SetRect(QRect(0, 0, 256, 128));
  edit->show();
  g_edit = edit.get();
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("paste_megabyte_line_vs_1s",
                  reporter.Seconds("BM_PasteMegabyteLine") / kLimitSeconds, 1);
    reporter.Goal("open_megabyte_rtf_line_vs_1s",
                  reporter.Seconds("BM_OpenMegabyteRtfLine") / kLimitSeconds, 1);
  });
}
