#pragma once
// Whether the left Ctrl key is held. Qt reports Ctrl without its side, so the native
// key of each Ctrl press and release is watched (X keysyms Control_L and Control_R).
// Where key events carry no native key (the offscreen platform, Wayland) either Ctrl
// counts.

#include <QObject>

#include <Qt>

class QKeyEvent;

class LeftCtrlTracker : public QObject {
 public:
  static constexpr quint32 kControlL = 0xFFE3;
  static constexpr quint32 kControlR = 0xFFE4;

  // Watches every key event of the application while it exists.
  LeftCtrlTracker();
  ~LeftCtrlTracker() override;

  // True when the key event's modifiers hold Ctrl and that Ctrl counts as the left one.
  bool LeftCtrlHeld(Qt::KeyboardModifiers modifiers) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Watch(const QKeyEvent& key);

  bool leftDown_ = false;
  bool sided_ = false;  // the last Ctrl press named its side
};
