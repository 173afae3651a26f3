#include "controls/grid/widget/title_tip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include "controls/grid/model/grid_records.h"
#include "controls/support/sys_color.h"

namespace {

QColor ToQColor(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

}  // namespace

CTitleTip::CTitleTip(QWidget* parent) : parent_(parent) {
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                 Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool CTitleTip::Create(QWidget* parent) {
  if (created_) return true;
  parent_ = parent;
  created_ = parent_ != nullptr;
  return created_;
}

void CTitleTip::DestroyWindow() {
  created_ = false;
  hide();
}

void CTitleTip::Hide() {
  if (isVisible()) hide();
}

void CTitleTip::Show(const PixelRect* hoverRect, const QString& text, const LogFontW* font,
                     ColorRef textColor, ColorRef backColor, const PixelRect& textRect) {
  if (!created_ && !Create(parent_)) return;
  if (textRect.IsEmpty() || isVisible()) return;
  hoverRect_ = hoverRect != nullptr ? *hoverRect : textRect;
  ++hoverRect_.right;
  ++hoverRect_.bottom;
  if (QApplication::focusWidget() == nullptr) return;
  text_ = u' ' + text + u' ';
  setFont(font != nullptr ? LogFontToQFont(*font) : parent_->font());
  // Qt's advances include what GDI reports as overhang.
  const int width = QFontMetrics(this->font()).horizontalAdvance(text_);
  if (textRect.left + width <= textRect.right) return;
  textColor_ = textColor != kDefaultColor ? textColor : SysColor(COLOR_INFOTEXT);
  backColor_ = backColor != kDefaultColor ? backColor : SysColor(COLOR_INFOBK);
  const QPoint topLeft = parent_->mapToGlobal(QPoint(textRect.left, textRect.top));
  setGeometry(topLeft.x(), topLeft.y(), width, textRect.Height());
  show();
}

void CTitleTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(backColor_));
  // The one-pixel window border; the text starts inside it.
  painter.setPen(ToQColor(SysColor(COLOR_WINDOWTEXT)));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(ToQColor(textColor_));
  painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   text_);
}
