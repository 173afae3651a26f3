#pragma once
// Turns a screen's programs and areas into one program set of the controller library,
// ready to be sent: CollectCheckedPrograms chooses the programs, BuildScreenProgram
// makes the library calls. The frame files of text, table and flash content must be
// current before BuildScreenProgram runs (RerenderScreenContent renders stale ones).

#include <cstdint>

#include "app/builder/sdk_program_calls.h"
#include "model/project/send_job.h"

class ProjectTreeItems;

// The card's code of each entry of the 40-entry effect list.
std::int32_t SdkEffectCode(std::int32_t entry);
// The library's speed value of a speed setting.
std::int32_t SdkSpeedValue(std::int32_t setting);
// Both take a value outside their list as the list's nearest end, since the values
// come from project files.

// The effect code of content that plays as recorded frames (flash words, GIFs,
// flash backgrounds), used without the effect list.
constexpr std::int32_t kRecordedFramesEffect = 93;

// The builder's own refusal, apart from the library's codes and the cards': the frame
// file of a rich-text page (a single line, or an image-text page other than a table)
// reaches the page limit (ReachesTextPageLimit), so its text was cut there. The page
// is added all the same, and the card shows the pages up to the limit.
constexpr std::int32_t kRefusalTextPageLimit = -200;

// Fills job with the screen and, in model order, each of its programs that is checked
// (CheckState non-zero) or every program when all is set, each with all its areas,
// also when it has none. What the job held before is dropped. The model is the
// tree's order and its check boxes, so the tree is not read.
void CollectCheckedPrograms(ScreenRecord& screen, const ProjectTreeItems& tree, ScreenSendJob& job,
                            bool all);

// Creates a program set for the job's screen (KQ_CreateProgram with headerMode, 0 for
// programs, 2 for a boot logo) and adds the job's checked programs, numbered from 2,
// each with its border as area 1 and its areas numbered from 2 (border, content and
// background of an area each take a number). Every call is made even when an
// earlier one was refused, so the set holds whatever the library took; firstRefusal,
// when given, receives the first non-zero result of the calls after KQ_CreateProgram
// (0 when every call succeeded), which callers report as a failure even when the
// send succeeds. A frame-file name that is not a GUID text counts as
// KQ_ERR_PAGE_NOT_FOUND without a call; a text page at the page limit counts as
// kRefusalTextPageLimit after its call. Returns null (and KQ_ERR_BAD_HANDLE) when the
// job has no screen or the library creates no set.
[[nodiscard]] OwnedProgramSet BuildScreenProgram(
    const ScreenSendJob& job, std::int32_t headerMode, std::int32_t* firstRefusal = nullptr,
    const SdkProgramCalls& calls = kCorvanixProgramCalls);
