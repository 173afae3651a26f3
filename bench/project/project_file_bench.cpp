// Saves and loads projects of 100, 1,000 and 10,000 areas (screens of 10 programs x 5
// areas: a single-line area and an image-text area of two pages with embedded
// rich-text sources, a digital clock, a flash-word area and a files area per
// program), against Qt's own XML reader and writer on the same file in the same run:
// QXmlStreamReader parsing the saved file, QXmlStreamWriter writing its elements
// into a QSaveFile. Goals: load and save at most 2 times Qt at 1,000 and 10,000
// areas. The program folder is a temporary folder.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>
#include <map>
#include <vector>

#include "bench/project/bench_project.h"
#include "bench/support/ratio_reporter.h"
#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"

namespace {

constexpr int kAreaCounts[] = {100, 1000, 10000};
constexpr int kGoalAreaCounts[] = {1000, 10000};
constexpr double kGoalLimit = 2;

QString ProjectPath(int areas) {
  return AppFilePath(AppFolder::Project, QStringLiteral("bench%1.kqprj").arg(areas));
}
QString QtCopyPath(int areas) {
  return AppFilePath(AppFolder::Project, QStringLiteral("qt%1.kqprj").arg(areas));
}

// The project of that many areas, built and saved once.
void PrepareProject(int areas) {
  static std::map<int, bool> saved;
  if (saved[areas]) return;
  BuildBenchProject(areas);
  saved[areas] = SaveProjectXml(ProjectPath(areas)) == 1;
}

// One XML event of a saved project, as QXmlStreamWriter writes it back.
struct XmlEvent {
  QXmlStreamReader::TokenType type;
  QString name;  // element name or text
  QXmlStreamAttributes attributes;
};

std::vector<XmlEvent> EventsOf(const QString& path) {
  QFile file(path);
  std::vector<XmlEvent> events;
  if (!file.open(QIODevice::ReadOnly)) return events;
  QXmlStreamReader reader(&file);
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement:
        events.push_back({reader.tokenType(), reader.name().toString(), reader.attributes()});
        break;
      case QXmlStreamReader::Characters:
        events.push_back({reader.tokenType(), reader.text().toString(), {}});
        break;
      case QXmlStreamReader::EndElement: events.push_back({reader.tokenType(), {}, {}}); break;
      default: break;
    }
  }
  return events;
}

void Save(benchmark::State& state) {
  const int areas = static_cast<int>(state.range(0));
  PrepareProject(areas);
  BuildBenchProject(areas);
  for (auto _ : state) {
    if (SaveProjectXml(ProjectPath(areas)) != 1) state.SkipWithError("save failed");
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(ProjectPath(areas)).size());
}

void Load(benchmark::State& state) {
  const int areas = static_cast<int>(state.range(0));
  PrepareProject(areas);
  for (auto _ : state) {
    ClearProjectModel();
    if (LoadProjectXml(ProjectPath(areas)) != 1) state.SkipWithError("load failed");
  }
  ClearProjectModel();
}

// Qt's reader on the same file: read it and visit every token and attribute.
void QtRead(benchmark::State& state) {
  const int areas = static_cast<int>(state.range(0));
  PrepareProject(areas);
  for (auto _ : state) {
    QFile file(ProjectPath(areas));
    if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("cannot open");
    QXmlStreamReader reader(file.readAll());
    qsizetype attributes = 0;
    while (!reader.atEnd()) {
      if (reader.readNext() == QXmlStreamReader::StartElement) {
        for (const QXmlStreamAttribute& attribute : reader.attributes()) {
          attributes += attribute.value().size();
        }
      }
    }
    if (reader.hasError()) state.SkipWithError("Qt cannot parse the file");
    benchmark::DoNotOptimize(attributes);
  }
}

// Qt's writer on the same file: its elements, attributes and texts into a QSaveFile
// (written to a temporary name, synced and renamed, as the project's save does).
void QtWrite(benchmark::State& state) {
  const int areas = static_cast<int>(state.range(0));
  PrepareProject(areas);
  const std::vector<XmlEvent> events = EventsOf(ProjectPath(areas));
  for (auto _ : state) {
    QSaveFile file(QtCopyPath(areas));
    if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot open");
    QXmlStreamWriter writer(&file);
    writer.writeStartDocument();
    for (const XmlEvent& event : events) {
      if (event.type == QXmlStreamReader::StartElement) {
        writer.writeStartElement(event.name);
        writer.writeAttributes(event.attributes);
      } else if (event.type == QXmlStreamReader::Characters) {
        writer.writeCharacters(event.name);
      } else {
        writer.writeEndElement();
      }
    }
    writer.writeEndDocument();
    if (!file.commit()) state.SkipWithError("Qt cannot write the file");
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(QtCopyPath(areas)).size());
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int areas : kAreaCounts) benchmark->Arg(areas);
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(Save)->Apply(Sizes);
BENCHMARK(QtWrite)->Apply(Sizes);
BENCHMARK(Load)->Apply(Sizes);
BENCHMARK(QtRead)->Apply(Sizes);

std::string RunName(const char* name, int areas) {
  return std::string(name) + "/" + std::to_string(areas) + "/real_time";
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir home;
  qputenv("QUENDRA_HOME", QFile::encodeName(home.path() + QLatin1Char('/')));
  if (!CreateDirTree(AppFolderPath(AppFolder::UserData)) ||
      !CreateDirTree(AppFolderPath(AppFolder::Project))) {
    return 1;
  }
  std::printf("Projects of %d programs x %d areas a screen, %d-byte embedded sources\n",
              kProgramsPerScreen, kAreasPerProgram, kSourceBytes);
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    for (int areas : kAreaCounts) {
      std::printf("%5d areas: save / Qt writer %.2f, load / Qt reader %.2f\n", areas,
                  reporter.Ratio(RunName("Save", areas), RunName("QtWrite", areas)),
                  reporter.Ratio(RunName("Load", areas), RunName("QtRead", areas)));
    }
    for (int areas : kGoalAreaCounts) {
      reporter.Goal("save_" + std::to_string(areas) + "_areas_vs_qt",
                    reporter.Ratio(RunName("Save", areas), RunName("QtWrite", areas)), kGoalLimit);
      reporter.Goal("load_" + std::to_string(areas) + "_areas_vs_qt",
                    reporter.Ratio(RunName("Load", areas), RunName("QtRead", areas)), kGoalLimit);
    }
  });
}
