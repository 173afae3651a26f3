#pragma once
// A screen's size in modules and dots without the page's windows: the counts a user
// types or steps, the modules that whole dots need, and the screen's areas rescaled
// to a new size.

#include <cstdint>
#include <optional>

#include "model/project/project_records.h"
#include "model/project/screen_limits.h"

// Module counts across and down.
constexpr int kMinModuleCount = 1;
constexpr int kMaxModuleCount = 999;
// The largest width or height the card's basic section holds (16 bits).
constexpr int kMaxScreenDots = kMaxScreenSide;

// A typed count within 1-999; none (an empty edit) gives 1.
int ClampedModuleCount(std::optional<int> typed);

// The count after one step of the up (+1) or down (-1) arrow: never below 1, and the up
// arrow stops at `maxCount`.
int SteppedModuleCount(int count, int delta, int maxCount);

// The most modules of `moduleSize` dots that stay within 65535 dots; at least 1.
int MaxModulesWithinDots(int moduleSize);

// The whole modules that `dots` dots need (rounded up), within 1-999.
int ModulesForDots(int dots, int moduleSize);

// The count of modules of `moduleSize` dots along one side (across or down), lowered
// (never below 1) until that side with the other side of `otherDots` dots is a
// screen a card can drive (IsDrivableScreenSize).
int FittingModuleCount(int count, int moduleSize, std::int32_t otherDots, bool across);

// Lowers the screen's module counts, the count across first, until the size they
// make is one a card can drive.
void FitModuleCounts(ScreenRecord& screen);

// Scales the rectangles of every area of every program of the screen by
// (LedWidth / oldWidth, LedHeight / oldHeight), products cut to whole dots, and keeps
// each inside the screen less its program's border, at least one dot wide and high.
// Nothing changes when the size did not change or the old size has a side of 0.
void RescaleAreas(ScreenRecord& screen, std::int32_t oldWidth, std::int32_t oldHeight);
