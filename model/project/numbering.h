#pragma once
// Numbers of new screens, programs and areas.

#include <cstdint>
#include <vector>

#include "model/project/project_records.h"

// The number after the highest of `used`, counting `floor` as used too. When that
// would pass the int range, the smallest positive number that is not used.
std::int32_t NextFreeNumber(const std::vector<std::int32_t>& used, std::int32_t floor);

// A number for a screen appended from an import: the highest LedNo in ScreenList
// (the imported screen, already appended, included; at least 1) plus 1.
std::int32_t NextScreenNo();

// The number of a new program: the count of the screen's programs plus 1.
std::int32_t NextProgramNo(const ScreenRecord& screen);

// The number of a new area: the highest AreaNo of the program plus 1; 1 for the first.
std::int32_t NextAreaNo(const ProgramRecord& program);
