// Commands written as files of a USB disk that a card reads later, under
// <UsbRoot>/marvane/ in both series folders.
#include <QByteArrayView>

#include <cerrno>

#include "model/common/bounded_text.h"
#include "model/common/disk_folder.h"
#include "sdk/link/send_command.h"

namespace {

// Series folders the cards read, in the order they are written.
constexpr const char* kSeriesFolders[] = {"marvane/KQ-W", "marvane/KQ-P"};

struct UsbFileNames {
  std::uint16_t command;
  const char* names[2];  // under KQ-W, under KQ-P
};

constexpr UsbFileNames kUsbFiles[] = {
    {kCommandSettings, {"kq_disp_cfg.usb", "kq_disp_cfg.usb"}},
    {kCommandDisplayData, {"kq_disp_dat.usb", "kq_disp_dat.usb"}},
    {kCommandFirmware, {"W6.cpu", "P32.cpu"}},
};

const UsbFileNames* FilesOfCommand(std::uint16_t command) {
  for (const UsbFileNames& files : kUsbFiles) {
    if (files.command == command) return &files;
  }
  return nullptr;
}

}  // namespace

int WriteUsbCommandFiles(const CommandRequest& request) {
  const UsbFileNames* files = FilesOfCommand(request.command);
  if (files == nullptr) return KQ_OK;
  // The root may be given with "\" separators, as Windows callers write it.
  QString root = ReadBoundedText(request.info.UsbRoot);
  root.replace(QLatin1Char('\\'), QLatin1Char('/'));
  // Both folders are opened (and made) before anything is written: a link planted at
  // either leaves the disk untouched.
  DiskFolder folders[std::size(kSeriesFolders)];
  for (std::size_t i = 0; i < std::size(kSeriesFolders); ++i) {
    if (folders[i].Open(root, QLatin1String(kSeriesFolders[i]), true) != 0) {
      return KQ_ERR_USB_FOLDER;
    }
  }
  const QByteArrayView payload(request.payload, static_cast<qsizetype>(request.length));
  for (std::size_t i = 0; i < std::size(kSeriesFolders); ++i) {
    if (folders[i].WriteFile(QLatin1String(files->names[i]), payload) != 0) return KQ_ERR_FILE;
  }
  return KQ_OK;
}
