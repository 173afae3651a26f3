#pragma once
// Keeping an area inside the program border of width b on a screen s pixels across
// (or down): the left (top) edge at least b, the right (bottom) edge at most s - b.

// The position p of an area of length l kept inside the border.
int ClampAreaPosition(int p, int l, int s, int b);

struct AreaSpan {
  int position;
  int length;
};

// A new length l for an area at p: at least 2b + 1; when it would reach past the
// border the area moves back, and when even that is not enough it spans the whole
// inside of the border (never less than one pixel).
AreaSpan ClampAreaLength(int p, int l, int s, int b);
