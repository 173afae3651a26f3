#pragma once
// What a firmware file must be before any of it goes to a card or onto a USB disk: a
// wrong file can leave a card that no longer starts. It is a regular, non-empty file
// of at most kMaxFirmwareBytes whose first kFirmwareModelBytes bytes name the card
// model: printable ASCII characters, then only blanks or zeros ("W6" and six blanks).
// A file shorter than that counts as if zeros followed it. The controller library and
// the program's firmware pane, chooser and USB copy all take this one rule.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

inline constexpr std::int64_t kMaxFirmwareBytes = std::int64_t{64} << 20;
inline constexpr qsizetype kFirmwareModelBytes = 8;

// Why a file is no firmware file; kNone for one that is.
enum class FirmwareFault {
  kNone,
  kUnreadable,  // missing, unreadable, not a regular file (a folder, a FIFO, a device)
  kEmpty,
  kTooLarge,
  kNoModel,  // the first bytes name no card model
};

// Whether head, the first bytes of a file, name a card model by the rule above.
bool IsFirmwareModelHead(QByteArrayView head);

// Checks the file at path by its size and first bytes only, and gives those bytes (up
// to kFirmwareModelBytes) in *head when it is a firmware file.
FirmwareFault CheckFirmwareFile(const QString& path, QByteArray* head);

// Reads the whole firmware file at path into *bytes, checked by the rule; the bytes
// read are the bytes checked. *bytes is changed only when the fault is kNone.
FirmwareFault ReadFirmwareFile(const QString& path, QByteArray* bytes);
