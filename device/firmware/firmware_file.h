#pragma once
// A firmware file and its copy onto a USB disk. The first 8 bytes of the file (up to
// the first zero) name the card model it is for, in the code page of card names
// (CORVANIX_CODE_PAGE when set, else GBK). For a card that reads its firmware from a
// USB disk the file is copied into both card folders under "marvane/" on the disk.

#include <QByteArray>
#include <QString>

#include <cstdint>

// Results of the USB copy, as UM_SEND_RESULT carries them.
constexpr std::int32_t kFirmwareFolderFailed = -17;
constexpr std::int32_t kFirmwareCopyFailed = -12;

// Reads the model bytes of the file at path: up to 8 bytes, fewer for a shorter file.
// False when the path is not a regular file or cannot be read.
[[nodiscard]] bool ReadFirmwareHead(const QString& path, QByteArray& head);

// The model bytes as text, up to the first zero byte.
QString FirmwareModelText(const QByteArray& head);

// True when the model can name a file in a card folder on a FAT disk: not empty, not
// "." or "..", without control characters and without \ / : * ? " < > |.
bool IsFileNameModel(const QString& model);

// Copies the firmware file at source to "marvane/KQ-W/<model>.cpu" and then
// "marvane/KQ-P/<model>.cpu" under root (a drive root ending in "/"), each synced and
// renamed into place, then deletes the card folders' settings and display-data files.
// 0; kFirmwareFolderFailed when a folder cannot be made; kFirmwareCopyFailed for a
// model that cannot name a file (nothing is written) or a failed copy.
std::int32_t CopyFirmwareToDrive(const QString& root, const QString& source, const QString& model);
