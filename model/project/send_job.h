#pragma once
// What is sent or played: a screen with a chosen set of its programs, each with its
// areas in tree order. The job points into the model and owns none of the records.

#include <vector>

#include "model/project/project_records.h"

struct ProgramSendItem {
  ProgramRecord* Program;
  std::vector<AreaRecord*> Areas;  // in tree order
};

struct ScreenSendJob {
  ScreenRecord* Screen;
  std::vector<ProgramSendItem> Programs;  // in tree order
};
