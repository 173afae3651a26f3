#pragma once
// The most a project file or a single-screen file may hold. A file past any of these
// is refused whole, as a damaged one: the counts are checked as the records are read,
// before each is made, and nothing is written until the whole file has been read.
// Each limit is generous, and none allows more than a card can take:
// - a screen is one card; a card's address on the wire is one byte, and a search
//   lists at most 256 cards;
// - a screen's programs go to its card in one set, whose program count is one byte;
// - a program's areas likewise (its area count is one byte);
// - an area's entries (pages, flash words, files, or backgrounds; a screen's logo
//   entries) are each at least one frame of an image-text area, which carries at
//   most 65535 frames (a 16-bit frame total);
// - the whole file: per-level limits alone would still allow billions of records, so
//   screens, programs, areas and entries together are held to twice what one area
//   carries (room for a full area and as much again). That bounds a file's records
//   to about 100 MB, and the files it writes into UserData to as many.
// Screen groups are held to as many groups, and screens in a group, as screens.

#include <cstddef>

constexpr std::size_t kMaxScreens = 256;
constexpr std::size_t kMaxProgramsPerScreen = 255;
constexpr std::size_t kMaxAreasPerProgram = 255;
constexpr std::size_t kMaxEntriesPerArea = 65535;
constexpr std::size_t kMaxRecordsPerFile = 2 * kMaxEntriesPerArea;
constexpr std::size_t kMaxScreenGroups = kMaxScreens;
