// Display data generation of a 512 x 32 three-colour set with 1, 10 and 100 frame-file
// pages, against DibToBitPlanes alone on the same frames (goal: linear in pages, at
// most 2 times the conversion) and against the page generator alone on the same files
// (what reading the files adds): time per page of each and the ratios.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "render/frame/pak_writer.h"
#include "render/raster/dib24.h"
#include "sdk/Corvanix.h"
#include "sdk/generate/bit_planes.h"
#include "sdk/generate/page_generators.h"
#include "sdk/program/program_handles.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 32;
constexpr int kColorType = 3;

Dib24 Frame(int seed) {
  Dib24 frame(kWidth, kHeight);
  for (std::int64_t i = 0; i < frame.SizeInBytes(); ++i) {
    frame.Bits()[i] = static_cast<std::uint8_t>(i * 37 + seed * 101 + i / 1000);
  }
  return frame;
}

// The frames of the pages and a set holding one frame-file page per frame.
struct Pages {
  std::vector<Dib24> frames;
  ProgramHandle set = nullptr;
};

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

Pages MakePages(int count) {
  Pages pages;
  pages.set = KQ_CreateProgram(kWidth, kHeight, kColorType, 0);
  const AreaRect rect{0, 0, kWidth, kHeight};
  KQ_AddProgram(pages.set, 1, 0, 1);
  KQ_AddImageTextArea(pages.set, 1, 1, &rect, 1);
  const PageInfo info{1, 5, 3, 0};
  for (int i = 0; i < count; ++i) {
    pages.frames.push_back(Frame(i));
    const QString path = Folder().filePath(QStringLiteral("%1-%2.pak").arg(count).arg(i));
    PakWriter writer;
    if (!writer.Open(path, kWidth, kHeight, 0) || !writer.AppendFrame(pages.frames.back()) ||
        !writer.Finish(0)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
    KQ_AddImageTextAreaDataFromFile(pages.set, 1, 1,
                                    reinterpret_cast<const char16_t*>(path.utf16()), &info);
  }
  return pages;
}

const Pages& PagesOf(int count) {
  static std::map<int, Pages> made;
  auto found = made.find(count);
  if (found == made.end()) found = made.emplace(count, MakePages(count)).first;
  return found->second;
}

std::map<int, double> generateSeconds, convertSeconds, pageSeconds;  // per page

void MarkDirty(ProgramHandle handle) {
  const std::shared_ptr<ProgramSet> set = FindProgramSet(handle);
  std::lock_guard guard(set->Lock);
  set->Dirty = true;
}

void Generate(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MarkDirty(pages.set);
    if (KQ_GenerateProgramData(pages.set) != KQ_OK) state.SkipWithError("generation failed");
  }
}

void Convert(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  const std::size_t planeSize = std::size_t(kWidth / 8) * kHeight;
  for (auto _ : state) {
    for (const Dib24& frame : pages.frames) {
      std::vector<std::uint8_t> planes(planeSize * kColorType, 0xFF);
      if (!DibToBitPlanes(planes.data(), planeSize, kColorType, frame.Bits(), kWidth, kHeight,
                          frame.Stride(), 0)) {
        state.SkipWithError("conversion failed");
      }
      benchmark::DoNotOptimize(planes.data());
    }
  }
}

void ReadPages(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  const std::shared_ptr<ProgramSet> set = FindProgramSet(pages.set);
  const AreaEntry& area = set->Programs.at(0).Areas.at(0);
  for (auto _ : state) {
    for (const PageEntry& source : area.Pages) {
      PageEntry page = source;
      if (GeneratePakPages(area.Rect, page, kColorType) != KQ_OK) state.SkipWithError("failed");
      benchmark::DoNotOptimize(page.Data.data());
    }
  }
}

std::map<int, double>& SecondsOf(const std::string& name) {
  if (name.rfind("Generate", 0) == 0) return generateSeconds;
  if (name.rfind("Convert", 0) == 0) return convertSeconds;
  return pageSeconds;
}

class PerPageReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      const int pages = std::stoi(name.substr(name.find('/') + 1));
      const double perPage = run.real_accumulated_time / double(run.iterations) / pages;
      SecondsOf(name)[pages] = perPage;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

BENCHMARK(Generate)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(Convert)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPages)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  PerPageReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [pages, generate] : generateSeconds) {
    const double convert = convertSeconds[pages];
    const double read = pageSeconds[pages];
    std::printf("%3d pages: generation %.1f us/page; DibToBitPlanes %.1f us/page (ratio %.2f); "
                "page generator %.1f us/page (ratio %.2f)\n",
                pages, generate * 1e6, convert * 1e6, convert > 0 ? generate / convert : 0.0,
                read * 1e6, read > 0 ? generate / read : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
