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

// The widget's control id; 0 when it has none.
int GetControlId(const QWidget* control);

// Sets the text a control shows: a label's, button's or line edit's text, a group
// box's title, else the window title.
void SetControlText(QWidget* control, const QString& text);

// The descendant of dialog with that control id; nullptr when there is none.
QWidget* FindControl(QWidget* dialog, int controlId);

// Sets the text of the control (SetControlText) to ReadLangText(section, textNumber).
// False (nothing changed) when dialog has no control with that id.
[[nodiscard]] bool SetDlgItemLangText(QWidget* dialog, int controlId, const QString& section,
                                      int textNumber);
