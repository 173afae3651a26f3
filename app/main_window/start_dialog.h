#pragma once
// CStartDialog: the splash window shown modally at the end of the main window's
// start. A frameless, topmost window in the start picture's shape; it holds the
// picture for a while, fades it out in 63 steps and closes by itself.

#include <QDialog>
#include <QImage>

#include "platform/message_window.h"

class CStartDialog : public QDialog, public MessageWindow {
 public:
  static constexpr UINT kFadeTimer = 1;
  static constexpr int kHoldMs = 3000;

  // holdMs: how long the picture shows before the fade starts.
  explicit CStartDialog(int holdMs = kHoldMs);

  // Shows the window and runs until the fade has ended. -1, showing nothing, when the
  // start picture cannot be drawn.
  int DoModal();

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Shows the picture with the constant alpha (0-255).
  virtual void ShowAlpha(int alpha);

 private:
  [[nodiscard]] bool OnInitDialog();
  void OnTimer(WPARAM timerId);

  int holdMs_;
  QImage image_;  // the window's content, of its client size
};
