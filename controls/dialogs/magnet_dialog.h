#pragma once
// CMagnetDialog: the base of top-level windows that stick together. A window attached
// to a master snaps to the master's edges when it comes within kSnapDistance of them
// and, while docked, follows the master when the master moves or changes size. Any
// window of the class is dragged by a press on a free spot of its surface.
//
// A drag by the surface is snapped as it happens where the program places windows
// (X11); a move or resize the window manager makes (title bar, borders) is snapped
// once it has settled. On Wayland windows are moved by the compositor and neither
// snap nor follow.
//
// Master and followers hold guarded pointers: a master destroyed first leaves its
// followers undocked without a master; a follower destroyed leaves its master's list.

#include <QDialog>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <vector>

#include "controls/dialogs/magnet_snap.h"
#include "platform/message_window.h"

class WindowDrag;

class CMagnetDialog : public QDialog, public MessageWindow {
 public:
  explicit CMagnetDialog(QWidget* parent = nullptr);
  ~CMagnetDialog() override;

  // Attaches this window to master: it leaves its previous master's list and joins
  // the new one's. 0 when master is null, this window or already its master, else 1.
  [[nodiscard]] int AttachTo(CMagnetDialog* master);
  // Appends a follower unless it is already listed.
  void AddAttached(CMagnetDialog* window);
  // Removes a follower when it is listed.
  void RemoveAttached(CMagnetDialog* window);

  // Derived windows pass the messages they do not consume on to this one.
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  CMagnetDialog* Master() const { return master_; }
  // The living followers, in the order they were attached.
  std::vector<CMagnetDialog*> Attached() const;
  MagnetDock Dock() const { return {docked_, offset_, side_}; }

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The frame rectangle this window takes for a proposed one, snapped to the master
  // unless there is none or it is minimised; works out the dock anew.
  QRect SnapProposal(const QRect& proposal);
  void OnGeometryChanged();
  void SettleAfterWindowManager();
  void FollowMaster(const QRect& masterFrame);
  void Place(const QRect& frame);
  void SetDock(const MagnetDock& dock);

  QPointer<CMagnetDialog> master_;
  std::vector<QPointer<CMagnetDialog>> attached_;
  int docked_ = 0;
  int offset_ = 0;
  int side_ = kSideNone;

  WindowDrag* drag_;
  QTimer settleTimer_;  // runs from a window-manager move or resize until it settles
  QRect settled_;       // the frame when the window last settled: tells resizes from moves
  QRect placed_;        // the frame this program last gave the window
};
