#include "sdk/page_file_kind.h"

PageFileKind GetPageFileKind(const QString& path) {
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < 0) return kPageUnknown;
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
