#include "app/main_window/start_dialog.h"

#include <QPainter>
#include <QScreen>

#include "model/painting/painting_helpers.h"
#include "platform/blocking_call.h"

namespace {

constexpr int kFirstFadeAlpha = 252;
constexpr int kFadeStep = 4;
constexpr int kFadeStepMs = 1;

}  // namespace

CStartDialog::CStartDialog(int holdMs)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      holdMs_(holdMs) {
  setFixedSize(kStartPictureSize);
}

int CStartDialog::DoModal() {
  if (!OnInitDialog()) return -1;
  return exec();
}

bool CStartDialog::OnInitDialog() {
  // 1-2. A 32-bit picture of the client size with the start picture drawn into it.
  image_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
  image_.fill(Qt::transparent);
  QPainter painter(&image_);
  const bool drawn = DrawPngResource(painter);
  painter.end();
  if (!drawn) return false;
  // 3. Topmost and frameless from the constructor; centred on the screen.
  if (const QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
  // 4-5. Shown whole, and the hold before the fade.
  ShowAlpha(255);
  return SetTimer(Handle(), kFadeTimer, static_cast<UINT>(holdMs_));
}

void CStartDialog::ShowAlpha(int alpha) {
  static_cast<void>(ApplyLayeredAlpha(this, image_, alpha));
}

void CStartDialog::OnTimer(WPARAM timerId) {
  // A tick queued before the timer was killed finds it gone and does nothing.
  if (timerId != kFadeTimer || !KillTimer(Handle(), kFadeTimer)) return;
  for (int alpha = kFirstFadeAlpha; alpha > 0; alpha -= kFadeStep) {
    ShowAlpha(alpha);
    WaitPumping(kFadeStepMs);
  }
  reject();
}

LRESULT CStartDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) OnTimer(wParam);
  return MessageWindow::WindowProc(msg, wParam, lParam);
}
