#pragma once
// A firmware file chosen by the user, and its copy onto a USB disk. The file must pass
// the firmware rule (model/common/firmware_image.h) before anything of it goes
// anywhere; its first 8 bytes then name the card model it is for. For a card that reads
// its firmware from a USB disk the file is copied into both card folders under
// "marvane/" on the disk.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

struct ScreenRecord;

// Results of the USB copy, as UM_SEND_RESULT carries them.
constexpr std::int32_t kFirmwareFolderFailed = -17;
constexpr std::int32_t kFirmwareCopyFailed = -12;

// The model bytes as text, up to the first zero byte, without blanks at either end.
QString FirmwareModelText(const QByteArray& head);

// True when the model can name a file in a card folder on a FAT disk: not empty, not
// "." or "..", without control characters and without \ / : * ? " < > |.
bool IsFileNameModel(const QString& model);

// The card model of the firmware file at path, or empty after showing the refusal that
// names the file (through ask, error style) when the file breaks the firmware rule.
using FirmwareAsk = std::function<int(const QString& text, int style)>;
QString CheckedFirmwareModel(const QString& path, const FirmwareAsk& ask);

// Asks (through ask) whether the firmware for model goes to the cards of screens,
// naming the first two screens and their card numbers; true for OK.
bool ConfirmFirmwareUpdate(const std::vector<const ScreenRecord*>& screens, const QString& model,
                           const FirmwareAsk& ask);

// Copies the firmware file at source to "marvane/KQ-W/<model>.cpu" and then
// "marvane/KQ-P/<model>.cpu" under root (a drive root ending in "/"), each synced and
// renamed into place, then deletes the card folders' settings and display-data files.
// No symbolic link on the disk is followed. 0; kFirmwareFolderFailed when a folder
// cannot be made or is a link; kFirmwareCopyFailed for a file that breaks the firmware
// rule or a model that cannot name a file (nothing is written then), a failed copy, or
// a link where a file is written or deleted. Runs on any thread.
std::int32_t CopyFirmwareToDrive(const QString& root, const QString& source, const QString& model);
