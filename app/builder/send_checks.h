#pragma once
// The check a job passes before it is sent: a job that cannot make a valid card
// program is refused, and the caller shows why (SendCheckMessage) and sends nothing.

#include <QString>

#include <cstdint>

#include "model/project/send_job.h"

enum SendCheck : std::int32_t {
  kSendCheckOk = 0,
  kSendCheckOverlap = -1,       // two areas of one program overlap
  kSendCheckNoItems = -2,       // an image-text, flash-word or files area has no item
  kSendCheckNoProgram = -3,     // the job has no program
  kSendCheckEmptyProgram = -4,  // a program has no area
  // A page's file that cannot become display data (CheckPageFiles):
  kSendCheckFileUnreadable = -5,   // missing, not a regular file, or not readable
  kSendCheckWrongContent = -6,     // holds no picture that can be decoded
  kSendCheckUnsupportedKind = -7,  // of a kind the card cannot show (not a picture or GIF)
  kSendCheckNoMovie = -8,          // a built-in background's movie or template is missing
};

// What failed and where: the program and area (null for the whole job or program)
// and, for the page checks, the file.
struct SendCheckResult {
  std::int32_t code = kSendCheckOk;
  const ProgramRecord* program = nullptr;
  const AreaRecord* area = nullptr;
  QString file;
};

// The first failure found: -3 for an empty job; then program by program, -4 for one
// without areas, and area by area -1 when the area overlaps a later area of its
// program (right and bottom edges excluded, so areas that only touch pass), -2 when
// it needs items and has none, then the checks of its page files (CheckPageFiles).
[[nodiscard]] SendCheckResult CheckJobBeforeSend(const ScreenSendJob& job);
// The code of CheckJobBeforeSend.
[[nodiscard]] std::int32_t CheckProgramsBeforeSend(const ScreenSendJob& job);

// The first page file of the job, in program, area and page order, that the card's
// page generators would refuse: the picture pages of image-text areas, the files of
// files areas and the pictures and GIFs of backgrounds in use must be pictures or
// GIFs (by name, else -7) that are readable (-5) and decode (-6); a background of
// another kind gives -7; a built-in background needs its movie and the parameter
// template under Data/flashback (-8), from which its frames are recorded.
[[nodiscard]] SendCheckResult CheckPageFiles(const ScreenSendJob& job);

// The text the user sees for a failed check: the text of its key of
// IDD_QUENDRA_DIALOG (-1 to -4: 1063-1066, -5 to -8: 4101-4104), and for a page
// file a line of the screen's, program's and area's names (text 4105) and a line
// naming the file (under the program folder by its path there, else by its name).
QString SendCheckMessage(const ScreenSendJob& job, const SendCheckResult& result);
