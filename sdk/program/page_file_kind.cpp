#include "sdk/program/page_file_kind.h"

#include <algorithm>

PageFileKind GetPageFileKind(const QString& path) {
  // The extension belongs to the file name: "dir.v2/file" has none.
  const qsizetype nameStart = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < nameStart) return kPageUnknown;
  const QString extension = path.mid(dot + 1).toLower();
  if (extension == u"pak") return kPageFrameFile;
  if (extension == u"rtf") return kPageRichText;
  if (extension == u"txt") return kPagePlainText;
  if (extension == u"gif") return kPageGif;
  for (const char16_t* picture : {u"bmp", u"jpg", u"jpeg", u"png", u"tif", u"tiff"}) {
    if (extension == QStringView(picture)) return kPagePicture;
  }
  return kPageUnknown;
}
