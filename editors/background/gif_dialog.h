#pragma once
// CGifDialog (template 439): a 64 x 32 animated thumbnail cell of the built-in
// background chooser. It plays a GIF of the program's resources over and over, lights
// up (white at constant alpha 120) while the cursor is over it, looked at every
// 100 ms, and shows the selection mark (picture 442, white see-through) while
// selected; a left click toggles the selection.
//
// The chooser holds its cells as members and creates their windows with Create, so a
// cell's selected flag can still be read after the chooser's window has closed.

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "render/media/gif_image.h"

class CGifDialog : public QWidget {
 public:
  static constexpr QSize kCellSize{64, 32};
  static constexpr int kHoverCheckMs = 100;

  // Where the cursor is, in global coordinates.
  using CursorSource = std::function<QPoint()>;

  CGifDialog();

  // The opening: a child of parent at the point, playing GIF resource gifId; starts
  // the hover check.
  void Create(int gifId, QWidget* parent, QPoint at);

  // QCursor::pos() unless replaced (tests). On Wayland the position is known while
  // the cursor is over one of the program's own windows, which is where the cells are.
  void SetCursorSource(CursorSource source) { cursor_ = std::move(source); }

  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  bool Hovering() const { return hovering_; }
  const QTimer& HoverTimer() const { return timer_; }

  // One tick of the hover check: hover is the cursor inside the cell's rectangle,
  // its edges included; then repaint at once.
  void OnTimer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  CGifImage player_;
  QImage frame_;
  QImage mark_;
  QTimer timer_;
  CursorSource cursor_;
  bool hovering_ = false;
  bool selected_ = false;
};
