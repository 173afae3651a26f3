// The program-model exports; the calls they forward to catch everything themselves.

#include "sdk/Corvanix.h"
#include "sdk/program_model.h"

KQ_API ProgramHandle KQ_CreateProgram(int32_t width, int32_t height, int32_t colorType,
                                      int32_t headerMode) {
  return CreateProgram(width, height, colorType, headerMode);
}

KQ_API int32_t KQ_AddProgram(ProgramHandle handle, int32_t number, int32_t playTime,
                             int32_t loopCount) {
  return AddProgram(handle, number, playTime, loopCount);
}

KQ_API int32_t KQ_SetProgramTime(ProgramHandle handle, int32_t number,
                                 const ProgramTimeInfo* time) {
  return SetProgramTime(handle, number, time);
}

KQ_API int32_t KQ_AddImageTextArea(ProgramHandle handle, int32_t program, int32_t area,
                                   const AreaRect* rect, int32_t layer) {
  return AddImageTextArea(handle, program, area, rect, layer);
}

KQ_API int32_t KQ_AddDigitalClockArea(ProgramHandle handle, int32_t program, int32_t area,
                                      const AreaRect* rect, const DigitalClockAreaInfo* info) {
  return AddDigitalClockArea(handle, program, area, rect, info);
}

KQ_API int32_t KQ_AddClockArea(ProgramHandle handle, int32_t program, int32_t area,
                               const AreaRect* rect, const ClockAreaInfo* info) {
  return AddClockArea(handle, program, area, rect, info);
}

KQ_API int32_t KQ_AddTimeArea(ProgramHandle handle, int32_t program, int32_t area,
                              const AreaRect* rect, const TimeAreaInfo* info) {
  return AddTimeArea(handle, program, area, rect, info);
}

KQ_API int32_t KQ_AddWaterBorder(ProgramHandle handle, int32_t program, int32_t area,
                                 const AreaRect* rect, const WaterBorderInfo* info) {
  return AddWaterBorder(handle, program, area, rect, info);
}

KQ_API int32_t KQ_AddImageTextAreaDataFromFile(ProgramHandle handle, int32_t program,
                                               int32_t area, const char16_t* path,
                                               const PageInfo* page) {
  return AddImageTextAreaDataFromFile(handle, program, area, path, page);
}

KQ_API int32_t KQ_DeleteProgram(ProgramHandle handle) { return DeleteProgram(handle); }
