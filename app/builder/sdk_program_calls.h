#pragma once
// The controller library's calls that build a program set, reached through one table
// so that a test can put a recorder in front of them, and the owner of a set.

#include <cstdint>
#include <memory>

#include "sdk/Corvanix.h"

struct SdkProgramCalls {
  ProgramHandle (*CreateProgram)(std::int32_t width, std::int32_t height, std::int32_t colorType,
                                 std::int32_t headerMode);
  std::int32_t (*AddProgram)(ProgramHandle, std::int32_t number, std::int32_t playTime,
                             std::int32_t loopCount);
  std::int32_t (*SetProgramTime)(ProgramHandle, std::int32_t number, const ProgramTimeInfo*);
  std::int32_t (*AddWaterBorder)(ProgramHandle, std::int32_t program, std::int32_t area,
                                 const AreaRect*, const WaterBorderInfo*);
  std::int32_t (*AddImageTextArea)(ProgramHandle, std::int32_t program, std::int32_t area,
                                   const AreaRect*, std::int32_t layer);
  std::int32_t (*AddImageTextAreaDataFromFile)(ProgramHandle, std::int32_t program,
                                               std::int32_t area, const char16_t* path,
                                               const PageInfo*);
  std::int32_t (*AddDigitalClockArea)(ProgramHandle, std::int32_t program, std::int32_t area,
                                      const AreaRect*, const DigitalClockAreaInfo*);
  std::int32_t (*AddClockArea)(ProgramHandle, std::int32_t program, std::int32_t area,
                               const AreaRect*, const ClockAreaInfo*);
  std::int32_t (*AddTimeArea)(ProgramHandle, std::int32_t program, std::int32_t area,
                              const AreaRect*, const TimeAreaInfo*);
};

// The KQ_ functions of libcorvanix.so.
extern const SdkProgramCalls kCorvanixProgramCalls;

// Frees a program set with KQ_DeleteProgram.
struct ProgramSetDeleter {
  void operator()(ProgramSetTag* handle) const;
};
using OwnedProgramSet = std::unique_ptr<ProgramSetTag, ProgramSetDeleter>;
