/* A plain C host without any Qt application: the public header compiles as C11, the
 * shared library loads and answers, also for programs, and it draws clocks and
 * countdowns with the same bits as inside a GUI application. argv[1] names the
 * companion program that makes the GUI application's display data and compares. */
#define _POSIX_C_SOURCE 200809L

#include <locale.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "sdk/Corvanix.h"
#include "tests/sdk/api/clock_program.h"

extern char** environ;

/* Where the display data lands under a USB root, and what the library creates
 * there, in the order to remove it. */
static const char* const kDisplayDataFile = "marvane/KQ-W/kq_disp_dat.usb";
static const char* const kUsbEntries[] = {"marvane/KQ-W/kq_disp_dat.usb",
                                          "marvane/KQ-P/kq_disp_dat.usb", "marvane/KQ-W",
                                          "marvane/KQ-P", "marvane"};

static void RemoveUsbFiles(const char* root) {
  char path[512];
  size_t index;
  for (index = 0; index < sizeof kUsbEntries / sizeof kUsbEntries[0]; ++index) {
    snprintf(path, sizeof path, "%s/%s", root, kUsbEntries[index]);
    remove(path);
  }
  remove(root);
}

/* Runs the companion on the file; its exit status, or -1. */
static int RunCompanion(const char* companion, const char* file) {
  char* const arguments[] = {(char*)companion, (char*)file, NULL};
  pid_t child;
  int status;
  if (posix_spawn(&child, companion, NULL, NULL, arguments, environ) != 0) return -1;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

/* Generates clocks and a countdown with no Qt application in the process, leaving the
 * host's locale as it was, and has the companion compare the bytes. */
static int CheckClocks(const char* companion) {
  char root[] = "/tmp/corvanix-c-host-XXXXXX";
  char file[512];
  char locale[256];
  ProgramHandle program;
  int32_t generated;
  int32_t written;
  int agreed;
  if (mkdtemp(root) == NULL) {
    fprintf(stderr, "no temporary folder\n");
    return 1;
  }
  snprintf(locale, sizeof locale, "%s", setlocale(LC_ALL, NULL));
  program = BuildClockProgram();
  generated = program ? KQ_GenerateProgramData(program) : KQ_ERR_BAD_HANDLE;
  written = program ? WriteDisplayData(program, root) : KQ_ERR_BAD_HANDLE;
  if (program) KQ_DeleteProgram(program);
  snprintf(file, sizeof file, "%s/%s", root, kDisplayDataFile);
  agreed = generated == KQ_OK && written == KQ_OK && RunCompanion(companion, file) == 0;
  RemoveUsbFiles(root);
  if (generated != KQ_OK || written != KQ_OK) {
    fprintf(stderr, "clocks without a Qt application: generated %d, written %d\n", (int)generated,
            (int)written);
    return 1;
  }
  if (strcmp(locale, setlocale(LC_ALL, NULL)) != 0) {
    fprintf(stderr, "the host's locale changed from %s\n", locale);
    return 1;
  }
  if (!agreed) {
    fprintf(stderr, "clocks differ from those of a GUI application\n");
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <companion program>\n", argv[0]);
    return 2;
  }
  CommInfo info = {0};
  info.SendType = KQ_SEND_NONE;
  info.IpAddress[0] = u'1';
  if (sizeof info != 592 || KQ_ERR_CONNECT != -100) {
    fprintf(stderr, "CommInfo layout or codes differ from the library's\n");
    return 1;
  }
  KQ_GetError(0, 0, 0);
  {
    LedSettingInfo record = {0};
    record.SectionMask = 0x008;
    if (KQ_AdjustTime(&info) != KQ_OK || KQ_GetLedSettingInfo(&info, &record) != KQ_ERR_SEND_TYPE) {
      fprintf(stderr, "device calls without a link answered wrongly\n");
      return 1;
    }
  }
  {
    const AreaRect rect = {0, 0, 64, 32};
    ProgramHandle program = KQ_CreateProgram(64, 32, 1, 0);
    if (!program || KQ_AddProgram(program, 1, 0, 1) != KQ_OK ||
        KQ_AddImageTextArea(program, 1, 1, &rect, 1) != KQ_OK) {
      fprintf(stderr, "a program could not be built\n");
      return 1;
    }
    if (KQ_Send(&info, program) != KQ_OK || KQ_MultiSend(&info, &program, NULL, 1) != KQ_OK) {
      fprintf(stderr, "sending a program without a link answered wrongly\n");
      return 1;
    }
    if (KQ_DeleteProgram(program) != 1 || KQ_DeleteProgram(program) != KQ_ERR_BAD_HANDLE) {
      fprintf(stderr, "deleting a program answered wrongly\n");
      return 1;
    }
  }
  return CheckClocks(argv[1]);
}
