#include "controls/dialogs/loading_dialog.h"

#include <QApplication>
#include <QBasicTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>

namespace {

constexpr int kTemplateSize = 200;  // the window without a rectangle
constexpr int kRepaintMs = 150;     // timer 1
constexpr int kAlpha = 200;         // of 255, for the whole window
constexpr int kMessageBand = 20;    // the message's band at the bottom
// The animation's hold time for a single frame: so long that it never ends.
constexpr int kHoldForeverMs = 0x3FFFFF9C;

// The rectangle of the given size centred on the parent, or on the primary screen.
QRect CentredOn(const QWidget* parent, QSize size) {
  QRect around;
  if (parent != nullptr) {
    around = parent->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    around = screen->availableGeometry();
  }
  QRect rect(QPoint(0, 0), size);
  rect.moveCenter(around.center());
  return rect;
}

}  // namespace

// The window itself: it hands its painting, its timer and its end to the object.
class CLoadingDialog::BusyWindow : public QWidget {
 public:
  BusyWindow(CLoadingDialog& owner, QWidget* parent)
      : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // painted whole: no erasing first
  }
  ~BusyWindow() override {
    timer_.stop();
    owner_.OnDestroy();
  }
  void StartTimer() { timer_.start(kRepaintMs, this); }

 protected:
  void paintEvent(QPaintEvent*) override { owner_.Paint(*this); }
  void timerEvent(QTimerEvent* event) override {
    if (event->timerId() == timer_.timerId()) owner_.OnTimer(*this);
    QWidget::timerEvent(event);
  }

 private:
  CLoadingDialog& owner_;
  QBasicTimer timer_;
};

CLoadingDialog::CLoadingDialog(const PlayClock& clock) : animation_(clock) {}

CLoadingDialog::~CLoadingDialog() {
  message_.clear();
  delete window_.data();
}

void CLoadingDialog::ShowBusy(const QString& message, std::optional<QRect> screenRect,
                              QWidget* parent) {
  delete window_.data();
  message_ = message;
  if (screenRect) {
    width_ = std::max(screenRect->width(), 1);
    height_ = std::max(screenRect->height(), 1);
  }
  auto* window = new BusyWindow(*this, parent);
  window_ = window;
  window->setWindowTitle(message);  // what assistive tools read
  window->setGeometry(screenRect ? *screenRect : CentredOn(parent, {width_, height_}));
  OnInitDialog();
  window->StartTimer();
  window->setWindowOpacity(kAlpha / 255.0);
  window->show();
}

void CLoadingDialog::OnInitDialog() {
  picture_ = QImage(width_, height_, QImage::Format_RGB32);
  picture_.fill(Qt::black);
  // Without its picture the window still shows its message over black.
  if (animation_.LoadResource(kBusyAnimationResource, picture_, width_, height_) == 0) return;
  animation_.SetStayTime(kHoldForeverMs);
  animation_.Play();
}

void CLoadingDialog::Paint(QWidget& window) {
  animation_.Draw(picture_, width_, height_);
  QPainter painter(&window);
  painter.drawImage(0, 0, picture_);
  if (message_.isEmpty()) return;
  const QRect band(0, height_ - kMessageBand, width_, kMessageBand);
  painter.setClipRect(band);
  painter.setPen(Qt::white);
  painter.setFont(QApplication::font());
  painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, message_);
}

void CLoadingDialog::OnTimer(QWidget& window) { window.repaint(); }

void CLoadingDialog::OnDestroy() { picture_ = QImage(); }
