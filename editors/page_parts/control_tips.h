#pragma once
// Tooltips of a page's controls from the language file.

#include <QString>

#include <span>

class QWidget;

// Gives each control of the page named by a (control id, text number) pair the text of
// that number in section as its tooltip: a CButtonQx its own tooltip, any other control
// Qt's. Ids the page does not have are passed over.
void SetControlTips(QWidget& page, const QString& section, std::span<const int[2]> tips);
