#include "model/settings/ini_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringView>

#include <map>
#include <mutex>

#include "model/common/atomic_file.h"

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// One line of the file: [begin, end) is its content, next is where the following
// line starts (after its LF or CR LF).
struct Line {
  qsizetype begin;
  qsizetype end;
  qsizetype next;
};

enum class LineKind { Other, Section, Key };

struct ParsedLine {
  LineKind kind = LineKind::Other;
  QStringView name;   // section or key name, trimmed
  QStringView value;  // key value, trimmed, quotes removed
};

Line LineAt(const QString& text, qsizetype begin) {
  qsizetype lf = text.indexOf(u'\n', begin);
  qsizetype next = lf < 0 ? text.size() : lf + 1;
  qsizetype end = lf < 0 ? text.size() : lf;
  if (end > begin && text[end - 1] == u'\r') --end;
  return {begin, end, next};
}

QStringView StripQuotes(QStringView value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.mid(1, value.size() - 2);
  }
  return value;
}

ParsedLine ParseLine(QStringView content) {
  QStringView line = content.trimmed();
  if (line.startsWith(u'[')) {
    qsizetype close = line.indexOf(u']');
    QStringView name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
    return {LineKind::Section, name.trimmed(), {}};
  }
  qsizetype eq = line.indexOf(u'=');
  if (line.startsWith(u';') || eq < 0) return {};
  return {LineKind::Key, line.left(eq).trimmed(), StripQuotes(line.mid(eq + 1).trimmed())};
}

bool SameName(QStringView a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Where a key lives in the text, or where it would go.
struct KeySearch {
  bool sectionFound = false;
  std::optional<Line> keyLine;   // the first matching key line
  qsizetype insertAt = 0;        // after the last key line (or header) of the section
  std::optional<QString> value;  // the value of keyLine
};

KeySearch FindKey(const QString& text, const QString& section, const QString& key) {
  KeySearch found;
  bool inSection = false;
  for (qsizetype pos = 0; pos < text.size();) {
    Line line = LineAt(text, pos);
    pos = line.next;
    ParsedLine parsed = ParseLine(QStringView(text).mid(line.begin, line.end - line.begin));
    if (parsed.kind == LineKind::Section) {
      if (found.sectionFound) break;  // the first matching section wins
      inSection = SameName(parsed.name, section);
      if (inSection) {
        found.sectionFound = true;
        found.insertAt = line.next;
      }
    } else if (inSection && parsed.kind == LineKind::Key) {
      found.insertAt = line.next;
      if (SameName(parsed.name, key)) {
        found.keyLine = line;
        found.value = parsed.value.toString();
        break;
      }
    }
  }
  return found;
}

enum class ReadResult { Ok, Missing, Failed };

[[nodiscard]] ReadResult ReadText(const QString& path, QString* text, bool* hadBom,
                                  QString* error) {
  if (path.isEmpty()) return ReadResult::Missing;  // no file chosen yet (QFile would warn)
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (!QFileInfo(path).exists()) return ReadResult::Missing;
    if (error) *error = file.errorString();
    return ReadResult::Failed;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
    return ReadResult::Failed;
  }
  *hadBom = bytes.startsWith(kUtf8Bom);
  if (*hadBom) bytes.remove(0, 3);
  *text = QString::fromUtf8(bytes);
  return ReadResult::Ok;
}

[[nodiscard]] bool Storable(const QString& section, const QString& key, const QString& value) {
  auto hasBreak = [](const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); };
  return !section.trimmed().isEmpty() && !key.trimmed().isEmpty() && !hasBreak(section) &&
         !hasBreak(key) && !hasBreak(value) && !key.contains(u'=') && !section.contains(u']');
}

// The values of one INI text by case-folded section and key names, found as
// FindKey finds them: the first section of a name, the first key of a name in it.
class IniIndex {
 public:
  explicit IniIndex(const QString& text) {
    QHash<QString, QString>* keys = nullptr;  // of the section being read; null outside one
    for (qsizetype pos = 0; pos < text.size();) {
      const Line line = LineAt(text, pos);
      pos = line.next;
      const ParsedLine parsed = ParseLine(QStringView(text).mid(line.begin, line.end - line.begin));
      if (parsed.kind == LineKind::Section) {
        const QString name = parsed.name.toString().toCaseFolded();
        // A later section of a name already seen is never searched.
        keys = sections_.contains(name) ? nullptr : &sections_[name];
      } else if (keys != nullptr && parsed.kind == LineKind::Key) {
        const QString name = parsed.name.toString().toCaseFolded();
        if (!keys->contains(name)) keys->insert(name, parsed.value.toString());
      }
    }
  }

  std::optional<QString> Value(const QString& section, const QString& key) const {
    const auto keys = sections_.constFind(section.toCaseFolded());
    if (keys == sections_.constEnd()) return std::nullopt;
    const auto value = keys->constFind(key.toCaseFolded());
    if (value == keys->constEnd()) return std::nullopt;
    return *value;
  }

 private:
  QHash<QString, QHash<QString, QString>> sections_;
};

// What tells one version of a file from another without reading it.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  timespec modified{};
  timespec changed{};
};

bool operator==(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool operator==(const FileStamp& a, const FileStamp& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modified == b.modified && a.changed == b.changed;
}

std::optional<FileStamp> StampOf(const QString& path) {
  struct stat info {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0) {
    return std::nullopt;
  }
  return FileStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

struct CachedFile {
  FileStamp stamp;
  std::optional<IniIndex> index;  // none when the file could not be read
};

// Enough for every language file; past it the cache starts again.
constexpr std::size_t kMaxCachedFiles = 8;

}  // namespace

std::optional<QString> ReadCachedIniValue(const QString& path, const QString& section,
                                          const QString& key) {
  static std::mutex mutex;
  static std::map<QString, CachedFile> files;
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp) return std::nullopt;
  const std::lock_guard<std::mutex> lock(mutex);
  auto found = files.find(path);
  if (found == files.end() || !(found->second.stamp == *stamp)) {
    if (found == files.end() && files.size() >= kMaxCachedFiles) files.clear();
    QString text;
    bool hadBom = false;
    const bool read = ReadText(path, &text, &hadBom, nullptr) == ReadResult::Ok;
    found = files
                .insert_or_assign(
                    path, CachedFile{*stamp,
                                     read ? std::optional<IniIndex>(IniIndex(text)) : std::nullopt})
                .first;
  }
  const std::optional<IniIndex>& index = found->second.index;
  return index ? index->Value(section.trimmed(), key.trimmed()) : std::nullopt;
}

std::optional<QString> ReadIniValue(const QString& path, const QString& section,
                                    const QString& key) {
  QString text;
  bool hadBom = false;
  if (ReadText(path, &text, &hadBom, nullptr) != ReadResult::Ok) return std::nullopt;
  return FindKey(text, section.trimmed(), key.trimmed()).value;
}

bool WriteIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value, QString* error) {
  if (!Storable(section, key, value)) {
    if (error) *error = QStringLiteral("Name or value cannot be stored in an INI file");
    return false;
  }
  QString text;
  bool hadBom = false;
  if (ReadText(path, &text, &hadBom, error) == ReadResult::Failed) return false;

  const QString keyLine = key.trimmed() + u'=' + value;
  KeySearch found = FindKey(text, section.trimmed(), key.trimmed());
  if (found.keyLine) {
    text.replace(found.keyLine->begin, found.keyLine->end - found.keyLine->begin, keyLine);
  } else {
    const QString crlf = QStringLiteral("\r\n");
    QString insert = found.sectionFound ? keyLine + crlf
                                        : u'[' + section.trimmed() + u']' + crlf + keyLine + crlf;
    qsizetype at = found.sectionFound ? found.insertAt : text.size();
    // The line before the insertion point may lack its line end (last line of the file).
    if (at > 0 && text[at - 1] != u'\n') insert.prepend(crlf);
    text.insert(at, insert);
  }
  QByteArray bytes = text.toUtf8();
  if (hadBom) bytes.prepend(kUtf8Bom);
  return WriteFileAtomically(path, bytes, error);
}
