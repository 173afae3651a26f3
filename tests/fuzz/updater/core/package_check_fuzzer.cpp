// Feeds arbitrary bytes to the package check (as an archive file) and to the journal
// decoder; every plan the check accepts must keep the promises the install relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>

#include <unistd.h>

#include "updater/core/install_journal.h"
#include "updater/core/package_check.h"

namespace {

void Require(bool holds) {
  if (!holds) std::abort();
}

void CheckPlan(const PackagePlan& plan, const UpdateOptions& options) {
  Require(plan.entries.size() <= static_cast<std::size_t>(options.maxEntries));
  Require(plan.totalBytes <= static_cast<std::uint64_t>(options.maxUnpackedBytes));
  QSet<QString> names;
  for (const PackageEntry& entry : plan.entries) {
    const QString path = entry.parts.join(u'/');
    QStringList parts;
    bool isFolder = false;
    Require(SplitEntryName(path, &parts, &isFolder) && parts == entry.parts);
    Require(entry.parts.first() != QStringLiteral("UpdateData"));
    Require(!names.contains(path));
    names.insert(path);
  }
}

void CheckJournal(const QByteArray& bytes) {
  InstallJournal journal;
  if (!DecodeJournal(bytes, &journal)) return;
  InstallJournal again;
  Require(DecodeJournal(EncodeJournal(journal), &again));
  Require(EncodeJournal(again) == EncodeJournal(journal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  static const QString path =
      QDir::tempPath() + QStringLiteral("/package_check_fuzzer_%1.zip").arg(getpid());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    return 0;
  }
  file.close();
  UpdateOptions options;
  options.maxEntries = 50;
  options.maxUnpackedBytes = 1 << 20;
  PackagePlan plan;
  if (CheckPackage(path, options, &plan) == PackageError::None) CheckPlan(plan, options);
  CheckJournal(bytes);
  return 0;
}
