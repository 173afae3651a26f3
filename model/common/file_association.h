#pragma once
// Project files open with the program from the desktop. The association lives in the
// user's XDG data folder ($XDG_DATA_HOME, else ~/.local/share):
//   mime/packages/<type>.xml   the MIME type application/x-<type> for "*<extension>"
//   applications/<type>.desktop  the program that opens it
// Failures are reported by the result only; start-up goes on without the association
// and checks again next time.

#include <QString>

// True when the MIME package of the type exists and gives the extension to that
// type (type names compared without regard to case).
bool IsFileTypeRegistered(const QString& typeName, const QString& extension);

// Writes the MIME package and the desktop entry, then asks the desktop's databases to
// update (when their tools exist). False when a file could not be written.
[[nodiscard]] bool RegisterFileType(const QString& programPath, const QString& iconPath,
                      const QString& typeName, const QString& extension,
                      const QString& description);

// The start-up check for ".kqprj": registers the program folder's "Quendra" when the
// extension does not name "kqprjfile" yet. Nothing is written when it does, even if
// the entry points to another folder. False only when registering failed.
[[nodiscard]] bool EnsureProjectFileAssociation();
