// Parses and writes a 10 MB document shaped like a project file (screens, programs,
// areas with many attributes, embedded files as Base64 text) with XmlDocument, and
// parses the same text with QXmlStreamReader; the goal is the parse-time ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QXmlStreamReader>

#include "bench/support/ratio_reporter.h"
#include "model/xml/xml_document.h"

namespace {

constexpr qsizetype kTargetChars = 10 * 1024 * 1024;
constexpr int kAreasPerProgram = 8;
constexpr int kProgramsPerScreen = 20;
constexpr int kEmbeddedBytes = 3000;  // one rich-text file per area, before Base64

// The document stays far below its length limit, so no edit may fail.
void Require(bool done) {
  if (!done) std::abort();
}

// Writes the document the way the project store does: append, set attributes, in
// document order.
void BuildProject(XmlDocument& doc) {
  // The declaration alone has no root element yet, so its parse answers false.
  static_cast<void>(doc.SetDocument(XmlDocument::kDeclaration.toString()));
  Require(doc.AppendElement(QStringLiteral("LEDS")));
  Require(doc.EnterElement());
  Require(doc.AppendElement(QStringLiteral("FileFlag"), QStringLiteral("KQPRJ")));
  const QString embedded = QString::fromLatin1(QByteArray(kEmbeddedBytes, 'r').toBase64());
  for (int screen = 0; doc.Document().size() < kTargetChars; ++screen) {
    Require(doc.AppendElement(QStringLiteral("LED")));
    Require(doc.SetAttribute(QStringLiteral("LedName"), QStringLiteral("Screen %1").arg(screen)));
    Require(doc.SetIntAttribute(QStringLiteral("Width"), 256));
    Require(doc.SetIntAttribute(QStringLiteral("Height"), 128));
    Require(doc.EnterElement());
    for (int program = 0; program < kProgramsPerScreen; ++program) {
      Require(doc.AppendElement(QStringLiteral("Program")));
      Require(doc.SetAttribute(QStringLiteral("Name"), QStringLiteral("Program %1").arg(program)));
      Require(doc.SetIntAttribute(QStringLiteral("PlayTime"), 30));
      Require(doc.EnterElement());
      for (int area = 0; area < kAreasPerProgram; ++area) {
        Require(doc.AppendElement(QStringLiteral("Area")));
        Require(doc.SetIntAttribute(QStringLiteral("Left"), area * 16));
        Require(doc.SetIntAttribute(QStringLiteral("Top"), 0));
        Require(doc.SetIntAttribute(QStringLiteral("Width"), 64));
        Require(doc.SetIntAttribute(QStringLiteral("Height"), 32));
        Require(doc.SetAttribute(QStringLiteral("Guid"),
                                 QStringLiteral("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}")));
        Require(doc.EnterElement());
        Require(doc.AppendElement(QStringLiteral("File"), embedded));
        Require(doc.LeaveElement());
      }
      Require(doc.LeaveElement());
    }
    Require(doc.LeaveElement());
  }
}

const QString& ProjectText() {
  static const QString text = [] {
    XmlDocument doc;
    BuildProject(doc);
    return doc.Document();
  }();
  return text;
}

void BM_XmlDocumentParse(benchmark::State& state) {
  const QString& text = ProjectText();
  for (auto _ : state) {
    XmlDocument doc;
    // A parse that stops at a fault would be timed as a fast one.
    if (!doc.SetDocument(text)) state.SkipWithError("XmlDocument failed");
  }
  state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_QXmlStreamReaderParse(benchmark::State& state) {
  const QString& text = ProjectText();
  for (auto _ : state) {
    QXmlStreamReader reader(text);
    qsizetype elements = 0;
    while (!reader.atEnd()) {
      if (reader.readNext() == QXmlStreamReader::StartElement) ++elements;
    }
    if (reader.hasError()) state.SkipWithError("QXmlStreamReader failed");
    benchmark::DoNotOptimize(elements);
  }
  state.SetBytesProcessed(state.iterations() * text.size() * 2);
}

void BM_XmlDocumentBuildAndWrite(benchmark::State& state) {
  const QString path = QDir::tempPath() + QStringLiteral("/xml_bench.kqprj");
  for (auto _ : state) {
    XmlDocument doc;
    BuildProject(doc);
    if (!doc.WriteFile(path)) state.SkipWithError("WriteFile failed");
  }
  QFile::remove(path);
}

BENCHMARK(BM_XmlDocumentParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QXmlStreamReaderParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlDocumentBuildAndWrite)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::printf("Document: %lld UTF-16 units\n", static_cast<long long>(ProjectText().size()));
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    std::printf("Parse: XmlDocument %.1f ms, QXmlStreamReader %.1f ms\n",
                reporter.Seconds("BM_XmlDocumentParse") * 1e3,
                reporter.Seconds("BM_QXmlStreamReaderParse") * 1e3);
    reporter.Goal("xml_parse_vs_qt",
                  reporter.Ratio("BM_XmlDocumentParse", "BM_QXmlStreamReaderParse"), 2);
  });
}
