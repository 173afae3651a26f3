#pragma once
// The projects of the benchmarks: screens of 10 programs x 5 areas (a single-line area
// and an image-text area of two pages with embedded rich-text sources, a digital
// clock, a flash-word area and a files area per program), the sources written into the
// program folder's "UserData" (QUENDRA_HOME, which must exist with that folder).

constexpr int kProgramsPerScreen = 10;
constexpr int kAreasPerProgram = 5;
constexpr int kSourceBytes = 2000;  // each embedded rich-text file, before Base64

// Replaces the project model with a project of areas areas (whole screens of 50).
void BuildBenchProject(int areas);
