#include "render/effects/ripple.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <new>

#include "render/raster/dib24.h"

namespace {

// Paints the ripple's output; the window under it keeps its mouse events.
class RippleView : public QWidget {
 public:
  RippleView(QWidget* parent, const CRipple& ripple, QSize size)
      : QWidget(parent), ripple_(ripple) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QRect(QPoint(0, 0), size));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, ripple_.Picture());
  }

 private:
  const CRipple& ripple_;
};

}  // namespace

CRipple::CRipple() {
  timer_.setInterval(kStepMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { RippleTimerProc(); });
}

CRipple::~CRipple() { Free(); }

bool CRipple::Init(QWidget* window, const QImage& picture) {
  Free();
  if (window == nullptr || picture.isNull() ||
      !Dib24::IsValidSize(picture.width(), picture.height())) {
    return false;
  }
  const QImage pixels = picture.convertToFormat(QImage::Format_BGR888);
  if (pixels.isNull()) return false;
  width_ = pixels.width();
  height_ = pixels.height();
  stride_ = static_cast<int>(Dib24::RowStride(width_));
  if (!Allocate()) {
    Free();
    return false;
  }
  for (int y = 0; y < height_; ++y) {
    const auto row = std::size_t(y) * stride_;
    std::memcpy(source_.data() + row, pixels.constScanLine(y), std::size_t(width_) * 3);
    std::memcpy(output_.data() + row, source_.data() + row, std::size_t(stride_));
  }
  view_ = new RippleView(window, *this, QSize(width_, height_));
  view_->show();
  timer_.start();
  return true;
}

bool CRipple::Allocate() {
  const std::size_t cells = std::size_t(width_) * std::size_t(height_);
  const std::size_t bytes = std::size_t(stride_) * std::size_t(height_);
  try {
    current_.assign(cells, 0);
    previous_.assign(cells, 0);
    source_.assign(bytes, 0);
    output_.assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void CRipple::Drop(int x, int y, int depth) {
  if (!IsBound()) return;
  depth = std::clamp(depth, -kMaxDepth, kMaxDepth);
  for (int j = -2; j <= 2; ++j) {
    for (int i = -2; i <= 2; ++i) {
      const int cx = x + i;
      const int cy = y + j;
      if (i * i + j * j > 4 || cx < 0 || cx >= width_ || cy < 0 || cy >= height_) continue;
      current_[std::size_t(cy) * width_ + cx] = depth;
    }
  }
}

void CRipple::Free() {
  timer_.stop();
  delete view_.data();  // the window may have deleted it already
  width_ = height_ = stride_ = 0;
  current_ = {};
  previous_ = {};
  source_ = {};
  output_ = {};
}

void CRipple::RippleTimerProc() {
  if (!IsBound()) return;
  Propagate();
  Refract();
  if (view_) view_->update();
}

// Every height but those of the first and last rows moves by half its neighbours'
// sum less its previous height, and loses 1/32 of the result. The neighbours left
// and right of a row's ends are the ends of the rows around it, as the maps are
// walked as one run.
void CRipple::Propagate() {
  const int w = width_;
  const std::size_t end = std::size_t(height_ - 1) * w;
  const int* a = current_.data();
  int* b = previous_.data();
  for (std::size_t k = w; k < end; ++k) {
    const int v = ((a[k - w] + a[k + w] + a[k - 1] + a[k + 1]) >> 1) - b[k];
    b[k] = v - (v >> 5);
  }
  current_.swap(previous_);
}

// Each pixel of the rows between the first and the last shows the source pixel the
// slopes of the water point it at; one pointed outside the picture keeps its value.
void CRipple::Refract() {
  const int w = width_;
  const int* a = current_.data();
  for (int y = 1; y < height_ - 1; ++y) {
    std::uint8_t* out = output_.data() + std::size_t(y) * stride_;
    for (int x = 0; x < w; ++x) {
      const std::size_t k = std::size_t(y) * w + x;
      const int sx = x + a[k - 1] - a[k + 1];
      const int sy = y + a[k - w] - a[k + w];
      if (sx < 0 || sx >= w || sy < 0 || sy >= height_) continue;
      std::memcpy(out + x * 3, source_.data() + std::size_t(sy) * stride_ + sx * 3, 3);
    }
  }
}

int CRipple::HeightAt(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return 0;
  return current_[std::size_t(y) * width_ + x];
}

QImage CRipple::Picture() const {
  if (!IsBound()) return {};
  return QImage(output_.data(), width_, height_, stride_, QImage::Format_BGR888);
}
