#include "model/project/area_copy.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/common/regular_file.h"
#include "model/project/numbering.h"
#include "model/project/project_file_fields.h"

namespace {

constexpr int kLastCopyNumber = 65535;
constexpr std::size_t kCopyChunkBytes = 64 * 1024;

// Gives the field a new GUID text and copies UserData/<old><extension> to the new
// name. False when the file was not copied (the old text names no file, the file
// is missing, or the copy failed).
bool RenewGuid(char16_t (&guid)[kNameCapacity], const QString& extension) {
  const QString old = ReadBoundedText(guid);
  CopyBoundedText(guid, NewGuidText());
  if (extension.isEmpty()) return true;
  if (!IsGuidText(old)) return false;
  const QString fresh = ReadBoundedText(guid);
  return CopyToNewFile(AppFilePath(AppFolder::UserData, old + extension),
                       AppFilePath(AppFolder::UserData, fresh + extension)) == 0;
}

// The source of a page: ".kqg" for a table page, ".rtf" for a document, caption or
// text page, none for any other kind.
QString PageFileExtension(const FileItem& page) {
  switch (page.AddType) {
    case 3: return QStringLiteral(".kqg");
    case 1:
    case 2:
    case 4: return QStringLiteral(".rtf");
    default: return {};
  }
}

// New GUID texts for everything of the copy that names files; the count of content
// files not copied.
int RenewGuids(AreaRecord& area) {
  int notCopied = 0;
  auto renew = [&notCopied](char16_t(&guid)[kNameCapacity], const QString& extension = {}) {
    if (!RenewGuid(guid, extension)) ++notCopied;
  };
  renew(area.guid);
  for (BackgroundItem& back : area.Backgrounds) renew(back.guid);
  if (auto* line = std::get_if<SingleLineAreaInfo>(&area.Kind))
    renew(line->guid, QStringLiteral(".rtf"));
  if (auto* pages = std::get_if<std::vector<FileItem>>(&area.Kind)) {
    for (FileItem& page : *pages) renew(page.guid, PageFileExtension(page));
  }
  if (auto* words = std::get_if<std::vector<FlashWordItem>>(&area.Kind)) {
    for (FlashWordItem& word : *words) renew(word.guid);
  }
  if (auto* files = std::get_if<std::vector<FileAreaItem>>(&area.Kind)) {
    for (FileAreaItem& file : *files) renew(file.Guid);
  }
  return notCopied;
}

bool NameTaken(const ProgramRecord& program, const AreaRecord* self, const QString& name) {
  for (const auto& area : program.Areas) {
    if (area.get() != self && ReadBoundedText(area->AreaName) == name) return true;
  }
  return false;
}

}  // namespace

QString NumberedCopyName(const AreaRecord& source, const ProgramRecord& program,
                         const AreaRecord* self) {
  const QString base = ReadBoundedText(source.AreaName);
  char16_t field[kNameCapacity];
  for (int n = 1;; ++n) {
    // Compared as stored: a long name is cut before it is compared.
    CopyBoundedText(field, base + QStringLiteral("(%1)").arg(n));
    const QString name = ReadBoundedText(field);
    if (n == kLastCopyNumber || !NameTaken(program, self, name)) return name;
  }
}

PastedArea PasteAreaCopy(const AreaRecord& source, ProgramRecord& target) {
  auto copy = std::make_unique<AreaRecord>(source);
  copy->TreeItem = nullptr;
  const int notCopied = RenewGuids(*copy);
  copy->OwnerProgram = &target;
  copy->OwnerScreen = target.OwnerScreen;
  copy->AreaNo = NextAreaNo(target);
  if (source.OwnerProgram == &target) {
    CopyBoundedText(copy->AreaName, NumberedCopyName(source, target, copy.get()));
  }
  return {target.Areas.emplace_back(std::move(copy)).get(), notCopied};
}

PastedProgram PasteProgramCopy(const ProgramRecord& source, ScreenRecord& target) {
  auto copy = std::make_unique<ProgramRecord>();
  // The program's settings are the fields its element stores; the same table copies
  // them, so a copy follows the record as the file does.
  for (const AttributeField<ProgramRecord>& field : ProgramFields()) {
    field.read(*copy, field.write(source));
  }
  copy->CheckState = 1;
  copy->OwnerScreen = &target;
  ProgramRecord& program = *target.Programs.emplace_back(std::move(copy));
  int notCopied = 0;
  for (const auto& area : source.Areas) notCopied += PasteAreaCopy(*area, program).filesNotCopied;
  return {&program, notCopied};
}

int CopyToNewFile(const QString& source, const QString& target) {
  UniqueFd in;
  std::int64_t size = 0;
  if (const int error = OpenRegularFile(source, &in, &size)) return error;
  if (QFileInfo::exists(target)) return EEXIST;
  QTemporaryFile staging(QFileInfo(target).absolutePath() + QStringLiteral("/.copy-XXXXXX"));
  if (!staging.open()) return EIO;
  std::array<char, kCopyChunkBytes> buffer;
  for (std::int64_t left = size; left > 0;) {
    const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size()));
    if (const int error = in.ReadAll(buffer.data(), chunk)) return error;
    if (staging.write(buffer.data(), static_cast<qint64>(chunk)) != static_cast<qint64>(chunk)) {
      return EIO;
    }
    left -= static_cast<std::int64_t>(chunk);
  }
  if (!staging.flush() || ::fsync(staging.handle()) != 0) return EIO;
  // link refuses an existing target, so a file made meanwhile is never replaced.
  const QByteArray from = QFile::encodeName(staging.fileName());
  const QByteArray to = QFile::encodeName(target);
  return ::link(from.constData(), to.constData()) == 0 ? 0 : errno;
}
