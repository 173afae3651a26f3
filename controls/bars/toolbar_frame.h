#pragma once
// CToolbarFrame: the frame inside a dialog that parents a toolbar. It passes the
// toolbar's commands on to the dialog around it and answers the toolbar's tooltips
// with texts of the current language file, chosen by command id and read when the tip
// is asked for, so a language switch needs nothing more.

#include <QFrame>
#include <QString>

#include <optional>

#include "platform/message_window.h"

// Where a command's tooltip text lives in the language file.
struct ToolTipText {
  QString section;
  int textNumber = 0;

  friend bool operator==(const ToolTipText&, const ToolTipText&) = default;
};

// The tooltip text of a toolbar command; nullopt for an id outside the table (and 0).
std::optional<ToolTipText> ToolTipTextOf(UINT commandId);

class CToolbarFrame : public QFrame, public MessageWindow {
 public:
  explicit CToolbarFrame(QWidget* parent = nullptr);

  // WM_COMMAND is first sent on, with the same wParam and lParam, to the nearest
  // ancestor that is a MessageWindow; then every message gets the base handling.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Watches the toolbar put into the frame and the buttons put into that toolbar.
  void childEvent(QChildEvent* event) override;
  // Answers a tooltip request of a watched button whose command has a text.
  bool eventFilter(QObject* watched, QEvent* event) override;
};
