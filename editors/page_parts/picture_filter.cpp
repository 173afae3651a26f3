#include "editors/page_parts/picture_filter.h"

#include <QStringList>

#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"

namespace {

constexpr int kAllPicturesText = 1011;  // of PUBLIC

struct PictureKind {
  const char* name;  // null: the language file's name of all kinds together
  QStringList extensions;
};

}  // namespace

QString PictureFileFilter() {
  const PictureKind kinds[] = {
      {nullptr, {"bmp", "jpg", "jpeg", "png", "gif", "tif", "tiff"}},
      {"BMP", {"bmp"}},
      {"JPEG", {"jpeg", "jpg"}},
      {"PNG", {"png"}},
      {"TIFF", {"tif", "tiff"}},
      {"GIF", {"gif"}},
  };
  QStringList entries;
  for (const PictureKind& kind : kinds) {
    QStringList shown;
    QStringList matched;
    for (const QString& extension : kind.extensions) {
      shown << QStringLiteral("*.") + extension;
      matched << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    }
    const QString name = kind.name != nullptr
                             ? QString::fromLatin1(kind.name)
                             : ReadLangTextOrFixed(lang_section::PUBLIC, kAllPicturesText);
    entries << QStringLiteral("%1(%2) (%3)").arg(name, shown.join(u';'), matched.join(u' '));
  }
  return entries.join(QStringLiteral(";;"));
}
