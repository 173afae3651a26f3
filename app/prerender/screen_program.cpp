#include "app/prerender/screen_program.h"

#include "app/prerender/flash_converter.h"
#include "render/rerender/content_rerender.h"

OwnedProgramSet PrepareScreenProgram(const ScreenSendJob& job, std::int32_t* firstRefusal) {
  RerenderScreenContent(job);
  CFlashConverter converter;
  static_cast<void>(converter.PrepareScreen(job));  // always 1: recorders that cannot start go
  static_cast<void>(converter.WaitUntilDone());     // always 1, once every recorder has ended
  return BuildScreenProgram(job, 0, firstRefusal);
}
