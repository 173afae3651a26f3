#pragma once
// The pop-up that shows a cell's whole text over the cell when the cell is too narrow
// for it. It is a tool-tip window that input passes through: clicks, double clicks and
// wheel turns over it reach the grid below directly. The grid hides it when the pointer
// leaves the hover rectangle, on keys, clicks, scrolling, editing and focus loss.

#include <QFont>
#include <QString>
#include <QWidget>

#include "render/raster/color_ref.h"
#include "render/raster/log_font.h"
#include "render/raster/pixel_rect.h"

class CTitleTip : public QWidget {
 public:
  // The tip of a parent (the grid's client area) whose coordinates Show takes.
  explicit CTitleTip(QWidget* parent);

  // Makes the pop-up for the parent; true (at once) when it exists already.
  bool Create(QWidget* parent);
  // Shows the text over textRect when it does not fit there, unless the tip is shown
  // already, the rectangle is empty or no window of the program has the focus. The
  // hover rectangle (the text rectangle when null) is where the pointer keeps the tip.
  // The font is the parent's when null; kDefaultColor takes the tool-tip colours.
  void Show(const PixelRect* hoverRect, const QString& text, const LogFontW* font,
            ColorRef textColor, ColorRef backColor, const PixelRect& textRect);
  void Hide();
  void DestroyWindow();
  // The hover rectangle, widened by one pixel right and down, in the parent's
  // coordinates.
  const PixelRect& HoverRect() const { return hoverRect_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* parent_;
  bool created_ = false;
  PixelRect hoverRect_;
  QString text_;
  ColorRef textColor_ = 0;
  ColorRef backColor_ = 0;
};
