#pragma once
// CLockDialog: task pane 6, the access-code pane. It stands in front of the screen
// parameters (mode 0), the administrator's pane (mode 1) and the boot logo (mode 2):
// the right code sends UM_PANE_BACK (6, mode + 1) to the main window, which goes on to
// the guarded pane; a wrong one is refused with a message and the field emptied.
// Enter checks the code, Esc goes back (6, 0).

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "controls/shell/task_pane.h"
#include "render/common/play_clock.h"

class CLockDialog : public TaskPane {
 public:
  // Shows a message with a style and answers the button pressed (ShowStyleMessage).
  using Ask = std::function<int(const QString& text, int style)>;

  // The clock gives the local day of the administrator's code; it must outlive the
  // pane. Without `ask` messages go through ShowStyleMessage.
  explicit CLockDialog(QWidget* parent, const PlayClock& clock = SystemPlayClock(), Ask ask = {});

  // The mode the next check is for (AccessMode).
  void SetMode(int mode) { mode_ = mode; }
  int Mode() const { return mode_; }
  // Empties the code field.
  void ClearCode() { code_.clear(); }
  QLineEdit& CodeEdit() { return code_; }
  QPushButton& OkButton() { return ok_; }

  // Checks the code typed against the mode's: on to the guarded pane when it matches,
  // else the refusal shown and the field emptied.
  void CheckPassword();
  // The prompt, the OK button, the caption and the Back button's tip.
  void ApplyLanguage();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Enter and Esc over any control of the pane.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The framed panel the prompt, the field and OK sit on.
  QRect PanelRect() const;

  const PlayClock& clock_;
  Ask ask_;
  int mode_ = 0;
  QLabel prompt_;
  QLineEdit code_;
  QPushButton ok_;
  QString caption_;
};
