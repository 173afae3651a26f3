#pragma once
// The journal of an install's swap: what the swap is about to change in the program
// folder, written durably before the first change, so that the old program can be
// put back after a failure or a crash. Paths are relative to the program folder.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// One file of the swap. Its staged copy and its backup are named by number.
struct SwapAction {
  int number = 0;
  bool hasNew = false;  // "UpdateData/staging/<number>" replaces the target
  bool hasOld = false;  // the target exists and goes to "UpdateData/backup/<number>"
  QStringList parts;    // the target
};

struct InstallJournal {
  std::vector<QStringList> newFolders;  // folders the swap makes, parents first
  std::vector<SwapAction> actions;
};

QByteArray EncodeJournal(const InstallJournal& journal);

// False for anything but a journal EncodeJournal wrote; every path is checked again
// (as SplitEntryName), since the file could have been damaged.
bool DecodeJournal(const QByteArray& bytes, InstallJournal* journal);
