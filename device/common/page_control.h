#pragma once
// A control of a device page or dialog, made with its control id.

#include <QString>
#include <QWidget>

#include "model/settings/ui/dlg_lang_text.h"

// A new control of the page, its id also its object name.
template <typename Control>
Control* MakePageControl(QWidget* page, int id) {
  auto* control = new Control(page);
  control->setObjectName(QString::number(id));
  SetControlId(control, id);
  return control;
}
