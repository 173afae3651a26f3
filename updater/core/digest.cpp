#include "updater/core/digest.h"

#include <QCryptographicHash>

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "model/common/regular_file.h"

namespace {

constexpr int kBlockBytes = 1024;

bool IsDigestText(const QString& text) {
  if (text.size() != 32) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
  });
}

}  // namespace

QString FileDigest(const QString& path) {
  UniqueFd file;
  if (OpenRegularFile(path, &file) != 0) return {};
  QCryptographicHash hash(QCryptographicHash::Md5);
  char block[kBlockBytes];
  for (;;) {
    const ssize_t got = read(file.Get(), block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {};
    if (got == 0) break;
    hash.addData(QByteArrayView(block, got));
  }
  return QString::fromLatin1(hash.result().toHex().toUpper());
}

bool DigestMatches(const QString& digest, const QString& expected) {
  return IsDigestText(digest) && IsDigestText(expected) &&
         digest.compare(expected, Qt::CaseInsensitive) == 0;
}
