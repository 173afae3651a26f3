#include "model/common/firmware_image.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

#include "model/common/regular_file.h"

namespace {

bool IsPadding(char byte) { return byte == ' ' || byte == '\0'; }

FirmwareFault FaultOfSize(std::int64_t size) {
  if (size == 0) return FirmwareFault::kEmpty;
  return size > kMaxFirmwareBytes ? FirmwareFault::kTooLarge : FirmwareFault::kNone;
}

FirmwareFault FaultOfHead(QByteArrayView head) {
  return IsFirmwareModelHead(head.first(std::min(head.size(), kFirmwareModelBytes)))
             ? FirmwareFault::kNone
             : FirmwareFault::kNoModel;
}

}  // namespace

bool IsFirmwareModelHead(QByteArrayView head) {
  if (head.size() > kFirmwareModelBytes) return false;
  qsizetype end = head.size();
  while (end > 0 && IsPadding(head[end - 1])) --end;
  if (end == 0) return false;
  for (qsizetype i = 0; i < end; ++i) {
    if (head[i] < 0x20 || head[i] > 0x7E) return false;
  }
  return true;
}

FirmwareFault CheckFirmwareFile(const QString& path, QByteArray* head) {
  UniqueFd file;
  std::int64_t size = 0;
  if (OpenRegularFile(path, &file, &size) != 0) return FirmwareFault::kUnreadable;
  if (const FirmwareFault fault = FaultOfSize(size); fault != FirmwareFault::kNone) return fault;
  QByteArray first(static_cast<qsizetype>(std::min<std::int64_t>(size, kFirmwareModelBytes)),
                   Qt::Uninitialized);
  if (file.ReadAll(first.data(), static_cast<std::size_t>(first.size())) != 0) {
    return FirmwareFault::kUnreadable;
  }
  if (const FirmwareFault fault = FaultOfHead(first); fault != FirmwareFault::kNone) return fault;
  *head = std::move(first);
  return FirmwareFault::kNone;
}

FirmwareFault ReadFirmwareFile(const QString& path, QByteArray* bytes) {
  QByteArray data;
  try {
    if (const int error = ReadRegularFile(path, &data, kMaxFirmwareBytes); error != 0) {
      return error == EFBIG ? FirmwareFault::kTooLarge : FirmwareFault::kUnreadable;
    }
  } catch (const std::bad_alloc&) {
    return FirmwareFault::kUnreadable;
  }
  if (const FirmwareFault fault = FaultOfSize(data.size()); fault != FirmwareFault::kNone) {
    return fault;
  }
  if (const FirmwareFault fault = FaultOfHead(data); fault != FirmwareFault::kNone) return fault;
  *bytes = std::move(data);
  return FirmwareFault::kNone;
}
