#include "model/project/screen_file.h"

#include <QFileInfo>

#include "model/project/project_file_reader.h"
#include "model/project/project_file_writer.h"
#include "model/project/screen_limits.h"
#include "model/xml/xml_document.h"

int WriteScreenXml(const ScreenSendJob& job, const QString& path) {
  if (job.Screen == nullptr) return 0;
  ProjectWriter out(path, true);
  WriteScreenSettings(out, *job.Screen);
  for (const ProgramSendItem& item : job.Programs) WriteProgram(out, *item.Program, item.Areas);
  return out.Finish() ? 1 : 0;
}

bool IsScreenFileTooLarge(const QString& path) {
  return QFileInfo(path).size() > kMaxScreenFileBytes;
}

int ReadScreenXml(ScreenImport& import, const QString& path) {
  XmlDocument doc;
  if (!doc.ReadFile(path, kMaxScreenFileBytes) || !doc.Parse() ||
      !doc.FindElement(QStringLiteral("LED")))
    return 0;
  ProjectReader reader(ProjectReader::Mode::kImport);
  auto screen = std::make_unique<ScreenRecord>();
  reader.ReadScreenSettings(doc, *screen);
  if (!IsDrivableScreen(*screen)) return 0;
  reader.ReadPrograms(doc, *screen);
  if (!reader.WithinLimits() || !reader.Complete() || !reader.RestoreFiles()) return 0;
  import.Screen = std::move(screen);
  return 1;
}
