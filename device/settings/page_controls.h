#pragma once
// What the screen pages' controls share: a control made with its id, and a list entry
// shown without running a handler.

#include <QComboBox>

#include "device/common/page_control.h"

// Selects an entry; an index outside the list (from a file or a card) selects none.
inline void ShowListIndex(QComboBox& list, int index) {
  list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
}
