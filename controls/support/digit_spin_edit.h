#pragma once
// A digits-only edit with an up-down control beside it. The up-down control never
// writes into the edit: a click only reports its direction, and the page decides the
// value and shows it. Typing reports the text; the edit refuses a keystroke that
// would make a value above the maximum.

#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <optional>

class QToolButton;

class DigitSpinEdit : public QWidget {
 public:
  DigitSpinEdit(int maxDigits, int maxValue, QWidget* parent);

  QLineEdit& Edit() { return *edit_; }
  QToolButton& UpButton() { return *up_; }
  QToolButton& DownButton() { return *down_; }

  // Shows a value without reporting it.
  void ShowValue(int value);
  // The typed value; none while the edit holds no digits.
  std::optional<int> Value() const;
  // Shows a value and selects its first five characters, scrolled into view.
  void ShowSelected(int value);
  // Gives the edit and the up-down control (this widget) their control ids.
  void SetIds(int editId, int spinId);

  // Called with +1 for the up arrow, -1 for the down arrow.
  std::function<void(int delta)> onStepped;
  // Called when the user changed the text.
  std::function<void()> onEdited;
  // Called when the edit lost the keyboard focus.
  std::function<void()> onFocusLost;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
};
