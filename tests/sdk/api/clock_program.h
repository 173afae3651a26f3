/* The program set both sides of the C host test build: a digital clock, an analog
 * clock and a countdown, with Latin and Chinese text. Compiles as C11 and as C++. */
#ifndef QUENDRA_TESTS_SDK_API_CLOCK_PROGRAM_H
#define QUENDRA_TESTS_SDK_API_CLOCK_PROGRAM_H

#include "sdk/Corvanix.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The set, or NULL when a call refused it. */
ProgramHandle BuildClockProgram(void);

/* Generates the set's display data and writes it as USB files under the folder (ASCII
 * path), where it lands as <folder>/marvane/KQ-W/kq_disp_dat.usb. Returns the send's
 * code. */
int32_t WriteDisplayData(ProgramHandle program, const char* folder);

#ifdef __cplusplus
}
#endif

#endif
