#pragma once
// What the screen pages' controls share: a control made with its id, and a list entry
// shown without running a handler.

#include <QComboBox>
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

// Selects an entry; an index outside the list (from a file or a card) selects none.
inline void ShowListIndex(QComboBox& list, int index) {
  list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
}
