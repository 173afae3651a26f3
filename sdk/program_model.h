#pragma once
// The program-model calls behind the KQ_ exports of the same names (Corvanix.h
// gives each one's codes). None throws; running out of memory gives KQ_ERR_FILE
// (or a null handle) and leaves the set as it was.

#include <cstdint>

#include "sdk/Corvanix.h"

ProgramHandle CreateProgram(std::int32_t width, std::int32_t height, std::int32_t colorType,
                            std::int32_t headerMode);
int AddProgram(ProgramHandle handle, std::int32_t number, std::int32_t playTime,
               std::int32_t loopCount);
int SetProgramTime(ProgramHandle handle, std::int32_t number, const ProgramTimeInfo* time);
int AddImageTextArea(ProgramHandle handle, std::int32_t program, std::int32_t area,
                     const AreaRect* rect, std::int32_t layer);
int AddDigitalClockArea(ProgramHandle handle, std::int32_t program, std::int32_t area,
                        const AreaRect* rect, const DigitalClockAreaInfo* info);
int AddClockArea(ProgramHandle handle, std::int32_t program, std::int32_t area,
                 const AreaRect* rect, const ClockAreaInfo* info);
int AddTimeArea(ProgramHandle handle, std::int32_t program, std::int32_t area,
                const AreaRect* rect, const TimeAreaInfo* info);
int AddWaterBorder(ProgramHandle handle, std::int32_t program, std::int32_t area,
                   const AreaRect* rect, const WaterBorderInfo* info);
int AddImageTextAreaDataFromFile(ProgramHandle handle, std::int32_t program,
                                 std::int32_t area, const char16_t* path,
                                 const PageInfo* page);
int DeleteProgram(ProgramHandle handle);
