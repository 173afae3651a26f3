#include "sdk/link/transports/usb_files.h"

#include <QByteArrayView>

#include "model/common/atomic_file.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "sdk/link/send_command.h"

namespace {

// Series folders the cards read, in the order they are written.
constexpr const char* kSeriesFolders[] = {"KQ-W", "KQ-P"};

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

QString UsbCommandFolder(const QString& usbRoot) {
  QString root = usbRoot;
  root.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (root.isEmpty()) return {};
  if (!root.endsWith(QLatin1Char('/'))) root.append(QLatin1Char('/'));
  return root + QStringLiteral("marvane");
}

int WriteUsbCommandFiles(const CommandRequest& request) {
  const UsbFileNames* files = FilesOfCommand(request.command);
  if (files == nullptr) return KQ_OK;
  const QString folder = UsbCommandFolder(ReadBoundedText(request.info.UsbRoot));
  if (folder.isEmpty() || !CreateDirTree(folder)) return KQ_ERR_USB_FOLDER;
  for (const char* series : kSeriesFolders) {
    if (!CreateDirTree(folder + QLatin1Char('/') + QLatin1String(series))) {
      return KQ_ERR_USB_FOLDER;
    }
  }
  const QByteArrayView payload(request.payload, static_cast<qsizetype>(request.length));
  for (std::size_t i = 0; i < std::size(kSeriesFolders); ++i) {
    const QString path = folder + QLatin1Char('/') + QLatin1String(kSeriesFolders[i]) +
                         QLatin1Char('/') + QLatin1String(files->names[i]);
    if (!WriteFileAtomically(path, payload)) return KQ_ERR_FILE;
  }
  return KQ_OK;
}
