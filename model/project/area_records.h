/*
 * Settings records of the digital clock, analog clock and countdown areas. The main
 * program keeps them in its project model and hands them to the SDK's area calls as
 * they are, so the byte layout is fixed: every int is 32 bits, every text is UTF-16
 * (char16_t) of a fixed capacity that holds at most capacity-1 units and a 0, and no
 * field has padding before it. The assertions below pin sizes and offsets.
 *
 * Colours are 0x00BBGGRR. This header compiles as C11 and as C++.
 */
#ifndef QUENDRA_MODEL_PROJECT_AREA_RECORDS_H
#define QUENDRA_MODEL_PROJECT_AREA_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define KQ_RECORD_ASSERT static_assert
#else
#include <uchar.h>
#define KQ_RECORD_ASSERT _Static_assert
#endif

/* A digital clock area: a fixed text, then date, weekday and time in one font.
 * The SDK reads the first 416 bytes; its own copy of the record keeps the generated
 * block in the last two fields. */
typedef struct DigitalClockAreaInfo {
  char16_t FixedText[128];
  char16_t ShowStrFont_FontName[32];
  int32_t ShowStrFont_FontSize; /* points */
  uint32_t ShowStrFont_FontColor;
  int32_t ShowStrFont_FontBold;
  int32_t ShowStrFont_FontItalic;
  int32_t ShowStrFont_FontUnderLine;
  int32_t TimeLagType; /* time-zone offset kind */
  int32_t HourNum;     /* offset hours */
  int32_t MiniteNum;   /* offset minutes */
  int32_t DateFormat;
  uint32_t DateColor;
  int32_t WeekFormat;
  uint32_t WeekColor;
  int32_t TimeFormat;
  uint32_t TimeColor;
  int32_t IsShowYear;
  int32_t IsShowWeek;
  int32_t IsShowMonth;
  int32_t IsShowDay;
  int32_t IsShowHour;
  int32_t IsShowMinite;
  int32_t IsShowSecond;
  int32_t HourType;
  int32_t YearType;
  int32_t IsMutleLineShow;
  int32_t Reserved1; /* not stored in project files */
  int32_t Reserved2;
} DigitalClockAreaInfo;

/* An analog clock area: face marks, three hands, optional date and weekday texts. */
typedef struct ClockAreaInfo {
  char16_t ShowStr[64];
  char16_t ShowStrFont_FontName[32];
  int32_t ShowStrFont_FontSize;
  uint32_t ShowStrFont_FontColor;
  int32_t ShowStrFont_FontBold;
  int32_t ShowStrFont_FontItalic;
  int32_t ShowStrFont_FontUnderLine;
  int32_t TimeLagType;
  int32_t HourNum;
  int32_t MiniteNum;
  int32_t ClockType;
  uint32_t HourMarkColor;
  int32_t HourMarkType;
  int32_t HourMarkWidth;
  uint32_t MiniteMarkColor;
  int32_t MiniteMarkType;
  int32_t MiniteMarkWidth;
  uint32_t HourPointerColor;
  uint32_t MinitePointerColor;
  uint32_t SecondPointerColor;
  int32_t HourPointerWidth;
  int32_t MinutePointerWidth;
  int32_t SecondPointerWidth;
  int32_t IsShowDate;
  int32_t DateFormat;
  char16_t DateFont_FontName[32];
  int32_t DateFont_FontSize;
  uint32_t DateFont_FontColor;
  int32_t DateFont_FontBold;
  int32_t DateFont_FontItalic;
  int32_t DateFont_FontUnderLine;
  int32_t IsShowWeek;
  int32_t WeekFormat;
  char16_t WeekFont_FontName[32];
  int32_t WeekFont_FontSize;
  uint32_t WeekFont_FontColor;
  int32_t WeekFont_FontBold;
  int32_t WeekFont_FontItalic;
  int32_t WeekFont_FontUnderLine;
} ClockAreaInfo;

/* A countdown area: the time left until a date and time. The SDK reads the first
 * 392 bytes. */
typedef struct TimeAreaInfo {
  int32_t ShowType;
  int32_t nYear;
  int32_t nMonth;
  int32_t nDay;
  int32_t nHour;
  int32_t nMinute;
  int32_t nSecond;
  int32_t IsShowDay;
  int32_t IsShowHour;
  int32_t IsShowMinute;
  int32_t IsShowSecond;
  int32_t IsMutleLineShow;
  char16_t ShowStr[128];
  uint32_t TimeStrColor;
  char16_t ShowStrFont_FontName[32];
  int32_t ShowStrFont_FontSize;
  uint32_t ShowStrFont_FontColor;
  int32_t ShowStrFont_FontBold;
  int32_t ShowStrFont_FontItalic;
  int32_t ShowStrFont_FontUnderLine;
  int32_t Reserved1; /* not stored in project files */
  int32_t Reserved2;
} TimeAreaInfo;

KQ_RECORD_ASSERT(sizeof(char16_t) == 2, "text units are 16 bits");

KQ_RECORD_ASSERT(sizeof(DigitalClockAreaInfo) == 424, "DigitalClockAreaInfo size");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, ShowStrFont_FontName) == 256, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, ShowStrFont_FontSize) == 320, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, TimeLagType) == 340, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, DateFormat) == 352, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, IsShowYear) == 376, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, HourType) == 404, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, IsMutleLineShow) == 412, "layout");
KQ_RECORD_ASSERT(offsetof(DigitalClockAreaInfo, Reserved1) == 416, "layout");

KQ_RECORD_ASSERT(sizeof(ClockAreaInfo) == 460, "ClockAreaInfo size");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, ShowStrFont_FontName) == 128, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, TimeLagType) == 212, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, ClockType) == 224, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, HourPointerColor) == 252, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, IsShowDate) == 276, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, DateFont_FontName) == 284, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, IsShowWeek) == 368, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, WeekFont_FontName) == 376, "layout");
KQ_RECORD_ASSERT(offsetof(ClockAreaInfo, WeekFont_FontUnderLine) == 456, "layout");

KQ_RECORD_ASSERT(sizeof(TimeAreaInfo) == 400, "TimeAreaInfo size");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, IsShowDay) == 28, "layout");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, ShowStr) == 48, "layout");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, TimeStrColor) == 304, "layout");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, ShowStrFont_FontName) == 308, "layout");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, ShowStrFont_FontSize) == 372, "layout");
KQ_RECORD_ASSERT(offsetof(TimeAreaInfo, Reserved1) == 392, "layout");

#undef KQ_RECORD_ASSERT

#endif /* QUENDRA_MODEL_PROJECT_AREA_RECORDS_H */
