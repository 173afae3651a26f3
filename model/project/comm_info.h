/*
 * How one card is reached and where its messages go: the SDK's communication record.
 * The main program fills its transport part from a screen of the model
 * (MakeCommInfo) and the SDK reads it, so the byte layout is fixed and pinned below.
 * The SDK's public header includes this one. This header compiles as C11 and as C++.
 */
#ifndef QUENDRA_MODEL_PROJECT_COMM_INFO_H
#define QUENDRA_MODEL_PROJECT_COMM_INFO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define KQ_RECORD_ASSERT static_assert
#else
#include <uchar.h>
#define KQ_RECORD_ASSERT _Static_assert
#endif

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

KQ_RECORD_ASSERT(sizeof(char16_t) == 2, "UTF-16 text needs 2-byte units");
KQ_RECORD_ASSERT(offsetof(CommInfo, IpAddress) == 4, "CommInfo layout");
KQ_RECORD_ASSERT(offsetof(CommInfo, ComPort) == 36, "CommInfo layout");
KQ_RECORD_ASSERT(offsetof(CommInfo, UsbRoot) == 44, "CommInfo layout");
KQ_RECORD_ASSERT(offsetof(CommInfo, CardAddress) == 564, "CommInfo layout");
KQ_RECORD_ASSERT(offsetof(CommInfo, NotifyWindow) == 568, "CommInfo layout");
KQ_RECORD_ASSERT(offsetof(CommInfo, CallerValue) == 584, "CommInfo layout");
KQ_RECORD_ASSERT(sizeof(CommInfo) == 592, "CommInfo layout");

#undef KQ_RECORD_ASSERT

#endif /* QUENDRA_MODEL_PROJECT_COMM_INFO_H */
