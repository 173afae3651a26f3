#include "editors/page_parts/item_list_rows.h"

#include <QFile>

#include "render/frame/pak_file.h"

void SelectRowQuietly(QListWidget& list, int row) {
  const QSignalBlocker blocker(&list);
  list.setCurrentRow(row);
}

void RemoveFrameFileOf(const QString& guid) {
  const QString path = PakFramePath(guid);
  if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path)) {
    qWarning("The frame file %s could not be deleted", qPrintable(path));
  }
}
