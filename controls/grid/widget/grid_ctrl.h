#pragma once
// The grid control: a scroll area whose viewport paints a GridModel, and a message
// window, so that owners address it by handle and receive its WM_NOTIFY messages.
// The viewport is the client area without scroll bars; its scroll bars hold the pixel
// positions of the non-fixed area. Qt's backing store double-buffers every paint.

#include <QAbstractScrollArea>
#include <QRect>

#include <cstdint>

#include "controls/grid/model/grid_model.h"
#include "platform/message_window.h"

class CGridCtrl : public QAbstractScrollArea, public GridModel, public MessageWindow {
 public:
  // The control id Create gives the window.
  static constexpr int kControlId = 100;
  // Scroll-bar state bits.
  static constexpr std::uint32_t kHorzBarShown = 0x01;
  static constexpr std::uint32_t kVertBarShown = 0x02;

  explicit CGridCtrl(QWidget* parent = nullptr);
  ~CGridCtrl() override;

  // Places the window in the parent with control id 100 and shows it, then gives every
  // row the normal default cell's height and every column its width.
  bool Create(const QRect& rect, QWidget* parent);

  int GetDlgCtrlID() const { return controlId_; }
  void SetDlgCtrlID(int id) { controlId_ = id; }
  // The window notifications go to; without one (or when it has gone) the nearest
  // ancestor that is a MessageWindow.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND GetOwner() const { return owner_; }

  std::uint32_t GetScrollBarState() const { return scrollBarState_; }
  int GetVertScrollRange() const { return vertScrollRange_; }
  int GetHorzScrollRange() const { return horzScrollRange_; }

  // Recomputes the scroll bars from the grid's size and the client area.
  void UpdateScrollBars() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

  bool HasWindow() const override { return true; }
  PixelRect GetClientRect() const override;
  int GetHorzScrollPos() const override;
  int GetVertScrollPos() const override;
  void InvalidateRect(const PixelRect& rect) override;
  void InvalidateAll() override;
  LRESULT NotifyOwner(NMHDR* header) override;
  void ReportOutOfMemory() override;

 private:
  // The window a notification goes to, null when there is none.
  HWND Receiver() const;
  void ShowBar(Qt::Orientation orientation, bool show, int range, int page);

  int controlId_ = 0;
  HWND owner_ = nullptr;
  std::uint32_t scrollBarState_ = 0;
  int vertScrollRange_ = 0;
  int horzScrollRange_ = 0;
  bool inSize_ = false;  // a size change is being handled (showing a bar resizes)
};
