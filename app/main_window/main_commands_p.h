#pragma once
// What the main window's command files share.

#include <QPointer>
#include <QWidget>

#include <initializer_list>
#include <vector>

// Keeps widgets disabled for its lifetime, so that nothing they start runs while a
// blocking call dispatches messages; a widget destroyed meanwhile is skipped.
class WidgetsDisabled {
 public:
  explicit WidgetsDisabled(std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets) {
      if (widget == nullptr) continue;
      widget->setEnabled(false);
      widgets_.emplace_back(widget);
    }
  }
  ~WidgetsDisabled() {
    for (const QPointer<QWidget>& widget : widgets_) {
      if (widget) widget->setEnabled(true);
    }
  }
  WidgetsDisabled(const WidgetsDisabled&) = delete;
  WidgetsDisabled& operator=(const WidgetsDisabled&) = delete;

 private:
  std::vector<QPointer<QWidget>> widgets_;
};

// Section of the main window's texts in the language files.
inline constexpr const char* kMainWindowSection = "IDD_QUENDRA_DIALOG";
// Styles of the styled message box.
inline constexpr int kStyleError = 0x10;
inline constexpr int kStyleOkCancel = 1;
