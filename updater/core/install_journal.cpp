#include "updater/core/install_journal.h"

#include "updater/core/package_check.h"

namespace {

constexpr char kMagic[] = "KQUPDATE-JOURNAL 1";

QByteArray Flag(bool value) { return value ? "1" : "0"; }

bool ReadFlag(const QByteArray& text, bool* value) {
  *value = text == "1";
  return *value || text == "0";
}

bool ReadPath(const QByteArray& text, QStringList* parts) {
  bool isFolder = false;
  return SplitEntryName(QString::fromUtf8(text), parts, &isFolder) && !isFolder;
}

}  // namespace

QByteArray EncodeJournal(const InstallJournal& journal) {
  QByteArray out = QByteArray(kMagic) + '\n';
  for (const QStringList& folder : journal.newFolders) {
    out += "D\t" + folder.join(u'/').toUtf8() + '\n';
  }
  for (const SwapAction& action : journal.actions) {
    out += "F\t" + QByteArray::number(action.number) + '\t' + Flag(action.hasNew) + '\t' +
           Flag(action.hasOld) + '\t' + action.parts.join(u'/').toUtf8() + '\n';
  }
  return out + "END\n";
}

bool DecodeJournal(const QByteArray& bytes, InstallJournal* journal) {
  QList<QByteArray> lines = bytes.split('\n');
  // A whole journal ends with "END" and a line break.
  if (lines.size() < 3 || lines.first() != kMagic || !lines.last().isEmpty() ||
      lines[lines.size() - 2] != "END") {
    return false;
  }
  InstallJournal read;
  for (qsizetype i = 1; i < lines.size() - 2; ++i) {
    const QList<QByteArray> fields = lines[i].split('\t');
    if (fields.size() == 2 && fields[0] == "D") {
      QStringList parts;
      if (!ReadPath(fields[1], &parts)) return false;
      read.newFolders.push_back(parts);
      continue;
    }
    SwapAction action;
    bool numberOk = false;
    if (fields.size() != 5 || fields[0] != "F") return false;
    action.number = fields[1].toInt(&numberOk);
    if (!numberOk || action.number < 0 || !ReadFlag(fields[2], &action.hasNew) ||
        !ReadFlag(fields[3], &action.hasOld) || !ReadPath(fields[4], &action.parts)) {
      return false;
    }
    read.actions.push_back(std::move(action));
  }
  *journal = std::move(read);
  return true;
}
