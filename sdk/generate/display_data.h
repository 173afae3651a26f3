#pragma once
// The display data of a program set: the one byte image a card stores and plays.

#include <cstdint>
#include <memory>
#include <vector>

#include "sdk/Corvanix.h"

// What a send transmits: the display data of one generation. It stays valid however
// the set is changed, generated again or deleted meanwhile.
using DisplaySnapshot = std::shared_ptr<const std::vector<std::uint8_t>>;

// Generates the set's display data when it is dirty (as KQ_GenerateProgramData) and
// gives the data of that generation. Returns 0 or the generation's code; snapshot
// is set only on 0.
[[nodiscard]] int SnapshotDisplayData(ProgramHandle handle, DisplaySnapshot& snapshot);
