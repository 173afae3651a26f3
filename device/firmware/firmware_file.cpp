#include "device/firmware/firmware_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "model/common/atomic_file.h"
#include "model/common/file_system.h"

namespace {

constexpr qint64 kModelBytes = 8;
constexpr qint64 kCopyChunk = 64 * 1024;
const char* const kCardFolders[] = {"KQ-W", "KQ-P"};
const char* const kStaleFiles[] = {"KQ-W/kq_disp_cfg.usb", "KQ-P/kq_disp_cfg.usb",
                                   "KQ-W/kq_disp_dat.usb", "KQ-P/kq_disp_dat.usb"};

QByteArray CodePage() {
  const char* chosen = std::getenv("CORVANIX_CODE_PAGE");
  return chosen != nullptr && *chosen != '\0' ? QByteArray(chosen) : QByteArray("GBK");
}

// Streams source into target through a synced temporary file renamed into place, so
// that a source lying at the target is read whole before it is replaced.
bool CopyFile(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return false;
  AtomicFile out(target);
  if (!out.Open()) return false;
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kCopyChunk);
    if (chunk.isEmpty() || !out.Write(chunk)) return false;  // rolled back
  }
  return out.Commit();
}

}  // namespace

bool ReadFirmwareHead(const QString& path, QByteArray& head) {
  if (!QFileInfo(path).isFile()) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  head = file.read(kModelBytes);
  return file.error() == QFileDevice::NoError;
}

QString FirmwareModelText(const QByteArray& head) {
  const QByteArray used = head.left(head.indexOf('\0') < 0 ? head.size() : head.indexOf('\0'));
  iconv_t converter = iconv_open("UTF-16LE", CodePage().constData());
  // A code page this computer does not know: the bytes as Latin-1.
  if (converter == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(used);
  // Every unit comes from at least one byte, so used.size() units always fit.
  std::vector<char16_t> units(static_cast<std::size_t>(used.size()));
  char* in = const_cast<char*>(used.constData());
  std::size_t inLeft = static_cast<std::size_t>(used.size());
  char* out = reinterpret_cast<char*>(units.data());
  std::size_t outLeft = units.size() * sizeof(char16_t);
  while (inLeft > 0 && iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
    // A character cut at the end stops the text; an invalid byte becomes U+FFFD.
    if (errno != EILSEQ || outLeft < sizeof(char16_t)) break;
    *reinterpret_cast<char16_t*>(out) = u'\uFFFD';
    out += sizeof(char16_t), outLeft -= sizeof(char16_t);
    ++in, --inLeft;
  }
  iconv_close(converter);
  return QString(reinterpret_cast<const QChar*>(units.data()),
                 static_cast<qsizetype>(units.size() - outLeft / sizeof(char16_t)));
}

bool IsFileNameModel(const QString& model) {
  if (model.isEmpty() || model == u"." || model == u"..") return false;
  for (const QChar c : model) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c)) {
      return false;
    }
  }
  return true;
}

std::int32_t CopyFirmwareToDrive(const QString& root, const QString& source, const QString& model) {
  if (!IsFileNameModel(model)) return kFirmwareCopyFailed;
  const QString base = root + QStringLiteral("marvane/");
  if (!CreateDirTree(base)) return kFirmwareFolderFailed;
  for (const char* folder : kCardFolders) {
    const QString path = base + QLatin1String(folder);
    if (!DirExists(path) && !QDir().mkdir(path)) return kFirmwareFolderFailed;
  }
  for (const char* folder : kCardFolders) {
    const QString target = base + QLatin1String(folder) + u'/' + model + QStringLiteral(".cpu");
    if (!CopyFile(source, target)) return kFirmwareCopyFailed;
  }
  // The folders' settings and display data are removed once the firmware is in place.
  for (const char* stale : kStaleFiles)
    static_cast<void>(QFile::remove(base + QLatin1String(stale)));
  return 0;
}
