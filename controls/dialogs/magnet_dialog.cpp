#include "controls/dialogs/magnet_dialog.h"

#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>

#include "controls/support/window_drag.h"

namespace {

// A move or resize by the window manager is snapped once this long has passed
// without another, so the window manager's own interactive drag is not fought.
constexpr int kSettleMs = 150;

PixelRect ToPixelRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace

CMagnetDialog::CMagnetDialog(QWidget* parent)
    : QDialog(parent), drag_(new WindowDrag(this, [this](const QRect& proposal) {
        placed_ = SnapProposal(proposal);
        settled_ = placed_;
        return placed_;
      })) {
  settleTimer_.setSingleShot(true);
  settleTimer_.setInterval(kSettleMs);
  QObject::connect(&settleTimer_, &QTimer::timeout, this, [this] { SettleAfterWindowManager(); });
}

CMagnetDialog::~CMagnetDialog() {
  if (master_) master_->RemoveAttached(this);
  for (const QPointer<CMagnetDialog>& follower : attached_) {
    if (!follower) continue;
    follower->master_ = nullptr;
    follower->SetDock({});
  }
}

int CMagnetDialog::AttachTo(CMagnetDialog* master) {
  if (!master || master == this || master == master_) return 0;
  if (master_) master_->RemoveAttached(this);
  master->AddAttached(this);
  master_ = master;
  return 1;
}

void CMagnetDialog::AddAttached(CMagnetDialog* window) {
  if (!window) return;
  if (std::find(attached_.begin(), attached_.end(), window) != attached_.end()) return;
  attached_.emplace_back(window);
}

void CMagnetDialog::RemoveAttached(CMagnetDialog* window) {
  std::erase_if(attached_, [window](const QPointer<CMagnetDialog>& listed) {
    return !listed || listed == window;
  });
}

LRESULT CMagnetDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

std::vector<CMagnetDialog*> CMagnetDialog::Attached() const {
  std::vector<CMagnetDialog*> living;
  for (const QPointer<CMagnetDialog>& follower : attached_) {
    if (follower) living.push_back(follower);
  }
  return living;
}

void CMagnetDialog::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  OnGeometryChanged();
}

void CMagnetDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  OnGeometryChanged();
}

void CMagnetDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (settled_.isNull()) settled_ = frameGeometry();
}

QRect CMagnetDialog::SnapProposal(const QRect& proposal) {
  if (!master_ || master_->isMinimized()) return proposal;
  WindowPos pos{proposal.x(), proposal.y(), proposal.width(), proposal.height()};
  MagnetDock dock = Dock();
  const QRect current = settled_.isNull() ? frameGeometry() : settled_;
  Snap(pos, ToPixelRect(current), ToPixelRect(master_->frameGeometry()), dock);
  SetDock(dock);
  // A resize snapped past the opposite edge still leaves the window a pixel.
  return QRect(pos.x, pos.y, std::max(pos.cx, 1), std::max(pos.cy, 1));
}

void CMagnetDialog::OnGeometryChanged() {
  const QRect frame = frameGeometry();
  for (CMagnetDialog* follower : Attached()) follower->FollowMaster(frame);
  // Only a change this program did not make is snapped, once it has settled.
  if (frame != placed_ && !drag_->IsDragging()) settleTimer_.start();
}

void CMagnetDialog::SettleAfterWindowManager() {
  const QRect frame = frameGeometry();
  if (frame == placed_) return;  // a late report of a place this program chose
  Place(SnapProposal(frame));
}

void CMagnetDialog::FollowMaster(const QRect& masterFrame) {
  if (!docked_) return;
  const WindowPos pos =
      FollowPosition(ToPixelRect(frameGeometry()), ToPixelRect(masterFrame), Dock());
  Place(QRect(pos.x, pos.y, pos.cx, pos.cy));
}

void CMagnetDialog::Place(const QRect& frame) {
  placed_ = frame;
  settled_ = frame;
  const QRect now = frameGeometry();
  if (frame == now) return;
  if (frame.size() == now.size()) {
    move(frame.topLeft());
    return;
  }
  // setGeometry takes the client rectangle: take the frame's margins off.
  const QRect client = geometry();
  setGeometry(frame.adjusted(client.left() - now.left(), client.top() - now.top(),
                             client.right() - now.right(), client.bottom() - now.bottom()));
}

void CMagnetDialog::SetDock(const MagnetDock& dock) {
  docked_ = dock.docked;
  offset_ = dock.offset;
  side_ = dock.side;
}
