#include "tests/support/screenshot.h"

#include <QDir>
#include <QPixmap>

#include <cstdlib>

QString SavePicture(const QImage& picture, const QString& name) {
  const char* folder = std::getenv("QUENDRA_TEST_ARTEFACTS");
  const QString dir = folder && *folder ? QString::fromLocal8Bit(folder)
                                        : QStringLiteral(QUENDRA_BUILD_DIR "/test-artefacts");
  if (!QDir().mkpath(dir)) return {};
  const QString path = dir + u'/' + name + QStringLiteral(".png");
  return picture.save(path) ? path : QString();
}

QString SaveScreenshot(QWidget& widget, const QString& name) {
  return SavePicture(widget.grab().toImage(), name);
}
