// Installing a package of 2,000 files of 64 KiB (checked, staged, journaled, swapped)
// against extracting the same archive with minizip into an empty folder and one
// syncfs. Goal: the install takes at most twice as long.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>
#include <unzip.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/support/ratio_reporter.h"
#include "updater/core/digest.h"
#include "updater/core/package_install.h"

namespace {

constexpr int kFiles = 2000;
constexpr int kFileBytes = 64 * 1024;
constexpr double kGoalRatio = 2.0;

// The package, made once: files in 20 folders, content that compresses like code.
const QString& PackagePath() {
  static QTemporaryDir folder;
  static const QString path = [] {
    const QString zipPath = folder.path() + QStringLiteral("/package.zip");
    zipFile zip = zipOpen64(QFile::encodeName(zipPath).constData(), APPEND_STATUS_CREATE);
    std::vector<char> data(kFileBytes);
    std::uint32_t state = 1;
    for (int i = 0; i < kFiles; ++i) {
      for (char& byte : data) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>((state >> 16) % 40);
      }
      const QByteArray name = QStringLiteral("dir%1/file%2.bin").arg(i % 20).arg(i).toUtf8();
      zip_fileinfo info{};
      zipOpenNewFileInZip64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                            Z_DEFLATED, 1, 0);
      zipWriteInFileInZip(zip, data.data(), kFileBytes);
      zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    return zipPath;
  }();
  return path;
}

// A fresh, empty program folder holding only the downloaded package.
QString FreshProgramFolder(QTemporaryDir* home) {
  const QString dir = home->path() + u'/';
  QDir().mkpath(dir + QStringLiteral("UpdateData"));
  QFile::copy(PackagePath(), dir + QStringLiteral("UpdateData/update.zip"));
  setenv("QUENDRA_HOME", QFile::encodeName(dir).constData(), 1);
  return dir;
}

void BM_Install(benchmark::State& state) {
  const QString md5 = FileDigest(PackagePath());
  const UpdateOptions options;
  std::optional<QTemporaryDir> home;  // removed outside the timed part
  for (auto _ : state) {
    state.PauseTiming();
    home.reset();
    home.emplace();
    FreshProgramFolder(&*home);
    state.ResumeTiming();
    if (InstallPackage(md5, options, nullptr) != InstallResult::Installed) {
      state.SkipWithError("install failed");
    }
  }
}

bool ExtractPlain(const QString& zipPath, const QString& dir) {
  unzFile zip = unzOpen64(QFile::encodeName(zipPath).constData());
  std::vector<char> buffer(kFileBytes);
  bool ok = zip != nullptr;
  for (int status = ok ? unzGoToFirstFile(zip) : UNZ_END_OF_LIST_OF_FILE; ok && status == UNZ_OK;
       status = unzGoToNextFile(zip)) {
    char name[256];
    ok = unzGetCurrentFileInfo64(zip, nullptr, name, sizeof name, nullptr, 0, nullptr, 0) ==
             UNZ_OK &&
         unzOpenCurrentFile(zip) == UNZ_OK;
    const QString path = dir + QString::fromUtf8(name);
    QDir().mkpath(QFileInfo(path).path());
    const int fd = open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (int got; ok && (got = unzReadCurrentFile(zip, buffer.data(), kFileBytes)) > 0;) {
      ok = write(fd, buffer.data(), static_cast<std::size_t>(got)) == got;
    }
    close(fd);
    ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;
  }
  const int dirFd = open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
  ok = syncfs(dirFd) == 0 && ok;
  close(dirFd);
  if (zip != nullptr) unzClose(zip);
  return ok;
}

void BM_PlainExtract(benchmark::State& state) {
  std::optional<QTemporaryDir> home;
  for (auto _ : state) {
    state.PauseTiming();
    home.reset();
    home.emplace();
    state.ResumeTiming();
    if (!ExtractPlain(PackagePath(), home->path() + u'/')) state.SkipWithError("extract failed");
  }
}

BENCHMARK(BM_Install)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainExtract)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("install_vs_plain_extract",
                  reporter.Ratio("BM_Install/iterations:5", "BM_PlainExtract/iterations:5"),
                  kGoalRatio);
  });
}
