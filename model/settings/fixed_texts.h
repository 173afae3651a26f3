#pragma once
// The main program's own texts for the language texts that must show even when no
// language file can be read: the simplified Chinese the program was first written
// in. One table for the whole program.

#include <QString>

// ReadLangText, or the program's own text for that section and number when the
// language file gives none (empty for a text the table does not hold).
QString ReadLangTextOrFixed(const QString& section, int textNumber);
