#pragma once
// The base of the ten task panes: a white pane with a caption band, a Back button that
// sends UM_PANE_BACK (its number, 0) to the main window, and a press in the band dragging
// the main window.

#include <QWidget>

#include "controls/buttons/button_qx.h"
#include "platform/message_window.h"

// The height of the band at the top of a task pane that drags the main window.
constexpr int kPaneDragBand = 35;

class TaskPane : public QWidget, public MessageWindow {
 public:
  // The Back button's control id unless a pane names its own.
  static constexpr int kBackButtonId = 1005;

  TaskPane(int number, QWidget* parent, int backId = kBackButtonId);
  int Number() const { return number_; }
  CButtonQx& BackButton() { return back_; }
  // The Back button's control id, also its object name.
  int BackId() const { return backId_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int number_;
  int backId_;
  CButtonQx back_;
};
