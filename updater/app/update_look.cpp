#include "updater/app/update_look.h"

#include <QFile>
#include <QPixmap>

#include "controls/shell/artwork.h"

QIcon UpdaterIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 96})
    icon.addPixmap(QPixmap::fromImage(PaintArt(Art::Application, size)));
  return icon;
}

QString UpdaterStyleSheet() {
  QFile file(QStringLiteral(":/style/update.qss"));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
