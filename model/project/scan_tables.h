#pragma once
// The forms of a screen's scan mode, the standard module sizes, the regular modules of
// each colour and the cards' scan tables. A scan mode is
// known by the code the card reports (the screen's RouteValue), by the key the scan
// pane places it with (ZouXianType: group * 1000 + position), and by its name, the
// language text numbered key + 2000 in section "IDD_SCANSET_DIALOG".

#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

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

// The regular modules of a colour: colour 0 has 8, colour 1 has 7, named by the texts
// 2000 + 100 * colour + index of section "IDD_BASICSET_DIALOG".
int RegularModuleCount(int color);

// What a regular module sets on its screen.
struct RegularModule {
  int ModuleWidth, ModuleHeight, OE, DA, HanXu, RouteValue, ScanType, DataHeight;
  bool operator==(const RegularModule&) const = default;
};

// Row `index` of the colour's regular modules, read once from "Data/regular_modules.ini"
// of the program folder (section "Colour<colour>", key index: the eight values in the
// order above, separated by commas); none for a colour or index outside the table, and
// for a row that is missing or not valid (sizes 1-255, polarities 0-1, the others
// 0-255).
std::optional<RegularModule> RegularModuleRow(int color, int index);

// The 256 bytes of a card's scan table.
using ScanTable = std::array<std::uint8_t, 256>;

// The scan table of a scan route (RouteValue): routes 0-19 are rows 0-19 and 100-103
// rows 20-23 of "Data/scan_rows.bin" of the program folder, 24 rows of 256 bytes, read
// once; none for another route, or when the file is missing or not of that size.
std::optional<ScanTable> ScanTableRow(int route);
