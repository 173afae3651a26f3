#include "app/tree/page_placeholder.h"

#include <QPainter>

#include "controls/shell/program_messages.h"

PagePlaceholder::PagePlaceholder(const QString& name, QWidget* parent)
    : QWidget(parent), name_(name) {}

LRESULT PagePlaceholder::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) {
    ++loads_;
    update();
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void PagePlaceholder::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(250, 252, 255));
  painter.setPen(QColor(84, 166, 213));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(QColor(110, 110, 110));
  painter.drawText(rect(), Qt::AlignCenter, name_ + QStringLiteral("\n(not built yet)"));
}
