#pragma once
// Reading the elements of a project document into fresh records, shared by the
// project file and the single-screen file. Embedded files are only queued while
// reading; they are written once the caller has accepted the whole read, so a
// damaged file writes nothing.

#include <QSet>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/project/project_records.h"

class XmlDocument;

class ProjectReader {
 public:
  enum class Mode {
    // A project file: its GUID texts are kept when they have the form of one.
    kProject,
    // A single-screen file for import: besides, every GUID text is unique among the
    // project's, this file's and the files in UserData (a taken one is replaced by a
    // fresh one, so the import never shares or overwrites another item's files),
    // and the embedded media files of file areas and backgrounds are restored.
    kImport,
  };

  explicit ProjectReader(Mode mode);

  // With the position on an LED element: its attributes and those of its
  // OnOffTimeInfo, BrightnessTimeInfo and LockTimeInfo children (each optional)
  // into the screen, with the lock-date defaults. Leaves the position inside LED.
  void ReadScreenSettings(XmlDocument& doc, ScreenRecord& screen);

  // With the position on LogoInfo: the logo rectangle (with its defaults) and flags,
  // and the logo entries.
  void ReadLogo(XmlDocument& doc, ScreenRecord& screen);

  // Every Program from the position on, with its areas, appended to the screen.
  void ReadPrograms(XmlDocument& doc, ScreenRecord& screen);

  // False once an area was left out because its kind element is missing, an
  // imported media file's path did not fit its field, or a step into or out of an
  // element failed (the rest of that element is then not read).
  bool Complete() const { return complete_; }

  // Counts one more record of a list that holds `held` already, before it is made.
  // False, and the file refused from then on, when that passes the list's limit or
  // kMaxRecordsPerFile (project_limits.h).
  [[nodiscard]] bool Admit(std::size_t held, std::size_t limit);
  // False once a count was refused: the caller then takes nothing of the file and
  // restores no file.
  bool WithinLimits() const { return withinLimits_; }

  // Writes the queued files into UserData and deletes their stale frame files in
  // Temp (they are rendered again). A file that already holds its bytes is left
  // alone; the others are replaced together (AtomicFileBatch), so a crash leaves
  // each either old or new. A text that does not decode writes no file and is no
  // failure. False when a file could not be written; in import mode no file is then
  // left written.
  [[nodiscard]] bool RestoreFiles();

 private:
  struct PendingFile {
    QString text;  // Base64
    QString guid;  // checked
    QString extension;
  };

  // Takes the outcome of a walk step; a failed one leaves the read incomplete.
  bool Step(bool moved) {
    complete_ = complete_ && moved;
    return moved;
  }
  void ReadArea(XmlDocument& doc, ProgramRecord& program);
  [[nodiscard]] bool ReadAreaKind(XmlDocument& doc, AreaRecord& area);
  void ReadBackground(const XmlDocument& doc, AreaRecord& area);
  void QueueFile(const XmlDocument& doc, char16_t* guid, const QString& extension);
  void RestoreMedia(const XmlDocument& doc, char16_t* guid, char16_t* filePath);
  // Replaces the GUID text (a field of kNameCapacity) with a fresh one where it may
  // not name files; extension, when given, is that of the file it is to name.
  void CheckGuid(char16_t* guid, const std::optional<QString>& extension = std::nullopt);
  bool IsTaken(const QString& guid, const std::optional<QString>& extension) const;
  void TakeProjectGuids();
  void Take(const char16_t* guid);

  Mode mode_;
  bool complete_ = true;
  bool withinLimits_ = true;
  std::size_t records_ = 0;
  std::vector<PendingFile> files_;
  QSet<QString> taken_;  // upper case; import mode only
};

// A logo rectangle left at 0 becomes the right end of the screen, 64 x 32 at most.
void ApplyLogoDefaults(ScreenRecord& screen);

// The extension of the file a stored path names: its file name's end from the last
// "." on, dot included; empty unless 1-10 ASCII letters and digits follow the dot.
QString StoredFileExtension(QStringView storedPath);
