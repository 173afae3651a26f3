#include "model/project/scan_tables.h"

#include <QFile>

#include <array>
#include <cstring>

#include "model/common/app_paths.h"

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

bool ScanTableRow(int route, std::uint8_t (&table)[kScanTableSize]) {
  constexpr int kFirstHighRoute = 100;
  constexpr int kHighRouteRowOffset = 80;
  if (route < 0) return false;
  const int row = route < kFirstHighRoute ? route : route - kHighRouteRowOffset;
  QFile file(AppFilePath(AppFolder::Data, u"scan_rows.bin"));
  if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64{row} * kScanTableSize)) return false;
  const QByteArray bytes = file.read(kScanTableSize);
  if (bytes.size() != kScanTableSize) return false;
  std::memcpy(table, bytes.constData(), kScanTableSize);
  return true;
}
