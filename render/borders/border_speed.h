#pragma once
// The speed settings of moving borders and scrolling text: pixels per preview tick for
// settings 0 (fastest) to 31 (slowest). Borders and the scroll player share the table.

#include <array>

constexpr int kSpeedSettings = 32;

// 4.0, 3.0, 2.0, 1.5, 1.2, 1.1, 1.0, 0.95 to 0.30 in steps of 0.05, 0.28 to 0.20 in
// steps of 0.02, 0.19 to 0.14 in steps of 0.01.
extern const std::array<float, kSpeedSettings> BorderSpeedTable;

// The pixels per tick of a speed setting as a project file holds it; a setting outside
// 0-31 counts as the nearest of them.
float SpeedOfSetting(int setting);
