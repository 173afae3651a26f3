#pragma once
// The live program sets and their handles. A handle is an id that is never issued
// twice, so a handle used after KQ_DeleteProgram is recognised as dead, never taken
// for a newer set. Sets are shared: one that a send holds outlives its deletion
// until the send lets go of it.

#include <memory>

#include "sdk/Corvanix.h"
#include "sdk/program/program_set.h"

// Registers the set and returns its new handle; null when memory runs out.
ProgramHandle RegisterProgramSet(std::shared_ptr<ProgramSet> set);

// The live set of a handle; null for null, 0xCCCCCCCC, unknown and deleted handles.
std::shared_ptr<ProgramSet> FindProgramSet(ProgramHandle handle);

// Forgets the handle. False when it was not live.
[[nodiscard]] bool ReleaseProgramHandle(ProgramHandle handle);
