#pragma once
// A stand-in for a property page that is not built yet: a bare window at the page's
// place that takes UM_LOAD_SELECTION and shows the page's name.

#include <QString>
#include <QWidget>

#include "platform/message_window.h"

class PagePlaceholder : public QWidget, public MessageWindow {
 public:
  PagePlaceholder(const QString& name, QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  const QString& Name() const { return name_; }
  // How often UM_LOAD_SELECTION has arrived.
  int LoadCount() const { return loads_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString name_;
  int loads_ = 0;
};
