#pragma once
// SeeThroughDialog: the base of the frameless dialogs drawn in a shape of their own (a
// balloon, a callout). The derived dialog paints its whole picture; every pixel left
// in the see-through colour is cut out of the window by a mask, which needs no
// compositor. When shown, the dialog is placed by insets from the main window's frame
// (MainWindow()): its right edge rightInset pixels left of the frame's right edge and
// its bottom edge bottomInset pixels above the frame's bottom edge, kept on the main
// window's screen.

#include <QDialog>
#include <QImage>
#include <QMargins>

class SeeThroughDialog : public QDialog {
 public:
  // The see-through colour of the dialogs drawn this way: RGB(0, 255, 255).
  static constexpr QRgb kSeeThroughColor = 0xFF00FFFF;

  SeeThroughDialog(int rightInset, int bottomInset, QWidget* parent = nullptr);

  // Where a window of the size goes by the insets from frame, moved back inside
  // screen where it would stand out of it (its top-left corner first).
  static QPoint PlaceByInsets(const QRect& frame, QSize size, int rightInset, int bottomInset,
                              const QRect& screen);

  // The pointer of a callout pointing right, as its face is drawn: the pointer's base
  // stands on column width - 27 from baseTop to baseTop + 25, its tip at
  // (width - 1, tipY); a white line on that column from lineTop to lineTop + 25
  // (the last row left out) joins it to the face.
  struct CalloutPointer {
    int baseTop;
    int tipY;
    int lineTop;
  };
  // Paints a callout pointing right over the whole size, without antialiasing: a
  // grey shadow one pixel down and right, then the face (a rounded rectangle ending
  // 26 pixels left of the right edge, outlined in blue, and its pointer).
  static void PaintRightCallout(QPainter& painter, QSize size, const CalloutPointer& pointer);

  // The picture last painted, the window's size.
  const QImage& Surface() const { return surface_; }

 protected:
  // Paints the whole picture (the window's size) onto a surface filled with the
  // see-through colour.
  virtual void PaintSurface(QPainter& painter, QSize size) = 0;

  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void RefreshSurface();
  void PlaceFromMainWindow();

  int rightInset_;
  int bottomInset_;
  QImage surface_;
};
