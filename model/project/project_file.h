#pragma once
// The project file (".kqprj"): the whole project as UTF-8 XML, with the text pages'
// and tables' source files embedded as Base64, and the screen groups.

#include <QString>

class XmlDocument;
class XmlFileWriter;

// Writes ScreenList (in model order, which is tree order) and ScreenGroupList to
// path, atomically. A program's ProgramCheck comes from its CheckState. Returns 1,
// or 0 when the file could not be written (the old file then stays as it was).
[[nodiscard]] int SaveProjectXml(const QString& path);

// Appends the file's screens to ScreenList and its groups to ScreenGroupList, writes
// the embedded source files into UserData and deletes their stale frame files in
// Temp. A file that cannot be read, is not well-formed, has no LED under LEDS or
// holds more than the limits of project_limits.h or a screen that no card can drive
// (IsDrivableScreen, screen_limits.h) gives 0 and changes nothing. An
// area whose kind element is missing is left out and the rest is loaded, with 0
// returned; so is a source file that cannot be written. Otherwise 1. The caller
// clears the project first and builds the tree from the model (the first screen is
// selected there).
[[nodiscard]] int LoadProjectXml(const QString& path);

// True when the file reads, is well-formed, and its root LEDS has a FileFlag whose
// text is exactly "kqprj" and at least one LED.
bool IsProjectFile(const QString& path);

// Appends GroupList with ScreenGroupList after the current element of the document,
// whose position is inside LEDS. False when an element or attribute could not be
// written; the groups are then incomplete.
[[nodiscard]] bool WriteScreenGroups(XmlFileWriter& doc);

// Appends the groups of the document's LEDS/GroupList to ScreenGroupList; nothing
// happens when either element is missing. Moves the position to the document level.
// False when the list holds more groups, or a group more screens, than the limits of
// project_limits.h allow; the groups before that stay appended.
[[nodiscard]] bool ReadScreenGroups(XmlDocument& doc);
