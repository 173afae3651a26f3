// Display data generation of a 512 x 32 three-colour set with 1, 10, 100 and 1,000
// frame-file pages (one file a page, as the controller library takes them), against
// the least any generator does with the same files in the same run: the bare reads of
// each page (open, fstat, one pread of the file, close) and DibToBitPlanes of the frame
// read (goal: at most 1.3 times that at every page count). Also timed: the conversion
// alone on frames in memory, a memcpy of the same frames, the page generator alone on
// the same files, and the bare reads alone: time per page of each and the ratios.

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
#include "render/frame/pak_file.h"
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
constexpr double kGoalLimit = 1.3;
// A page's file: the header and one frame.
constexpr std::size_t kFileBytes = kPakHeaderSize + std::size_t(kWidth) * 3 * kHeight;
constexpr std::size_t kPlaneSize = std::size_t(kWidth / 8) * kHeight;

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

// The frame's bit planes, as the generator makes them for each page.
bool ToBitPlanes(const std::uint8_t* bits, int stride) {
  std::vector<std::uint8_t> planes(kPlaneSize * kColorType, 0xFF);
  const bool converted =
      DibToBitPlanes(planes.data(), kPlaneSize, kColorType, bits, kWidth, kHeight, stride, 0);
  benchmark::DoNotOptimize(planes.data());
  return converted;
}

void Convert(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (const Dib24& frame : pages.frames) {
      if (!ToBitPlanes(frame.Bits(), frame.Stride())) state.SkipWithError("conversion failed");
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

// The system calls a reader of a page cannot do without, into buffer: open, fstat, one
// pread of the whole file, close. false when the file cannot be read whole.
bool ReadFile(const QByteArray& path, std::vector<std::uint8_t>& buffer) {
  const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool read = ::fstat(fd, &info) == 0 &&
                    static_cast<std::uint64_t>(info.st_size) <= buffer.size() &&
                    ::pread(fd, buffer.data(), buffer.size(), 0) == info.st_size;
  ::close(fd);
  return read;
}

void ReadFiles(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> bytes(kFileBytes);
  for (auto _ : state) {
    for (const QByteArray& path : pages.paths) {
      if (!ReadFile(path, bytes)) state.SkipWithError("cannot read a page");
      benchmark::DoNotOptimize(bytes.data());
    }
  }
}

// The yardstick: each page's bare reads, then the conversion of the frame read.
void ReadAndConvert(benchmark::State& state) {
  const Pages& pages = PagesOf(static_cast<int>(state.range(0)));
  std::vector<std::uint8_t> bytes(kFileBytes);
  const int stride = static_cast<int>(Dib24::RowStride(kWidth));
  for (auto _ : state) {
    for (const QByteArray& path : pages.paths) {
      if (!ReadFile(path, bytes) || !ToBitPlanes(bytes.data() + kPakHeaderSize, stride)) {
        state.SkipWithError("cannot read or convert a page");
      }
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
BENCHMARK(ReadAndConvert)->Apply(PageCounts);

int main(int argc, char** argv) {
  return RunGoalBenchmarks(argc, argv, [&](RatioReporter& reporter) {
    for (int pages : kPageCounts) {
      const double perPage = 1e6 / pages;
      const auto us = [&](const char* name) {
        return reporter.Seconds(RunName(name, pages)) * perPage;
      };
      std::printf(
          "%4d pages, us a page: generation %.1f, reads + conversion %.1f, DibToBitPlanes %.1f, "
          "memcpy %.1f, page generator %.1f, reads alone %.1f; generation / conversion %.2f, "
          "conversion / memcpy %.2f\n",
          pages, us("Generate"), us("ReadAndConvert"), us("Convert"), us("Copy"), us("ReadPages"),
          us("ReadFiles"), reporter.Ratio(RunName("Generate", pages), RunName("Convert", pages)),
          reporter.Ratio(RunName("Convert", pages), RunName("Copy", pages)));
    }
    for (int pages : kPageCounts) {
      reporter.Goal("generation_" + std::to_string(pages) + "_pages_vs_reads_and_conversion",
                    reporter.Ratio(RunName("Generate", pages), RunName("ReadAndConvert", pages)),
                    kGoalLimit);
    }
  });
}
