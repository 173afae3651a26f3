#pragma once
// The updater's buttons (the dialog's and the notice's): a plain look. The background
// takes the hover colour while the button is pressed or hovered, else the focus colour
// while it has the focus, else the normal colour; the border, drawn while it is hovered
// or pressed, is a 3-D rectangle in the button-highlight and button-shadow colours,
// the two swapped while it is pressed.

#include "controls/buttons/button_qx.h"

class CPlainButton : public CButtonQx {
 public:
  CPlainButton(const QString& caption, int controlId, QWidget* parent);

  int ControlId() const { return controlId_; }

 protected:
  int DrawBackground(QPainter& painter, const PixelRect& rect) override;
  int DrawBorder(QPainter& painter, const PixelRect& rect) override;

 private:
  int controlId_;
};
