/* A plain C host without any Qt application: the public header compiles as C11 and
 * the shared library loads and answers, also for programs. */
#include <stdio.h>

#include "sdk/Corvanix.h"

int main(void) {
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
  return 0;
}
