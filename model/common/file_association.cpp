#include "model/common/file_association.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/file_system.h"

namespace {

QString DataHome() {
  const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
  return configured.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : configured;
}

QString MimeTypeName(const QString& typeName) {
  return QStringLiteral("application/x-") + typeName.toLower();
}

QString PackagePath(const QString& typeName) {
  return DataHome() + QStringLiteral("/mime/packages/") + typeName.toLower() +
         QStringLiteral(".xml");
}

QString DesktopEntryPath(const QString& typeName) {
  return DataHome() + QStringLiteral("/applications/") + typeName.toLower() +
         QStringLiteral(".desktop");
}

QString XmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

// One argument of an Exec line: quoted, with the characters the desktop entry rules
// reserve escaped inside the quotes, "%" doubled, and then every backslash escaped
// once more for the string value.
QString ExecArgument(const QString& argument) {
  QString quoted = QStringLiteral("\"");
  for (const QChar c : argument) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    if (c == u'%') quoted += u'%';
    quoted += c;
  }
  quoted += u'"';
  return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

QString MimePackage(const QString& iconPath, const QString& typeName, const QString& extension,
                    const QString& description) {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"%1\">\n"
             "    <comment>%2</comment>\n"
             "    <icon name=\"%3\"/>\n"
             "    <glob pattern=\"*%4\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n")
      .arg(MimeTypeName(typeName), XmlEscaped(description), XmlEscaped(iconPath),
           XmlEscaped(extension.toLower()));
}

QString DesktopEntry(const QString& programPath, const QString& iconPath,
                     const QString& typeName, const QString& description) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Quendra\n"
             "Comment=%1\n"
             "Exec=%2 %f\n"
             "Icon=%3\n"
             "MimeType=%4;\n"
             "NoDisplay=true\n")
      .arg(description, ExecArgument(programPath), iconPath, MimeTypeName(typeName));
}

[[nodiscard]] bool WriteText(const QString& path, const QString& text) {
  return CreateDirTree(QFileInfo(path).absolutePath()) &&
         WriteFileAtomically(path, text.toUtf8());
}

// Tells the desktop about the new files; a missing tool only means no desktop.
void UpdateDesktopDatabases() {
  const QString mimeTool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (!mimeTool.isEmpty()) {
    QProcess::startDetached(mimeTool, {DataHome() + QStringLiteral("/mime")});
  }
  const QString desktopTool =
      QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
  if (!desktopTool.isEmpty()) {
    QProcess::startDetached(desktopTool, {DataHome() + QStringLiteral("/applications")});
  }
}

}  // namespace

bool IsFileTypeRegistered(const QString& typeName, const QString& extension) {
  QFile package(PackagePath(typeName));
  if (!package.open(QIODevice::ReadOnly)) return false;
  const QString text = QString::fromUtf8(package.readAll()).toLower();
  return text.contains(QStringLiteral("type=\"%1\"").arg(MimeTypeName(typeName))) &&
         text.contains(QStringLiteral("pattern=\"*%1\"").arg(XmlEscaped(extension.toLower())));
}

bool RegisterFileType(const QString& programPath, const QString& iconPath,
                      const QString& typeName, const QString& extension,
                      const QString& description) {
  const bool written =
      WriteText(PackagePath(typeName), MimePackage(iconPath, typeName, extension, description)) &&
      WriteText(DesktopEntryPath(typeName),
                DesktopEntry(programPath, iconPath, typeName, description));
  if (written) UpdateDesktopDatabases();
  return written;
}

bool EnsureProjectFileAssociation() {
  const QString typeName = QStringLiteral("kqprjfile");
  const QString extension = QStringLiteral(".kqprj");
  if (IsFileTypeRegistered(typeName, extension)) return true;
  return RegisterFileType(GetAppDir() + QStringLiteral("Quendra"),
                   AppFilePath(AppFolder::Data, u"kqprj.png"), typeName, extension,
                   QStringLiteral("Quendra Project File"));
}
