#pragma once
// The settings a program added on the project page starts with.

#include <QDate>

#include "model/project/project_records.h"

// Plays once for 60 seconds a loop, from 06:00:00 to 21:00:00, from `today` to the
// same day a year later (28 February when today is 29 February), border colour red
// (255) in style 1; the other fields are left as they are.
void SetNewProgramDefaults(ProgramRecord& program, const QDate& today);
