#pragma once
// Setting dialog controls from the language file.
//
// A control carries its control id (the number the dialog's ApplyLanguage names it
// by) in the dynamic property "controlId", set with SetControlId. The dialog's
// children are searched for it, so a control may sit in any nested layout or group.

#include <QString>

class QWidget;

// Gives the widget its control id.
void SetControlId(QWidget* control, int controlId);

// The descendant of dialog with that control id; nullptr when there is none.
QWidget* FindControl(QWidget* dialog, int controlId);

// Sets the text of the control to ReadLangText(section, textNumber): the text of a
// label, button or line edit, the title of a group box, else the window title.
// False (nothing changed) when dialog has no control with that id.
[[nodiscard]] bool SetDlgItemLangText(QWidget* dialog, int controlId, const QString& section,
                        int textNumber);
