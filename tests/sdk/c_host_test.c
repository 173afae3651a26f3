/* A plain C host without any Qt application: the public header compiles as C11 and
 * the shared library loads and answers. */
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
  return 0;
}
