// Reads and writes a 200-KB RTF document of mixed CJK and Latin text whose format
// changes every few characters, and in the same run sets and gets the same document
// as HTML; lays it out at 256 pixels, and in the same run lets QTextDocument lay it
// out. Goals: the codec no slower than the HTML round trip, the layout at most
// twice Qt's.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/support/ratio_reporter.h"
#include "render/text/line_layout.h"
#include "render/text/rich_text.h"
#include "render/text/rtf_writer.h"

namespace {

constexpr qsizetype kTargetRtfBytes = 200 * 1024;
constexpr int kLayoutWidth = 256;

QByteArray MakeDocument() {
  static const QString kTexts[] = {QStringLiteral("LED screens "), QStringLiteral("显示屏幕内容"),
                                   QStringLiteral("show text, "), QStringLiteral("节目和区域。")};
  RichParagraphs paragraphs;
  for (int i = 0; WriteRtf(paragraphs).size() < kTargetRtfBytes; ++i) {
    RichParagraph paragraph;
    paragraph.format.align = static_cast<RichAlign>(i % 3);
    for (int run = 0; run < 40; ++run) {
      RichCharFormat format{
          run % 2 ? QStringLiteral("WenQuanYi Micro Hei") : QStringLiteral("DejaVu Sans"),
          static_cast<std::uint8_t>(run % 2 ? 134 : 0),
          180 + 20 * (run % 5),
          run % 3 == 0,
          run % 7 == 0,
          run % 11 == 0,
          static_cast<ColorRef>(0x0000FF << (8 * (run % 3))),
          run % 4 == 0};
      paragraph.runs.push_back({kTexts[(i + run) % 4], format});
    }
    paragraph.mark = paragraph.runs.back().format;
    paragraphs.push_back(std::move(paragraph));
  }
  return WriteRtf(paragraphs);
}

const QByteArray& Rtf() {
  static const QByteArray rtf = MakeDocument();
  return rtf;
}

const QString& Html() {
  static const QString html = [] {
    RichText text;
    text.SetRtf(Rtf());
    return text.Document().toHtml();
  }();
  return html;
}

void BM_RtfReadWrite(benchmark::State& state) {
  RichText text;
  for (auto _ : state) {
    text.SetRtf(Rtf());
    benchmark::DoNotOptimize(text.Rtf());
  }
}

void BM_HtmlSetGet(benchmark::State& state) {
  QTextDocument document;
  for (auto _ : state) {
    document.setHtml(Html());
    benchmark::DoNotOptimize(document.toHtml());
  }
}

void BM_LineLayout(benchmark::State& state) {
  RichText text;
  text.SetRtf(Rtf());
  for (auto _ : state) {
    CharMeasure measure;  // fonts and extents measured afresh
    benchmark::DoNotOptimize(LayOutLines(text.Document(), kLayoutWidth, measure));
  }
}

void BM_QtLayout(benchmark::State& state) {
  RichText text;
  text.SetRtf(Rtf());
  QTextDocument& document = text.Document();
  for (auto _ : state) {
    document.setTextWidth(kLayoutWidth);
    benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    document.markContentsDirty(0, document.characterCount());
  }
}

BENCHMARK(BM_RtfReadWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlSetGet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtLayout)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  std::printf("Document: %lld bytes of RTF\n", static_cast<long long>(Rtf().size()));
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    reporter.Goal("rtf_codec_vs_html", reporter.Ratio("BM_RtfReadWrite", "BM_HtmlSetGet"), 1);
    reporter.Goal("layout_vs_qt", reporter.Ratio("BM_LineLayout", "BM_QtLayout"), 2);
  });
}
