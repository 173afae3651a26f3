/* Corvanix: the controller library's public interface, usable from C11 and C++.
 *
 * Records passed in belong to the caller and are read during the call only. Wide
 * text is UTF-16 (char16_t); a field of capacity N holds at most N-1 units and is
 * read only within its capacity, so a missing terminator is harmless.
 *
 * Calls that talk to a card block the calling thread while a worker does the I/O;
 * meanwhile the calling thread's messages are dispatched, so its windows and timers
 * stay alive and the messages the library posts arrive during the call. No call
 * throws; each returns one of the codes below, or a card's own result code (an
 * unsigned value greater than 1, returned as it stands). */
#ifndef CORVANIX_H
#define CORVANIX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include <cstdint>
#else
#include <uchar.h>
#endif

#ifdef __cplusplus
#define KQ_EXTERN_C extern "C"
#else
#define KQ_EXTERN_C
#endif

#define KQ_API KQ_EXTERN_C __attribute__((visibility("default")))

/* A window of the messaging layer, opaque here. */
struct WindowHandleTag;

/* Send types of CommInfo. */
enum {
  KQ_SEND_TCP = 0,    /* TCP to the card's address, port 10000 */
  KQ_SEND_UDP = 1,    /* UDP broadcast on every local IPv4 interface, port 9999 */
  KQ_SEND_SERIAL = 2, /* serial line COM n */
  KQ_SEND_USB = 3,    /* files on a USB disk that the card reads later */
  KQ_SEND_NONE = 4    /* no link: every device call succeeds and does nothing */
};

/* Return codes. 0 is success; the card's own results (greater than 1, unsigned)
 * are passed through beside these. */
enum {
  KQ_OK = 0,
  KQ_ERR_BAD_HANDLE = -1,
  KQ_ERR_PROGRAM_EXISTS = -2,
  KQ_ERR_NO_PROGRAM = -3,
  KQ_ERR_NO_AREA = -4,
  KQ_ERR_SOCKET = -5,
  KQ_ERR_BAD_REPLY = -6,
  KQ_ERR_PAGE_KIND = -7,
  KQ_ERR_ADDRESS_TEXT = -8,
  KQ_ERR_BAUD_RATE = -9,
  KQ_ERR_PAGE_NOT_FOUND = -10,
  KQ_ERR_AREA_OVERLAP = -11,
  KQ_ERR_FILE = -12,
  KQ_ERR_FRAME_MAGIC = -13,
  KQ_ERR_AREA_EXISTS = -14,
  KQ_ERR_SEND_TYPE = -15,
  KQ_ERR_DRAW = -16,
  KQ_ERR_USB_FOLDER = -17,
  KQ_ERR_SERIAL_OPEN = -30,
  KQ_ERR_SERIAL_TIMEOUTS = -31,
  KQ_ERR_SERIAL_BUFFERS = -32,
  KQ_ERR_SERIAL_WRITE = -33,
  KQ_ERR_SERIAL_READ = -34,
  KQ_ERR_SERIAL_STATE = -35,
  KQ_ERR_SERIAL_NO_REPLY = -36,
  KQ_ERR_NOT_SERVED = -37,
  KQ_ERR_CONNECT = -100,
  KQ_ERR_SEND = -101,
  KQ_ERR_NO_REPLY = -102,
  KQ_ERR_BIND = -103,
  KQ_ERR_NO_LOCAL_ADDRESS = -104,
  KQ_STATUS_SENDING = -1000,
  KQ_STATUS_GENERATING = -1001
};

/* How one card is reached and where its messages go; filled by the caller, never
 * written by the library. Progress posts (ProgressMessage, CallerValue, percent)
 * go to NotifyWindow after each acknowledged chunk; NULL means no messages. */
typedef struct CommInfo {
  int32_t SendType;       /* KQ_SEND_* */
  char16_t IpAddress[16]; /* dotted IPv4 text (TCP) */
  int32_t ComPort;        /* n of COM n (serial) */
  int32_t BaudRate;       /* bits per second (serial) */
  char16_t UsbRoot[260];  /* folder for the USB files, "\" or "/" separators */
  int32_t CardAddress;    /* low byte goes into every frame */
  struct WindowHandleTag* NotifyWindow;
  uint32_t StatusMessage;   /* job status and final results; 0 none */
  uint32_t ProgressMessage; /* per-chunk progress */
  int32_t CallerValue;      /* comes back as wParam */
} CommInfo;

#ifdef __cplusplus
#define KQ_STATIC_ASSERT static_assert
#else
#define KQ_STATIC_ASSERT _Static_assert
#endif
KQ_STATIC_ASSERT(sizeof(char16_t) == 2, "UTF-16 text needs 2-byte units");
KQ_STATIC_ASSERT(offsetof(CommInfo, IpAddress) == 4, "CommInfo layout");
KQ_STATIC_ASSERT(offsetof(CommInfo, ComPort) == 36, "CommInfo layout");
KQ_STATIC_ASSERT(offsetof(CommInfo, UsbRoot) == 44, "CommInfo layout");
KQ_STATIC_ASSERT(offsetof(CommInfo, CardAddress) == 564, "CommInfo layout");
KQ_STATIC_ASSERT(offsetof(CommInfo, NotifyWindow) == 568, "CommInfo layout");
KQ_STATIC_ASSERT(offsetof(CommInfo, CallerValue) == 584, "CommInfo layout");
KQ_STATIC_ASSERT(sizeof(CommInfo) == 592, "CommInfo layout");

/* Has no effect and no defined result; kept for callers that link it. */
KQ_API void KQ_GetError(int32_t first, int32_t second, int32_t third);

#endif /* CORVANIX_H */
