/* Corvanix: the controller library's public interface, usable from C11 and C++.
 *
 * Records passed in belong to the caller and are read during the call only. Wide
 * text is UTF-16 (char16_t); a field of capacity N holds at most N-1 units and is
 * read only within its capacity, so a missing terminator is harmless.
 *
 * Calls that talk to a card block the calling thread while a worker does the I/O;
 * meanwhile the calling thread's messages are dispatched, so its windows and timers
 * stay alive and the messages the library posts arrive during the call. No call
 * throws; each returns one of the library's codes below (KQ_OK or KQ_ERR_...), or a
 * card's own result code: a value from 2 to INT32_MAX, returned as it stands. A
 * card's result word that does not fit a positive int is no valid acknowledgement
 * and gives KQ_ERR_BAD_REPLY, so a card can never pose as one of the library's
 * codes. Running out of memory, or a worker thread that cannot start, gives
 * KQ_ERR_FILE. */
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

/* How one card is reached (CommInfo and its send types KQ_SEND_*): the main program's
 * model fills it from a screen, so the record belongs to the model's headers. */
#include "model/project/comm_info.h"

/* The library's own codes, the only ones it defines. KQ_OK is success (except for
 * KQ_DeleteProgram, which returns 1); the card's own results (2 to INT32_MAX) are
 * passed through beside these. */
enum {
  KQ_OK = 0,
  KQ_ERR_BAD_HANDLE = -1,         /* program handle not valid (also a NULL list or count) */
  KQ_ERR_PROGRAM_EXISTS = -2,     /* program number already in the set */
  KQ_ERR_NO_PROGRAM = -3,         /* program number not in the set */
  KQ_ERR_NO_AREA = -4,            /* image-text area number not in the program */
  KQ_ERR_SOCKET = -5,             /* socket could not be created or configured */
  KQ_ERR_BAD_REPLY = -6,          /* reply not valid: too short, wrong first word or result */
  KQ_ERR_PAGE_KIND = -7,          /* page file of a kind that is not supported */
  KQ_ERR_ADDRESS_TEXT = -8,       /* address or MAC text not valid */
  KQ_ERR_BAUD_RATE = -9,          /* baud rate without a card code */
  KQ_ERR_PAGE_NOT_FOUND = -10,    /* page file not found */
  KQ_ERR_AREA_OVERLAP = -11,      /* rectangle meets an area of the same layer */
  KQ_ERR_FILE = -12,              /* file not opened, created or written; or no memory */
  KQ_ERR_FRAME_MAGIC = -13,       /* frame file not one, or not matching its area */
  KQ_ERR_AREA_EXISTS = -14,       /* area number already in the program */
  KQ_ERR_SEND_TYPE = -15,         /* SendType not known here, or no CommInfo */
  KQ_ERR_DRAW = -16,              /* a page or clock could not be drawn */
  KQ_ERR_USB_FOLDER = -17,        /* folder on the USB disk could not be created */
  KQ_ERR_BAD_SIZE = -18,          /* rectangle, count or size the card's data cannot hold */
  KQ_ERR_MISSING_RECORD = -19,    /* a record or path the call needs is NULL */
  KQ_ERR_SERIAL_OPEN = -30,       /* serial port missing, not a terminal, busy, or bad number */
  KQ_ERR_SERIAL_TIMEOUTS = -31,   /* kept for callers; not returned by this library */
  KQ_ERR_SERIAL_BUFFERS = -32,    /* kept for callers; not returned by this library */
  KQ_ERR_SERIAL_WRITE = -33,      /* serial write failed or was short */
  KQ_ERR_SERIAL_READ = -34,       /* serial read failed or was short */
  KQ_ERR_SERIAL_STATE = -35,      /* serial line settings could not be read or set */
  KQ_ERR_SERIAL_NO_REPLY = -36,   /* no complete reply on the serial line in time */
  KQ_ERR_NOT_SERVED = -37,        /* SendType not served by this multi-card call */
  KQ_ERR_CONNECT = -100,          /* TCP connection not made (or address text not valid) */
  KQ_ERR_SEND = -101,             /* sending a frame failed */
  KQ_ERR_NO_REPLY = -102,         /* no reply in time */
  KQ_ERR_BIND = -103,             /* UDP socket could not be bound */
  KQ_ERR_NO_LOCAL_ADDRESS = -104, /* the computer has no local IPv4 interface */
  KQ_STATUS_SENDING = -1000,      /* status message only: the job is sending */
  KQ_STATUS_GENERATING = -1001    /* status message only: the job is generating */
};

#ifdef __cplusplus
#define KQ_STATIC_ASSERT static_assert
#else
#define KQ_STATIC_ASSERT _Static_assert
#endif

/* Has no effect and no defined result; kept for callers that link it. */
KQ_API void KQ_GetError(int32_t first, int32_t second, int32_t third);

/* Programs and areas ------------------------------------------------------------
 *
 * A program set (ProgramHandle) holds numbered programs; a program holds numbered
 * areas; an image-text area holds pages read from files. Handles are checked
 * against the library's list of live handles: NULL, 0xCCCCCCCC, a deleted or an
 * unknown handle gives KQ_ERR_BAD_HANDLE. The records are read during the call
 * only; the settings records of clock, countdown and border areas are copied. A
 * failing call leaves the set as it was; besides the codes each call names, any of
 * them can give KQ_ERR_FILE when memory runs out. */

#include "model/project/area_records.h"

/* A program set, owned by the library from KQ_CreateProgram to KQ_DeleteProgram. */
typedef struct ProgramSetTag* ProgramHandle;

/* An area in screen pixels. Accepted when X, Y >= 0, Width, Height >= 1 and the
 * last column and row (X + Width - 1, Y + Height - 1) are at most 65535. */
typedef struct AreaRect {
  int32_t X;
  int32_t Y;
  int32_t Width;
  int32_t Height;
} AreaRect;

/* When a program plays. TimeFlags: bit 0 date range, bit 1 time range, bit 2
 * weekdays; WeekdayMask: bit 0 Sunday, bits 1-6 Monday to Saturday. The card gets
 * flags and mask as single bytes. */
typedef struct ProgramTimeInfo {
  int32_t TimeFlags;
  int32_t WeekdayMask;
  int32_t StartYear;
  int32_t StartMonth;
  int32_t StartDay;
  int32_t StartHour;
  int32_t StartMinute;
  int32_t StartSecond;
  int32_t EndYear;
  int32_t EndMonth;
  int32_t EndDay;
  int32_t EndHour;
  int32_t EndMinute;
  int32_t EndSecond;
} ProgramTimeInfo;

/* How a page shows: entry effect code, a value kept but not sent, speed, stay time
 * in seconds. */
typedef struct PageInfo {
  int32_t Effect;
  int32_t EffectParam;
  int32_t Speed;
  int32_t StayTime;
} PageInfo;

/* A pattern strip laid around a program's four sides. */
typedef struct WaterBorderInfo {
  int32_t Source;          /* 1: the strip comes from StripFile; else a built-in strip */
  int32_t StripFamily;     /* 0 the first built-in family, else the second */
  int32_t StripNumber;     /* index within the family */
  uint32_t StripColor;     /* 0x00BBGGRR replacing the strip's pure red pixels */
  int32_t Style;           /* passed to the card */
  int32_t BorderSpeed;     /* passed to the card */
  char16_t StripFile[260]; /* 24-bit bitmap 32 pixels wide (Source 1 only) */
} WaterBorderInfo;

KQ_STATIC_ASSERT(sizeof(AreaRect) == 16, "AreaRect layout");
KQ_STATIC_ASSERT(sizeof(ProgramTimeInfo) == 56, "ProgramTimeInfo layout");
KQ_STATIC_ASSERT(offsetof(ProgramTimeInfo, EndYear) == 32, "ProgramTimeInfo layout");
KQ_STATIC_ASSERT(sizeof(PageInfo) == 16, "PageInfo layout");
KQ_STATIC_ASSERT(offsetof(WaterBorderInfo, StripFile) == 24, "WaterBorderInfo layout");
KQ_STATIC_ASSERT(sizeof(WaterBorderInfo) == 544, "WaterBorderInfo layout");

/* A new, empty program set for a screen of width x height pixels (1-65535 each) with
 * colorType colour planes (1 red, 2 red and green, 3 red, green and blue). Header
 * mode 0 is for programs, 2 for a boot logo, 1 another form. Returns NULL when a
 * size or the colour type is out of range or memory runs out. */
KQ_API ProgramHandle KQ_CreateProgram(int32_t width, int32_t height, int32_t colorType,
                                      int32_t headerMode);

/* Appends program `number`. playTime in seconds (0: by loopCount); both reach the
 * card as they are. Returns KQ_OK, KQ_ERR_BAD_HANDLE, or KQ_ERR_PROGRAM_EXISTS when
 * the number is in the set. */
KQ_API int32_t KQ_AddProgram(ProgramHandle handle, int32_t number, int32_t playTime,
                             int32_t loopCount);

/* Copies the schedule into program `number`. Returns KQ_OK, KQ_ERR_BAD_HANDLE,
 * KQ_ERR_NO_PROGRAM, or KQ_ERR_MISSING_RECORD when time is NULL. */
KQ_API int32_t KQ_SetProgramTime(ProgramHandle handle, int32_t number, const ProgramTimeInfo* time);

/* Appends an image-text area on `layer` (1 content, 0 background). Returns KQ_OK,
 * KQ_ERR_BAD_HANDLE, KQ_ERR_MISSING_RECORD (rect NULL), KQ_ERR_BAD_SIZE (rectangle
 * not accepted), KQ_ERR_NO_PROGRAM, KQ_ERR_AREA_EXISTS (the area number is in the
 * program), or KQ_ERR_AREA_OVERLAP (the rectangle meets an area of the same layer,
 * borders excepted; areas that share only their last column or row pass). */
KQ_API int32_t KQ_AddImageTextArea(ProgramHandle handle, int32_t program, int32_t area,
                                   const AreaRect* rect, int32_t layer);

/* Append a clock, analog clock or countdown area on layer 1 with a copy of its
 * settings; codes as for KQ_AddImageTextArea, KQ_ERR_MISSING_RECORD also for NULL
 * settings. */
KQ_API int32_t KQ_AddDigitalClockArea(ProgramHandle handle, int32_t program, int32_t area,
                                      const AreaRect* rect, const DigitalClockAreaInfo* info);
KQ_API int32_t KQ_AddClockArea(ProgramHandle handle, int32_t program, int32_t area,
                               const AreaRect* rect, const ClockAreaInfo* info);
KQ_API int32_t KQ_AddTimeArea(ProgramHandle handle, int32_t program, int32_t area,
                              const AreaRect* rect, const TimeAreaInfo* info);

/* Appends a border strip area; it may overlap anything and nothing is tested
 * against it. Codes as for KQ_AddDigitalClockArea without KQ_ERR_AREA_OVERLAP. */
KQ_API int32_t KQ_AddWaterBorder(ProgramHandle handle, int32_t program, int32_t area,
                                 const AreaRect* rect, const WaterBorderInfo* info);

/* Appends a page to image-text area `area`. The kind comes from the extension (pak,
 * rtf, txt, bmp, jpg, jpeg, png, tif, tiff, gif, any case). Returns KQ_OK,
 * KQ_ERR_BAD_HANDLE, KQ_ERR_MISSING_RECORD (path or page NULL), KQ_ERR_NO_PROGRAM,
 * KQ_ERR_NO_AREA (no such image-text area), KQ_ERR_PAGE_KIND (kind not known,
 * decided before the file is looked for) or KQ_ERR_PAGE_NOT_FOUND. A frame file
 * that cannot be read is reported when the display data is generated. */
KQ_API int32_t KQ_AddImageTextAreaDataFromFile(ProgramHandle handle, int32_t program, int32_t area,
                                               const char16_t* path, const PageInfo* page);

/* Frees the set. A send that still uses it keeps it until the send ends. Returns 1,
 * or KQ_ERR_BAD_HANDLE (also when deleted before). */
KQ_API int32_t KQ_DeleteProgram(ProgramHandle handle);

/* Card settings and device commands */

/* Timed screen on and off: one element per slot; a slot is used when its SlotEnable
 * is non-zero. */
typedef struct TimeOnOffInfo {
  int32_t SlotEnable[3];
  int32_t OnHour[3];
  int32_t OnMinute[3];
  int32_t OffHour[3];
  int32_t OffMinute[3];
} TimeOnOffInfo;

/* Brightness schedule: one element per slot, levels 0-15. */
typedef struct TimeBrightnessInfo {
  int32_t SlotEnable[3];
  int32_t StartHour[3];
  int32_t StartMinute[3];
  int32_t EndHour[3];
  int32_t EndMinute[3];
  int32_t Level[3];
} TimeBrightnessInfo;

/* The five scan values, sent as scan bytes 0, 1, 2, 6 and 7. */
typedef struct ScanLineInfo {
  int32_t ScanByte0;
  int32_t ScanByte1;
  int32_t ScanByte2;
  int32_t ScanByte6;
  int32_t ScanByte7;
} ScanLineInfo;

/* The leading fields of both settings records, from SectionMask to NewMacAddress. */
#define KQ_CARD_SETTING_FIELDS                                                 \
  int32_t SectionMask;                                                         \
  char16_t CardName[16];                                                       \
  int32_t BaudRate, SerialByte1, SerialByte2;                                  \
  int32_t Width, Height, ColorType;                                            \
  int32_t OePolarity, DaPolarity, OeDaByte2, OeDaByte3;                        \
  int32_t ScanByte0, ScanByte1, ScanReserved, ScanByte2, ScanByte6, ScanByte7; \
  char16_t IpAddress[16], SubnetMask[16], Gateway[16], MacAddress[18];         \
  int32_t NetValue1, NetValue2;                                                \
  char16_t ServerIp[16];                                                       \
  int32_t ServerPort, ServerByte6, ServerByte9, ServerByte8;                   \
  char16_t NewIpAddress[16], NewSubnetMask[16], NewGateway[16], NewMacAddress[18]

/* One card's parameters as the single-card calls read and write them. SectionMask
 * holds the bits of the command in use (settings, read or communication meanings).
 * Address texts are dotted decimal; MAC texts six hexadecimal parts joined by "-". */
typedef struct LedSettingInfo {
  KQ_CARD_SETTING_FIELDS;
  int32_t Brightness;
  int32_t TimeYear, TimeMonth, TimeDay, TimeHour, TimeMinute, TimeSecond;
  int32_t LockOn, LockYear, LockMonth, LockDay, LockHour, LockMinute, LockSecond;
  int32_t Language;
  uint8_t ScanTable[256];
  int32_t LogoFlagA, LogoFlagB;
} LedSettingInfo;

/* The settings written to many cards at once: the fields of LedSettingInfo up to
 * NewMacAddress, then the sections that call adds. BrightnessMode 0 sends the fixed
 * Brightness, any other value the TimeBrightness schedule. */
typedef struct LedAllSettingInfo {
  KQ_CARD_SETTING_FIELDS;
  int32_t BrightnessMode, Brightness, PowerValue, TestValue;
  int32_t TimeYear, TimeMonth, TimeDay, TimeHour, TimeMinute, TimeSecond;
  int32_t LockOn, LockYear, LockMonth, LockDay, LockHour, LockMinute, LockSecond;
  int32_t Language;
  uint8_t ScanTable[256];
  TimeOnOffInfo TimeOnOff;
  TimeBrightnessInfo TimeBrightness;
  int32_t LogoFlagA, LogoFlagB;
} LedAllSettingInfo;

KQ_STATIC_ASSERT(sizeof(TimeOnOffInfo) == 60, "TimeOnOffInfo layout");
KQ_STATIC_ASSERT(sizeof(TimeBrightnessInfo) == 72, "TimeBrightnessInfo layout");
KQ_STATIC_ASSERT(sizeof(ScanLineInfo) == 20, "ScanLineInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, BaudRate) == 36, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, ScanByte2) == 88, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, IpAddress) == 100, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, NetValue1) == 232, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, ServerPort) == 272, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, NewIpAddress) == 288, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, Brightness) == 420, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, LockOn) == 448, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedSettingInfo, ScanTable) == 480, "LedSettingInfo layout");
KQ_STATIC_ASSERT(sizeof(LedSettingInfo) == 744, "LedSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedAllSettingInfo, BrightnessMode) == 420, "LedAllSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedAllSettingInfo, TimeYear) == 436, "LedAllSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedAllSettingInfo, ScanTable) == 492, "LedAllSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedAllSettingInfo, TimeOnOff) == 748, "LedAllSettingInfo layout");
KQ_STATIC_ASSERT(offsetof(LedAllSettingInfo, TimeBrightness) == 808, "LedAllSettingInfo layout");
KQ_STATIC_ASSERT(sizeof(LedAllSettingInfo) == 888, "LedAllSettingInfo layout");

/* Device calls: each sends one command to the card of info and returns KQ_OK, the
 * card's result, or a code of its link:
 *   any link: KQ_ERR_SEND_TYPE (SendType not known, or info NULL), KQ_ERR_FILE;
 *   TCP: KQ_ERR_SOCKET, KQ_ERR_CONNECT, KQ_ERR_SEND, KQ_ERR_NO_REPLY, KQ_ERR_BAD_REPLY;
 *   UDP: KQ_ERR_NO_LOCAL_ADDRESS, KQ_ERR_SOCKET, KQ_ERR_BIND, KQ_ERR_SEND,
 *        KQ_ERR_NO_REPLY, KQ_ERR_BAD_REPLY;
 *   serial: KQ_ERR_SERIAL_OPEN (also a ComPort without a device, such as one below 1),
 *        KQ_ERR_SERIAL_STATE, KQ_ERR_SERIAL_WRITE, KQ_ERR_SERIAL_READ,
 *        KQ_ERR_SERIAL_NO_REPLY, KQ_ERR_BAD_REPLY;
 *   USB files: KQ_ERR_USB_FOLDER, KQ_ERR_FILE (a symbolic link on the disk, at a
 *        folder or at a file written, gives these too: nothing is written through it).
 * These are the "link codes" below. A NULL record gives KQ_ERR_MISSING_RECORD. */

/* Reads the sections of record->SectionMask (read meanings) into the record; on any
 * failure nothing is filled. Link codes; KQ_ERR_BAD_REPLY also for a result of 0 or a
 * reply shorter than its sections. Nothing can be read over USB files or without a
 * link: those give KQ_ERR_SEND_TYPE. */
KQ_API int32_t KQ_GetLedSettingInfo(const CommInfo* info, LedSettingInfo* record);
/* Probes the card; only its acknowledgement counts. Link codes. */
KQ_API int32_t KQ_TestOnline(const CommInfo* info);
/* The settings calls from here to KQ_SetLedSettingInfo return the link codes.
 * colorType 1 one colour, 2 red and green, 3 full colour; others become 1. */
KQ_API int32_t KQ_SetLedBasicInfo(const CommInfo* info, int32_t colorType, int32_t width,
                                  int32_t height);
/* Each polarity outside 0-1 becomes 1. */
KQ_API int32_t KQ_SetLedOEDA(const CommInfo* info, int32_t oe, int32_t da);
KQ_API int32_t KQ_SetLedScanLine(const CommInfo* info, const ScanLineInfo* scan);
/* table: 256 bytes. */
KQ_API int32_t KQ_SetLedCustomScanLine(const CommInfo* info, const uint8_t* table);
/* Sets the card's clock to the computer's local time. */
KQ_API int32_t KQ_AdjustTime(const CommInfo* info);
/* 0 screen on, any other value screen off. */
KQ_API int32_t KQ_PowerOnOff(const CommInfo* info, int32_t value);
KQ_API int32_t KQ_TimePowerOnOff(const CommInfo* info, const TimeOnOffInfo* schedule);
/* level clamped to 0-15. */
KQ_API int32_t KQ_BrightnessControl(const CommInfo* info, int32_t level);
KQ_API int32_t KQ_TimeBrightnessControl(const CommInfo* info, const TimeBrightnessInfo* schedule);
/* The card locks itself at the given local date-time. */
KQ_API int32_t KQ_TimeLocker(const CommInfo* info, int32_t year, int32_t month, int32_t day,
                             int32_t hour, int32_t minute, int32_t second);
KQ_API int32_t KQ_CancelLocker(const CommInfo* info);
/* language 0 or 1; others become 0. */
KQ_API int32_t KQ_SetLanguage(const CommInfo* info, int32_t language);
/* pattern 0 ends a test; its low byte is sent. */
KQ_API int32_t KQ_LedTest(const CommInfo* info, int32_t pattern);
/* Each flag is sent as 1 when non-zero. */
KQ_API int32_t KQ_SetLogo(const CommInfo* info, int32_t first, int32_t second);
/* Writes the sections of record->SectionMask (settings meanings: 0x001 basic, 0x002
 * OE/DA, 0x004 scan, 0x008 scan table, 0x010 time, 0x080 brightness, 0x100 lock,
 * 0x200 language, 0x800 logo); other bits are not sent. A TimeYear of 0 sends the
 * computer's present time. */
KQ_API int32_t KQ_SetLedSettingInfo(const CommInfo* info, const LedSettingInfo* record);
/* Writes the communication sections of record->SectionMask (0x01 addresses, 0x02
 * network values, 0x04 server, 0x08 serial). Link codes; before any I/O, an address
 * text that is not four decimal parts of 0-255 (a MAC text: six hexadecimal parts)
 * gives KQ_ERR_ADDRESS_TEXT, a baud rate without a code KQ_ERR_BAUD_RATE. */
KQ_API int32_t KQ_SetLedCommunicationInfo(const CommInfo* info, const LedSettingInfo* record);

/* Search and multi-card jobs */

/* Broadcasts a search on every local IPv4 interface and appends one record per
 * answering card, in arrival order, behind what the list holds (no de-duplication;
 * sections of a short reply that did not arrive stay zero). An interface is left
 * after 2 s without a reply; the search ends after 10 s or 1,024 replies in any
 * case. The list grows on the calling thread while its messages are dispatched.
 * Returns KQ_OK, KQ_ERR_NO_LOCAL_ADDRESS without any interface, the last
 * interface's KQ_ERR_SOCKET, KQ_ERR_BIND or KQ_ERR_SEND, KQ_ERR_FILE, or
 * KQ_ERR_BAD_HANDLE for a NULL list. */
#ifdef __cplusplus
#include <list>
KQ_API int32_t KQ_SearchLedToList(std::list<LedSettingInfo>* list);
#endif
/* The search into records: a positive *count on entry is the capacity of records,
 * else at most 256 records are written; *count receives the number written (0 on
 * failure). Codes as for KQ_SearchLedToList; KQ_ERR_BAD_HANDLE for NULL records or
 * count. */
KQ_API int32_t KQ_SearchLed(LedSettingInfo* records, int32_t* count);

/* The multi-card calls run one worker per card and return KQ_OK once every worker
 * has ended. Each card's StatusMessage receives KQ_STATUS_SENDING, then its final
 * result: KQ_OK, the card's result or a link code; a card the call does not serve
 * gets KQ_ERR_NOT_SERVED at once. With restrictTypes non-zero only TCP and serial
 * cards are served, else every send type. results (count elements) receives each
 * card's result unless NULL. NULL infos (with count above 0) give KQ_ERR_SEND_TYPE,
 * a NULL record KQ_ERR_MISSING_RECORD, with nothing sent. */

/* Sends the firmware file to every card. A NULL path, or a file that cannot be read
 * completely, is empty, is larger than 64 MiB or whose first 8 bytes name no card
 * model (printable ASCII, then only blanks or zeros), gives KQ_ERR_FILE for every
 * card. */
KQ_API int32_t KQ_MultiUpdateCPU(const CommInfo* infos, const char16_t* firmwarePath,
                                 int32_t* results, int32_t count, int32_t restrictTypes);
/* Sends the settings of record's SectionMask, built once, to every card. */
KQ_API int32_t KQ_SetLedAllSettingInfo(const CommInfo* infos, const LedAllSettingInfo* record,
                                       int32_t* results, int32_t count, int32_t restrictTypes);

/* Display data --------------------------------------------------------------- */

/* Clocks and countdowns are drawn with Qt's font engine (QtGui): fonts are found
 * through fontconfig and drawn without anti-aliasing. A host without any Qt
 * application needs Qt's offscreen platform plugin (Debian: qt6-qpa-plugins); the
 * library then starts its own headless QGuiApplication on a thread of its own the
 * first time it draws text, keeps it until the process ends and leaves the host's
 * locale as it was. A host that uses Qt creates its QGuiApplication before its first
 * call that generates display data; with a QCoreApplication only, or without the
 * plugin, clocks and countdowns give KQ_ERR_DRAW. */

/* Builds the set's display data, the image a card stores and plays, when the set has
 * changed since the last generation; otherwise keeps the data it has. Returns KQ_OK,
 * KQ_ERR_BAD_HANDLE, KQ_ERR_FILE (a page file that cannot be read, or memory),
 * KQ_ERR_FRAME_MAGIC (a frame file that is not one or does not match its area),
 * KQ_ERR_DRAW (a page or clock that cannot be drawn), or KQ_ERR_BAD_SIZE (more than
 * 255 programs or areas in a program, more than 65535 frames in an area, a GIF page
 * whose frames times its canvas or its area pass 2^30 pixels, or 4 GiB of data or
 * more). On failure the last data stays and the next call generates
 * again. */
KQ_API int32_t KQ_GenerateProgramData(ProgramHandle handle);

/* Sending program sets --------------------------------------------------------- */

/* Generates the set's display data when it changed since its last generation and
 * sends it to the card with the display-data command (over USB files as
 * "kq_disp_dat.usb"); every send type is served. Blocks like the multi-card calls;
 * StatusMessage receives KQ_STATUS_GENERATING, KQ_STATUS_SENDING (after a successful
 * generation), then the result, which is also returned: KQ_OK, KQ_ERR_BAD_HANDLE
 * (posted alone) for a handle without a live set, a code of KQ_GenerateProgramData,
 * a link code or the card's result. A NULL info gives KQ_ERR_SEND_TYPE. */
KQ_API int32_t KQ_Send(const CommInfo* info, ProgramHandle handle);
/* Sends handles[i] to card i as KQ_Send does, all cards at once; only TCP and serial
 * cards are served, others get KQ_ERR_NOT_SERVED at once. One handle given for two
 * cards is generated by one of them at a time. results (count elements) receives
 * each card's result unless NULL. Returns KQ_OK, or KQ_ERR_FILE when the handles
 * cannot be copied for lack of memory; with count above 0, NULL infos give
 * KQ_ERR_SEND_TYPE and NULL handles KQ_ERR_MISSING_RECORD. */
KQ_API int32_t KQ_MultiSend(const CommInfo* infos, const ProgramHandle* handles, int32_t* results,
                            int32_t count);

#endif /* CORVANIX_H */
