#include "app/tree/new_program.h"

void SetNewProgramDefaults(ProgramRecord& program, const QDate& today) {
  program.StopType = 0;
  program.PlayTime = 60;
  program.LoopCount = 1;
  program.StartHour = 6;
  program.StartMinute = 0;
  program.StartSecond = 0;
  program.EndHour = 21;
  program.EndMinute = 0;
  program.EndSecond = 0;
  program.StartYear = today.year();
  program.StartMonth = today.month();
  program.StartDay = today.day();
  // A year on from 29 February is 28 February, never a date that does not exist.
  const QDate end = today.addYears(1);
  program.EndYear = end.year();
  program.EndMonth = end.month();
  program.EndDay = end.day();
  program.BorderColor = 255;
  program.BorderStyle = 1;
}
