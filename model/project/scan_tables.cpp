#include "model/project/scan_tables.h"

#include <QFile>
#include <QStringList>

#include <array>
#include <cstring>
#include <mutex>
#include <vector>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/settings/ini_file.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

struct ScanMode {
  int code;  // RouteValue
  int key;   // ZouXianType
  int dataHeight;
  int scanType;
};

constexpr std::array<ScanMode, 24> kScanModes = {{
    {16, 0, 3, 0},      {17, 1, 3, 0},      {18, 2, 7, 0},      {19, 3, 7, 0},
    {3, 1000, 1, 1},    {2, 2000, 3, 3},    {6, 2001, 7, 3},    {7, 2002, 7, 3},
    {8, 2003, 15, 3},   {9, 2004, 15, 3},   {12, 2005, 7, 3},   {13, 2006, 7, 3},
    {14, 2007, 15, 3},  {15, 2008, 15, 3},  {100, 2009, 15, 3}, {101, 2010, 15, 3},
    {102, 2011, 15, 3}, {103, 2012, 15, 3}, {1, 3000, 7, 7},    {4, 3001, 15, 7},
    {5, 3002, 15, 7},   {10, 3003, 15, 7},  {11, 3004, 15, 7},  {0, 4000, 15, 15},
}};

// Keys 5000 and 6000 stand for the modes of keys 2003 and 2001.
constexpr int kAliasKey2003 = 5000;
constexpr int kAliasKey2001 = 6000;
constexpr int kNameTextOffset = 2000;

constexpr std::array<QSize, 17> kModuleSizes = {{
    {32, 16},
    {16, 8},
    {64, 32},
    {64, 16},
    {8, 8},
    {32, 8},
    {64, 8},
    {96, 8},
    {128, 8},
    {16, 16},
    {96, 16},
    {128, 16},
    {32, 32},
    {96, 32},
    {128, 32},
    {20, 10},
    {24, 12},
}};

constexpr std::array<int, 2> kRegularModuleCounts = {8, 7};
constexpr int kRegularModuleValues = 8;
const QString kRegularModulesFile = QStringLiteral("regular_modules.ini");

// Scan-table rows: routes 0-19, then 100-103.
const QString kScanRowsFile = QStringLiteral("scan_rows.bin");
constexpr int kDirectRouteRows = 20;
constexpr int kHighRouteFirst = 100;
constexpr int kHighRouteRows = 4;
constexpr int kScanRowCount = kDirectRouteRows + kHighRouteRows;

// The rows of the data files of one program folder, read on first use.
struct ModuleRowFiles {
  QString folder;
  std::vector<std::optional<RegularModule>> regular[2];
  std::vector<ScanTable> scanRows;  // all kScanRowCount rows, or none
};

// A row's eight values within their ranges (sizes 1-255, polarities 0-1, others a byte).
std::optional<RegularModule> ParseRegularModule(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(','));
  if (parts.size() != kRegularModuleValues) return std::nullopt;
  int values[kRegularModuleValues];
  for (int i = 0; i < kRegularModuleValues; ++i) {
    bool ok = false;
    values[i] = parts[i].trimmed().toInt(&ok);
    const int low = i < 2 ? 1 : 0;
    const int high = i == 2 || i == 3 ? 1 : 255;
    if (!ok || values[i] < low || values[i] > high) return std::nullopt;
  }
  return RegularModule{values[0], values[1], values[2], values[3],
                       values[4], values[5], values[6], values[7]};
}

void ReadRegularModules(ModuleRowFiles& files) {
  const QString path = AppFilePath(AppFolder::Data, kRegularModulesFile);
  for (int color = 0; color < 2; ++color) {
    const QString section = QStringLiteral("Colour%1").arg(color);
    for (int index = 0; index < kRegularModuleCounts[static_cast<std::size_t>(color)]; ++index) {
      const std::optional<QString> text = ReadIniValue(path, section, QString::number(index));
      files.regular[color].push_back(text ? ParseRegularModule(*text) : std::nullopt);
    }
  }
}

void ReadScanRows(ModuleRowFiles& files) {
  QFile file(AppFilePath(AppFolder::Data, kScanRowsFile));
  constexpr qint64 kFileSize = qint64{kScanRowCount} * qint64{sizeof(ScanTable)};
  if (!file.open(QIODevice::ReadOnly) || file.size() != kFileSize) return;
  const QByteArray bytes = file.readAll();
  if (bytes.size() != kFileSize) return;
  files.scanRows.resize(kScanRowCount);
  for (int row = 0; row < kScanRowCount; ++row) {
    std::memcpy(files.scanRows[static_cast<std::size_t>(row)].data(),
                bytes.constData() + row * static_cast<int>(sizeof(ScanTable)), sizeof(ScanTable));
  }
}

// The rows of the current program folder, read again only when the folder changed.
template <typename Use>
auto WithModuleRowFiles(Use use) {
  static std::mutex mutex;
  static ModuleRowFiles files;
  const std::lock_guard<std::mutex> lock(mutex);
  const QString folder = GetAppDir();
  if (files.folder != folder || files.folder.isEmpty()) {
    files = ModuleRowFiles{folder, {}, {}};
    ReadRegularModules(files);
    ReadScanRows(files);
  }
  return use(static_cast<const ModuleRowFiles&>(files));
}

const ScanMode* FindByCode(int scanCode) {
  for (const ScanMode& mode : kScanModes) {
    if (mode.code == scanCode) return &mode;
  }
  return nullptr;
}

const ScanMode* FindByKey(int scanKey) {
  if (scanKey == kAliasKey2003) scanKey = 2003;
  if (scanKey == kAliasKey2001) scanKey = 2001;
  for (const ScanMode& mode : kScanModes) {
    if (mode.key == scanKey) return &mode;
  }
  return nullptr;
}

// ScanType by the key's range; false at 7000 and above, where nothing is set.
bool ScanTypeOfKeyRange(int scanKey, int& scanType) {
  if (scanKey < 1000)
    scanType = 0;
  else if (scanKey < 2000)
    scanType = 1;
  else if (scanKey < 3000)
    scanType = 3;
  else if (scanKey < 4000)
    scanType = 7;
  else if (scanKey < 5000)
    scanType = 15;
  else if (scanKey < 7000)
    scanType = 3;
  else
    return false;
  return true;
}

}  // namespace

int ScanCodeToKey(int scanCode) {
  const ScanMode* mode = FindByCode(scanCode);
  return mode != nullptr ? mode->key : kUnknownScanKey;
}

QString GetScanTypeName(int scanCode) {
  const ScanMode* mode = FindByCode(scanCode);
  if (mode == nullptr) return {};
  return ReadLangText(lang_section::IDD_SCANSET_DIALOG, mode->key + kNameTextOffset);
}

void ScanKeyToParams(int scanKey, int& routeValue, int& dataHeight, int& scanType) {
  if (!ScanTypeOfKeyRange(scanKey, scanType)) return;
  if (const ScanMode* mode = FindByKey(scanKey)) {
    routeValue = mode->code;
    dataHeight = mode->dataHeight;
  }
}

int FindModuleSizeIndex(int moduleWidth, int moduleHeight) {
  for (std::size_t i = 0; i < kModuleSizes.size(); ++i) {
    if (kModuleSizes[i] == QSize(moduleWidth, moduleHeight)) return static_cast<int>(i);
  }
  return 0;
}

QSize ModuleSizeAt(int index) {
  if (index < 0 || index >= static_cast<int>(kModuleSizes.size())) return kModuleSizes[0];
  return kModuleSizes[static_cast<std::size_t>(index)];
}

int RegularModuleCount(int color) {
  if (color < 0 || color >= static_cast<int>(kRegularModuleCounts.size())) return 0;
  return kRegularModuleCounts[static_cast<std::size_t>(color)];
}

std::optional<RegularModule> RegularModuleRow(int color, int index) {
  if (index < 0 || index >= RegularModuleCount(color)) return std::nullopt;
  return WithModuleRowFiles([color, index](const ModuleRowFiles& files) {
    return files.regular[color][static_cast<std::size_t>(index)];
  });
}

std::optional<ScanTable> ScanTableRow(int route) {
  int row = -1;
  if (route >= 0 && route < kDirectRouteRows) row = route;
  if (route >= kHighRouteFirst && route < kHighRouteFirst + kHighRouteRows) {
    row = route - kHighRouteFirst + kDirectRouteRows;
  }
  if (row < 0) return std::nullopt;
  return WithModuleRowFiles([row](const ModuleRowFiles& files) -> std::optional<ScanTable> {
    if (files.scanRows.empty()) return std::nullopt;
    return files.scanRows[static_cast<std::size_t>(row)];
  });
}
