#pragma once
// The owner-drawn look of menu items, for every menu that takes this style: an image
// column at the left, check and radio marks drawn by the style, embossed images for
// disabled items, the label left and the accelerator (after a tab) right. Two looks: the
// flat one (a window-coloured face, a button-face image column, a pale highlight box)
// and the classic one (the menu colour, a solid highlight, 3D frames around images and
// marks).
//
// The system kind here is 7 (the one that allows the flat look); the flat look is used
// unless the classic-theme flag is set (the program sets it from its settings at
// start-up).

#include <QProxyStyle>

class KvMenuStyle : public QProxyStyle {
 public:
  // The size of an item's image; an action's icon is drawn at this size.
  static constexpr int kImageWidth = 16;
  static constexpr int kImageHeight = 15;
  // Above 1 the classic look draws 3D frames around images and marks.
  static constexpr int kSystemKind = 7;
  // The height of a menu bar, which items never fall below.
  static constexpr int kMenuBarHeight = 20;

  // The one style of the process, made on first use and owned by the application.
  static KvMenuStyle* Instance();

  // The classic-theme flag; read once by the look, as the system's theme was.
  static void SetClassicTheme(bool classic);
  static bool IsFlatLook();

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;

 private:
  KvMenuStyle() = default;
};

// The painted marks, with their top-left corner at (x, y), in the colour: the tick is
// seven one-pixel strokes, the dot a filled 6 x 6 ellipse.
void DrawMenuTick(QPainter& painter, int x, int y, const QColor& color);
void DrawMenuDot(QPainter& painter, int x, int y, const QColor& color);
