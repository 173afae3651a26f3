#include "app/builder/sdk_program_calls.h"

const SdkProgramCalls kCorvanixProgramCalls{
    &KQ_CreateProgram,       &KQ_AddProgram,       &KQ_SetProgramTime,
    &KQ_AddWaterBorder,      &KQ_AddImageTextArea, &KQ_AddImageTextAreaDataFromFile,
    &KQ_AddDigitalClockArea, &KQ_AddClockArea,     &KQ_AddTimeArea,
};

void ProgramSetDeleter::operator()(ProgramSetTag* handle) const {
  // Returns 1, or -1 for a handle that is no live set: nothing is left to free then.
  (void)KQ_DeleteProgram(handle);
}
