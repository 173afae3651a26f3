#pragma once
// What the analog clock, digital clock and countdown pages share, without the record
// they edit: how their controls are made and placed, the font row (face, size, bold,
// italic and underline, each page adding its own colour button), the size rules, and
// the nearest values a picker can show of stored fields that may be out of range.

#include <QDate>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTime>

#include <QWidget>

#include <array>
#include <climits>

#include "editors/page_parts/picker_values.h"
#include "model/settings/ui/dlg_lang_text.h"

class CButtonQx;
class CColorPicker;
class QComboBox;

// The sizes the size lists offer, in points; any other may be typed.
inline constexpr std::array<int, 15> kFontSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                                   20, 22, 24, 28, 36, 48, 72};

// How a page takes the text of its size list.
struct SizeRule {
  int max = INT_MAX;        // a larger size stores this
  bool showStored = false;  // a size the rule changed is shown as stored
};

// The size stored for a text: its leading number as _wtoi reads it (ParseIniInt), 9
// when that is 0 or there is no number, at most rule.max.
int StoredFontSize(const QString& text, const SizeRule& rule);

// The date the time pickers hold their time on; it is not used.
inline const QDate kTimePickerDate(1985, 11, 6);

// A control made on a page at its place, carrying its control id.
template <typename Control>
Control* MakeControl(QWidget* page, int id, const QRect& place) {
  auto* control = new Control(page);
  SetControlId(control, id);
  control->setGeometry(place);
  return control;
}
// A drop-down list of the entries; an editable one keeps typed texts out of the list.
QComboBox* MakeList(QWidget* page, int id, const QRect& place, const QStringList& entries,
                    bool editable = false);
// A colour button; compact strips leave out their black cell (25 pixels narrower).
CColorPicker* MakeColorButton(QWidget* page, int id, const QRect& place, bool compact);

// The control ids of a font row.
struct FontRowIds {
  int face;
  int size;
  std::array<int, 3> styles;  // bold, italic, underline
};

// The face list (editable, sorted, the system's font families), the size list
// (editable, kFontSizes) and the bold, italic and underline check buttons.
struct FontRow {
  QComboBox* face = nullptr;
  QComboBox* size = nullptr;
  std::array<CButtonQx*, 3> styles{};
};

// Width of a font row from its left edge to the end of its style buttons.
inline constexpr int kFontRowWidth = 286;

// Makes a font row with its top-left corner at `at`; the handlers are the page's.
FontRow MakeFontRow(QWidget* page, const FontRowIds& ids, QPoint at);

// Shows a text in an editable list, with the entry of that text current when there
// is one.
void ShowListText(QComboBox& list, const QString& text);
