// Display data generation of a 512 x 32 three-colour set with 1, 10, 100 and 1,000
// frame-file pages, against DibToBitPlanes alone on the same frames (goal: at most 1.5
// times the conversion at every page count), a memcpy of the same frames, the page
// generator alone on the same files (what reading the files adds), and the least any
// reader pays for the files (open, fstat, one pread of the whole file, close): time
// per page of each and the ratios.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "bench/support/ratio_reporter.h"
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
constexpr int kPageCounts[] = {1, 10, 100, 1000};
constexpr double kGoalLimit = 1.5;

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
  std::vector<QByteArray> paths;
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
    pages.paths.push_back(QFile::encodeName(path));
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

void Copy(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> copy(static_cast<std::size_t>(pages.frames.front().SizeInBytes()));
  for (auto _ : state) {
    for (const Dib24& frame : pages.frames) {
      std::memcpy(copy.data(), frame.Bits(), copy.size());
      benchmark::DoNotOptimize(copy.data());
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

// The system calls a reader of the pages cannot do without, into one reused buffer.
void ReadFiles(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> bytes(64 * 1024);
  for (auto _ : state) {
    for (const QByteArray& path : pages.paths) {
      const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
      struct stat info {};
      if (fd < 0 || ::fstat(fd, &info) != 0 ||
          ::pread(fd, bytes.data(), bytes.size(), 0) != info.st_size) {
        state.SkipWithError("cannot read a page");
      }
      if (fd >= 0) ::close(fd);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
}

void PageCounts(benchmark::internal::Benchmark* benchmark) {
  for (int pages : kPageCounts) benchmark->Arg(pages);
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

std::string RunName(const char* name, int pages) {
  return std::string(name) + "/" + std::to_string(pages) + "/real_time";
}

}  // namespace

BENCHMARK(Generate)->Apply(PageCounts);
BENCHMARK(Convert)->Apply(PageCounts);
BENCHMARK(Copy)->Apply(PageCounts);
BENCHMARK(ReadPages)->Apply(PageCounts);
BENCHMARK(ReadFiles)->Apply(PageCounts);

int main(int argc, char** argv) {
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    for (int pages : kPageCounts) {
      const double perPage = 1e6 / pages;
      std::printf(
          "%4d pages, us a page: generation %.1f, DibToBitPlanes %.1f, memcpy %.1f, page "
          "generator %.1f, file reads alone %.1f; generation / conversion %.2f, generation / "
          "(file reads + conversion) %.2f, conversion / memcpy %.2f\n",
          pages, reporter.Seconds(RunName("Generate", pages)) * perPage,
          reporter.Seconds(RunName("Convert", pages)) * perPage,
          reporter.Seconds(RunName("Copy", pages)) * perPage,
          reporter.Seconds(RunName("ReadPages", pages)) * perPage,
          reporter.Seconds(RunName("ReadFiles", pages)) * perPage,
          reporter.Ratio(RunName("Generate", pages), RunName("Convert", pages)),
          reporter.Seconds(RunName("Generate", pages)) /
              (reporter.Seconds(RunName("ReadFiles", pages)) +
               reporter.Seconds(RunName("Convert", pages))),
          reporter.Ratio(RunName("Convert", pages), RunName("Copy", pages)));
    }
    for (int pages : kPageCounts) {
      reporter.Goal("generation_" + std::to_string(pages) + "_pages_vs_conversion",
                    reporter.Ratio(RunName("Generate", pages), RunName("Convert", pages)),
                    kGoalLimit);
    }
  });
}
