#pragma once
// The forms of a screen's scan mode and the standard module sizes. A scan mode is
// known by the code the card reports (the screen's RouteValue), by the key the scan
// pane places it with (ZouXianType: group * 1000 + position), and by its name, the
// language text numbered key + 2000 in section "IDD_SCANSET_DIALOG".

#include <QSize>
#include <QString>

#include <cstdint>

// The key a card uses for no known mode.
constexpr int kUnknownScanKey = 4000;

// The key of a scan code; any code not in the table (0 included) gives 4000.
int ScanCodeToKey(int scanCode);

// The name of a scan code from the language file; empty for a code not in the table.
QString GetScanTypeName(int scanCode);

// Fills scanType by the key's range and, for a key of the table (or 5000 or 6000),
// routeValue and dataHeight from its row; the other outputs keep their values.
void ScanKeyToParams(int scanKey, int& routeValue, int& dataHeight, int& scanType);

// The first index of the module-size table with exactly this size; 0 (32 x 16) when
// none matches.
int FindModuleSizeIndex(int moduleWidth, int moduleHeight);

// The module size of an index; 32 x 16 for an index outside the table.
QSize ModuleSizeAt(int index);

// The bytes of one row of the scan-row table.
constexpr int kScanTableSize = 256;

// The scan table of a scan route: row route of "scan_rows.bin" in the program's Data
// folder for routes below 100, row route - 80 from 100 on; the file is its rows of
// kScanTableSize bytes each. False, table untouched, for a negative route or a row
// the file does not hold (no file, no rows).
[[nodiscard]] bool ScanTableRow(int route, std::uint8_t (&table)[kScanTableSize]);
