#pragma once
// The areas the project page adds: where a new area stands, its name and settings,
// and the text file a new single-line area starts with.

#include <QDateTime>
#include <QString>

#include <cstdint>

#include "model/project/project_records.h"

// The kind names' text numbers (IDD_MAIN_DIALOG) by area kind 1-7 (index kind - 1);
// the add-area buttons show them too.
constexpr int kAreaKindTextNumbers[7] = {1000, 1001, 1003, 1004, 1005, 1006, 1002};

struct NewAreaRect {
  std::int32_t left, top, right, bottom;
  bool operator==(const NewAreaRect&) const = default;
};

// The rectangle of a new area of `kind` on a screen of width x height whose program
// border is borderWidth wide, `leftmost` being the smallest left edge of the
// program's areas (width - borderWidth when it has none): 64 pixels wide just left
// of the leftmost area, else at the right edge, and 32 pixels high (64 for an analog
// clock). It stays inside the program border and is at least 1 x 1 pixel.
NewAreaRect PlaceNewArea(int width, int height, int borderWidth, int leftmost, int kind);

// Appends an area of kind 1-7 to the program with a new area's settings: named by
// its kind and the count of that kind, placed by PlaceNewArea, red border in style
// 1, and its kind's defaults (fonts "宋体" 12 pt in red; a countdown to `now` plus a
// day). A single-line area's text file holds the area's name. Null, adding nothing,
// for another kind or a program without a screen.
AreaRecord* AddNewArea(ProgramRecord& program, int kind, const QDateTime& now);

// Writes UserData/<guid>.rtf of a single-line area: `text` in "宋体" 12 pt, red.
[[nodiscard]] bool WriteSingleLineText(const SingleLineAreaInfo& info, const QString& text);
