#pragma once
// The check a job passes before it is sent: a job that cannot make a valid card
// program is refused, and the caller shows why (texts 1063-1066 of
// IDD_QUENDRA_DIALOG for -1 to -4) and sends nothing.

#include <cstdint>

#include "model/project/send_job.h"

enum SendCheck : std::int32_t {
  kSendCheckOk = 0,
  kSendCheckOverlap = -1,       // two areas of one program overlap
  kSendCheckNoItems = -2,       // an image-text, flash-word or files area has no item
  kSendCheckNoProgram = -3,     // the job has no program
  kSendCheckEmptyProgram = -4,  // a program has no area
};

// The first failure found: -3 for an empty job; then program by program, -4 for one
// without areas, and area by area -1 when the area overlaps a later area of its
// program (right and bottom edges excluded, so areas that only touch pass) before -2
// when it needs items and has none. 0 when nothing fails.
[[nodiscard]] std::int32_t CheckProgramsBeforeSend(const ScreenSendJob& job);

// The key of IDD_QUENDRA_DIALOG that says why a check failed (-1 to -4: 1063-1066).
int SendCheckTextKey(std::int32_t check);
