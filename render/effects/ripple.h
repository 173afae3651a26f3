#pragma once
// A water ripple over a picture shown in a window: stones dropped into the picture
// raise waves that spread, reflect and die out, and the picture is refracted by the
// slopes of the water. Integer arithmetic only; the picture is refracted from its
// untouched pixels every step, so no error builds up in it.

#include <QImage>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <vector>

class QWidget;

class CRipple {
 public:
  CRipple();
  ~CRipple();
  CRipple(const CRipple&) = delete;
  CRipple& operator=(const CRipple&) = delete;

  // Binds the ripple to picture shown at (0, 0) of window: the output is painted by a
  // child of window of the picture's size (transparent for the mouse, so the window
  // keeps its mouse moves), and a 30 ms timer runs RippleTimerProc. Binding again
  // frees the last binding first. False, with nothing bound, for a picture of no
  // pixels or one too large to hold, or when memory runs out.
  [[nodiscard]] bool Init(QWidget* window, const QImage& picture);
  // Drops a stone: the heights of the disc of radius 2 around (x, y) that lies inside
  // the picture become depth (kept within +-kMaxDepth, beyond which the wave sums
  // would overflow). Nothing happens while nothing is bound.
  void Drop(int x, int y, int depth);
  // Stops the timer, removes the child and releases the buffers. Harmless twice.
  void Free();
  // One step of the waves and the refraction, then a repaint of the child.
  void RippleTimerProc();

  static constexpr int kStepMs = 30;
  static constexpr int kMaxDepth = 1 << 20;

  bool IsBound() const { return !current_.empty(); }
  // The water height at (x, y) of the picture; 0 outside it or while unbound.
  int HeightAt(int x, int y) const;
  // The picture as painted now, sharing the ripple's pixels: valid until the next
  // step or Free (null while unbound).
  QImage Picture() const;

 private:
  [[nodiscard]] bool Allocate();
  void Propagate();
  void Refract();

  QPointer<QWidget> view_;
  QTimer timer_;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;  // bytes of a pixel row, a multiple of 4
  std::vector<int> current_;
  std::vector<int> previous_;
  std::vector<std::uint8_t> source_;  // rows top first, blue, green, red
  std::vector<std::uint8_t> output_;
};
