#pragma once
// CLoadingDialog: the busy window. While a long operation runs on the GUI thread, a
// small half-transparent frameless popup over its owner shows an animated picture
// with a one-line message at the bottom; it repaints itself on its own timer while
// the caller keeps dispatching messages, and goes when the object does.
//
// The window belongs to its owner: an owner destroyed first takes the window with it,
// and the object then holds none.

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

#include "render/media/gif_image.h"

// The animation: GIF resource 475, 200 x 200, looped while the window lives.
constexpr int kBusyAnimationResource = 475;

class CLoadingDialog {
 public:
  // clock times the animation; it must outlive the object.
  explicit CLoadingDialog(const PlayClock& clock = SystemPlayClock());
  // Stops the animation and destroys the window if it still exists.
  ~CLoadingDialog();
  CLoadingDialog(const CLoadingDialog&) = delete;
  CLoadingDialog& operator=(const CLoadingDialog&) = delete;

  // Shows the window owned by parent with message at its bottom. With screenRect it
  // covers that rectangle (screen pixels) and the picture takes its size; without,
  // it is 200 x 200 and centred on the parent (on the primary screen when there is
  // no parent). A window shown before is destroyed first.
  void ShowBusy(const QString& message, std::optional<QRect> screenRect, QWidget* parent);
  void ShowBusy(const QString& message, QWidget* parent) {
    ShowBusy(message, std::nullopt, parent);
  }

  // The window while it exists, else null.
  QWidget* Window() const { return window_.data(); }
  // The picture the animation draws into: width x height while the window exists.
  const QImage& Picture() const { return picture_; }
  const CGifImage& Animation() const { return animation_; }

 private:
  class BusyWindow;
  friend class BusyWindow;

  void OnInitDialog();
  void Paint(QWidget& window);
  void OnTimer(QWidget& window);
  void OnDestroy();

  CGifImage animation_;
  QImage picture_;
  int width_ = 200;
  int height_ = 200;
  QString message_;
  QPointer<QWidget> window_;
};
