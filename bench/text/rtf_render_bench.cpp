// Renders a 20,000-character document of mixed CJK and Latin text into 192 x 64
// pages with RenderRtfPages, and in the same run lets QTextDocument lay out and draw
// the same document into pages of the same size. Goal: at most twice Qt's time. Also
// prints the time and the peak memory of a continuous single line of 100,000
// characters.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "render/text/rich_text.h"
#include "render/text/rtf_render.h"
#include "render/text/rtf_writer.h"

namespace {

constexpr int kPageWidth = 192;
constexpr int kPageHeight = 64;
constexpr int kDocumentCharacters = 20000;
constexpr int kLineCharacters = 100000;

// Paragraphs of runs in two faces, sizes, colours and styles, cycling through CJK
// and Latin texts until the document holds characters characters.
QByteArray MakeDocument(int characters, bool paragraphs) {
  static const QString kTexts[] = {QStringLiteral("LED screens "), QStringLiteral("显示屏幕内容"),
                                   QStringLiteral("show text, "), QStringLiteral("节目和区域。")};
  RichParagraphs document(1);
  int count = 0;
  for (int run = 0; count < characters; ++run) {
    if (paragraphs && run % 20 == 19) document.emplace_back();
    RichCharFormat format{
        run % 2 ? QStringLiteral("WenQuanYi Micro Hei") : QStringLiteral("DejaVu Sans"),
        static_cast<std::uint8_t>(run % 2 ? 134 : 0),
        150 + 30 * (run % 3),
        run % 3 == 0,
        run % 7 == 0,
        run % 11 == 0,
        static_cast<ColorRef>(0x0000FF << (8 * (run % 3))),
        false};
    const QString text = kTexts[run % 4].left(characters - count);
    document.back().runs.push_back({text, format});
    document.back().format.align = static_cast<RichAlign>(document.size() % 3);
    count += static_cast<int>(text.size());
  }
  return WriteRtf(document);
}

struct Files {
  QTemporaryDir folder;
  QString pages;
  QString line;
  Files() {
    pages = folder.filePath(QStringLiteral("pages.rtf"));
    line = folder.filePath(QStringLiteral("line.rtf"));
    Write(pages, MakeDocument(kDocumentCharacters, true));
    Write(line, MakeDocument(kLineCharacters, false));
  }
  static void Write(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) std::abort();
  }
};

Files& TheFiles() {
  static Files files;
  return files;
}

RtfRenderInput Area() {
  RtfRenderInput input;
  input.width = kPageWidth;
  input.height = kPageHeight;
  return input;
}

void BM_RenderRtfPages(benchmark::State& state) {
  RichText text;
  const QString pak = TheFiles().folder.filePath(QStringLiteral("pages.pak"));
  int pages = 0;
  for (auto _ : state) {
    pages = RenderRtfPages(TheFiles().pages, pak, &text, Area());
    if (pages == 0) state.SkipWithError("render failed");
  }
  state.counters["pages"] = pages;
}

void BM_QtLayoutAndDraw(benchmark::State& state) {
  RichText text;
  if (!text.LoadRtfFile(TheFiles().pages)) state.SkipWithError("load failed");
  std::unique_ptr<QTextDocument> document(text.Document().clone());
  document->setDocumentMargin(0);
  QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
  int pages = 0;
  for (auto _ : state) {
    document->markContentsDirty(0, document->characterCount());
    document->setTextWidth(kPageWidth + 4);
    const qreal height = document->documentLayout()->documentSize().height();
    pages = 0;
    for (qreal top = 0; top < height; top += kPageHeight, ++pages) {
      page.fill(Qt::black);
      QPainter painter(&page);
      painter.translate(0, -top);
      document->drawContents(&painter, QRectF(0, top, kPageWidth, kPageHeight));
    }
  }
  state.counters["pages"] = pages;
}

// The peak resident memory since the last reset, in kB (Linux).
long PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_ContinuousLine(benchmark::State& state) {
  RichText text;
  const QString pak = TheFiles().folder.filePath(QStringLiteral("line.pak"));
  RtfRenderInput input = Area();
  input.continuous = true;
  ResetPeak();
  const long before = PeakKb();
  int strip = 0;
  for (auto _ : state) {
    strip = RenderRtfSingleLine(TheFiles().line, pak, &text, input);
    if (strip == 0) state.SkipWithError("render failed");
  }
  state.counters["strip_px"] = strip;
  state.counters["peak_growth_kB"] = static_cast<double>(PeakKb() - before);
}

BENCHMARK(BM_RenderRtfPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtLayoutAndDraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinuousLine)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  TheFiles();
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    reporter.Goal("rtf_pages_vs_qt", reporter.Ratio("BM_RenderRtfPages", "BM_QtLayoutAndDraw"), 2);
  });
}
