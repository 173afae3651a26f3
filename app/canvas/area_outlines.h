#pragma once
// The outlines the preview draws over the areas of the program being edited: a
// rectangle per area in the pen of its state (selected, hovered, other), eight white
// handles, the hovered area's name and, while dragging, the selected area's badge. Lines and text
// are never anti-aliased.

#include <QFont>
#include <QImage>

#include <vector>

#include "model/project/project_records.h"

struct OutlineStyle {
  float zoom = 1.0f;
  // Subtracted from the scaled rectangles: the scroll position for a view-sized picture.
  int shiftX = 0;
  int shiftY = 0;
  int selected = 0;  // 1-based positions in the list; 0: none
  int hovered = 0;
  // Dotted pens for the hovered and the other areas, and the hovered area's name (the
  // edit view); else three solid pens and no name (the logo view).
  bool dotted = true;
  // While an area is dragged: the selected area's position and size in a badge at its
  // top-left corner, on blue blended at badgeAlpha.
  bool dragging = false;
  int badgeAlpha = 120;
};

// The preview's text: Arial (or what the system substitutes), 12 pixels, aliased.
QFont CanvasFont();

// An area's rectangle scaled by zoom, (int)(edge x zoom), and shifted; right and bottom
// excluded.
QRect ScaledAreaRect(const AreaRecord& area, const OutlineStyle& style);

// Draws the outlines of every area of areas, in order, onto target.
void DrawAreaOutlines(QImage& target, const std::vector<AreaRecord*>& areas,
                      const OutlineStyle& style);
