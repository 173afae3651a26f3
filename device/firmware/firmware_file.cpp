#include "device/firmware/firmware_file.h"

#include <QFileInfo>
#include <QStringList>

#include <cerrno>

#include "controls/dialogs/style_message_dialog.h"
#include "model/common/bounded_text.h"
#include "model/common/disk_folder.h"
#include "model/common/firmware_image.h"
#include "model/project/project_records.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kStyleError = 0x10;
constexpr int kStyleOkCancelWarning = 0x31;
constexpr int kRefusalText = 1009;
constexpr int kQuestionText = 1010;
constexpr int kScreenText = 1011;
constexpr qsizetype kNamedScreens = 2;

const char* const kCardFolders[] = {"marvane/KQ-W", "marvane/KQ-P"};
const char* const kStaleFiles[] = {"kq_disp_cfg.usb", "kq_disp_dat.usb"};

QString Text(int key) { return ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, key); }

}  // namespace

QString FirmwareModelText(const QByteArray& head) {
  const qsizetype zero = head.indexOf('\0');
  return QString::fromLatin1(head.left(zero < 0 ? head.size() : zero)).trimmed();
}

bool IsFileNameModel(const QString& model) {
  if (model.isEmpty() || model == u"." || model == u"..") return false;
  for (const QChar c : model) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c)) {
      return false;
    }
  }
  return true;
}

QString CheckedFirmwareModel(const QString& path, const FirmwareAsk& ask) {
  QByteArray head;
  if (CheckFirmwareFile(path, &head) != FirmwareFault::kNone) {
    // The file's name: a whole path would not leave the box room for the reason.
    ask(FormatLangText(Text(kRefusalText), {QFileInfo(path).fileName()}), kStyleError);
    return {};
  }
  return FirmwareModelText(head);
}

bool ConfirmFirmwareUpdate(const std::vector<const ScreenRecord*>& screens, const QString& model,
                           const FirmwareAsk& ask) {
  // The first few screens are named, as many as the box has room for.
  QStringList named;
  for (const ScreenRecord* screen : screens) {
    if (named.size() == kNamedScreens) {
      named << QStringLiteral("…");
      break;
    }
    named << FormatLangText(Text(kScreenText),
                            {ReadBoundedText(screen->LedName), QString::number(screen->LedNumber)});
  }
  return ask(FormatLangText(Text(kQuestionText), {named.join(QStringLiteral(", ")), model}),
             kStyleOkCancelWarning) == kIdOk;
}

std::int32_t CopyFirmwareToDrive(const QString& root, const QString& source, const QString& model) {
  QByteArray firmware;
  if (!IsFileNameModel(model) || ReadFirmwareFile(source, &firmware) != FirmwareFault::kNone) {
    return kFirmwareCopyFailed;
  }
  DiskFolder folders[std::size(kCardFolders)];
  for (std::size_t i = 0; i < std::size(kCardFolders); ++i) {
    if (folders[i].Open(root, QLatin1String(kCardFolders[i]), true) != 0) {
      return kFirmwareFolderFailed;
    }
  }
  const QString name = model + QStringLiteral(".cpu");
  for (const DiskFolder& folder : folders) {
    if (folder.WriteFile(name, firmware) != 0) return kFirmwareCopyFailed;
  }
  // The folders' settings and display data are removed once the firmware is in place;
  // a removal that fails is no failure of the update, but a link there is left and
  // reported.
  std::int32_t result = 0;
  for (const char* stale : kStaleFiles) {
    for (const DiskFolder& folder : folders) {
      if (folder.RemoveFile(QLatin1String(stale)) == ELOOP) result = kFirmwareCopyFailed;
    }
  }
  return result;
}
