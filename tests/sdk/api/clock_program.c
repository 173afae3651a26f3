#include "tests/sdk/api/clock_program.h"

#include <string.h>

#define FACE u"DejaVu Sans"

static void CopyText(char16_t* to, size_t capacity, const char16_t* text) {
  size_t length = 0;
  while (text[length] != 0 && length + 1 < capacity) {
    to[length] = text[length];
    ++length;
  }
  to[length] = 0;
}

static int32_t AddDigitalClock(ProgramHandle program) {
  const AreaRect rect = {0, 0, 160, 32};
  DigitalClockAreaInfo info;
  memset(&info, 0, sizeof info);
  CopyText(info.FixedText, 128, u"北京时间");
  CopyText(info.ShowStrFont_FontName, 32, FACE);
  info.ShowStrFont_FontSize = 9;
  info.ShowStrFont_FontColor = 0x0000FF;
  info.DateColor = 0x00FF00;
  info.WeekColor = 0xFF0000;
  info.TimeColor = 0x00FFFF;
  info.IsShowYear = info.IsShowMonth = info.IsShowDay = 1;
  info.IsShowWeek = 1;
  info.IsShowHour = info.IsShowMinite = info.IsShowSecond = 1;
  info.IsMutleLineShow = 1;
  return KQ_AddDigitalClockArea(program, 1, 1, &rect, &info);
}

static int32_t AddAnalogClock(ProgramHandle program) {
  const AreaRect rect = {160, 0, 64, 64};
  ClockAreaInfo info;
  memset(&info, 0, sizeof info);
  CopyText(info.ShowStr, 64, u"Quendra");
  CopyText(info.ShowStrFont_FontName, 32, FACE);
  CopyText(info.DateFont_FontName, 32, FACE);
  CopyText(info.WeekFont_FontName, 32, FACE);
  info.ShowStrFont_FontSize = info.DateFont_FontSize = info.WeekFont_FontSize = 7;
  info.ShowStrFont_FontColor = 0x00FF00;
  info.DateFont_FontColor = 0x0000FF;
  info.WeekFont_FontColor = 0xFF0000;
  info.IsShowDate = info.IsShowWeek = 1;
  info.ClockType = 1;
  info.HourMarkColor = 0x0000FF;
  info.HourMarkType = info.HourMarkWidth = 2;
  info.MiniteMarkColor = 0x00FF00;
  info.MiniteMarkType = info.MiniteMarkWidth = 1;
  info.HourPointerColor = 0x0000FF;
  info.MinitePointerColor = 0x00FF00;
  info.SecondPointerColor = 0xFF0000;
  info.HourPointerWidth = 3;
  info.MinutePointerWidth = 2;
  info.SecondPointerWidth = 1;
  return KQ_AddClockArea(program, 1, 2, &rect, &info);
}

static int32_t AddCountdown(ProgramHandle program) {
  const AreaRect rect = {0, 32, 160, 32};
  TimeAreaInfo info;
  memset(&info, 0, sizeof info);
  info.nYear = 2031;
  info.nMonth = 5;
  info.nDay = 17;
  info.IsShowDay = info.IsShowHour = info.IsShowMinute = info.IsShowSecond = 1;
  CopyText(info.ShowStr, 128, u"距开幕");
  info.TimeStrColor = 0x00FF00;
  CopyText(info.ShowStrFont_FontName, 32, FACE);
  info.ShowStrFont_FontSize = 12;
  info.ShowStrFont_FontColor = 0x0000FF;
  info.ShowStrFont_FontBold = 1;
  return KQ_AddTimeArea(program, 1, 3, &rect, &info);
}

ProgramHandle BuildClockProgram(void) {
  ProgramHandle program = KQ_CreateProgram(224, 64, 3, 0);
  if (program != NULL && KQ_AddProgram(program, 1, 0, 1) == KQ_OK &&
      AddDigitalClock(program) == KQ_OK && AddAnalogClock(program) == KQ_OK &&
      AddCountdown(program) == KQ_OK) {
    return program;
  }
  if (program != NULL) KQ_DeleteProgram(program);
  return NULL;
}

int32_t WriteDisplayData(ProgramHandle program, const char* folder) {
  CommInfo info;
  size_t length = strlen(folder);
  size_t index;
  memset(&info, 0, sizeof info);
  info.SendType = KQ_SEND_USB;
  if (length >= sizeof info.UsbRoot / sizeof info.UsbRoot[0]) return KQ_ERR_USB_FOLDER;
  for (index = 0; index < length; ++index) {
    if ((unsigned char)folder[index] > 0x7F) return KQ_ERR_USB_FOLDER;
    info.UsbRoot[index] = (char16_t)folder[index];
  }
  return KQ_Send(&info, program);
}
