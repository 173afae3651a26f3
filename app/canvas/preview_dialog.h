#pragma once
// CPreviewDialog: the preview canvas inside the preview frame. It shows the current
// screen at a zoom in one of four modes: the program being edited with its areas
// playing live and outlined (0), the play list playing (3), the boot logo's area (7),
// or a black screen (-1). Every 30 ms (timer 1) the mode draws into the picture of the
// screen pixels the window shows (registered as PreviewPicture, which the players draw
// into), which is then enlarged into the zoomed picture with a pixel grid; paint
// copies the one in use to the window. Neither holds more than the window shows, so a
// large screen costs no more memory than a small one. The project tree, the pages, the main window
// and the frame drive it by messages (UM_CANVAS_COMMAND, UM_CANVAS_RELOAD) and the frame by
// SetCanvasSize, SetZoom and SetScroll. The mouse selects areas (through the project tree), moves
// and resizes them; the arrow keys move the selected area, Tab picks the next, and UM_CANVAS_ALIGN
// aligns or sizes it (edit_geometry.h). GUI thread only.

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

#include "app/canvas/canvas_ids.h"
#include "app/canvas/canvas_view.h"
#include "app/canvas/edit_geometry.h"
#include "platform/message_window.h"
#include "render/common/play_clock.h"
#include "render/raster/screen_picture.h"

struct AreaRecord;
class CAreaPlayer;
class CEditCanvas;
class CProgramListPlayer;
class KvMenu;

// The timers of the canvas.
constexpr UINT kCanvasFrameTimer = 1;    // 30 ms: draw one frame
constexpr UINT kCanvasBadgeTimer = 2;    // 2000 ms: hide the zoom badge
constexpr UINT kCanvasHoverTimer = 101;  // 200 ms: clear the hover once the mouse has left

// The modes.
constexpr int kCanvasBlank = -1;
constexpr int kCanvasEdit = 0;
constexpr int kCanvasPlay = 3;
constexpr int kCanvasLogo = 7;

struct CanvasHooks {
  // Shows the context menu at a global point and returns the command id chosen (0:
  // none). Default: the menu runs modally.
  std::function<UINT(KvMenu& menu, const QPoint& at)> showMenu;
};

class CPreviewDialog : public QWidget, public MessageWindow {
 public:
  // The template number of the canvas.
  static constexpr int kTemplateId = 148;

  // clock drives every player the canvas makes; it must outlive the canvas.
  explicit CPreviewDialog(QWidget* parent = nullptr, const PlayClock& clock = SystemPlayClock(),
                          CanvasHooks hooks = {});
  ~CPreviewDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The screen's size and zoom; nothing changes (the zoom neither) when the size is the
  // one stored.
  void SetCanvasSize(int width, int height, float zoom);
  // A new zoom shows the badge "%d%%" for 2000 ms; the stored zoom changes nothing.
  void SetZoom(float zoom);
  // The scroll position, in zoomed pixels, from which the window shows the screen.
  void SetScroll(int x, int y);

  int Mode() const { return mode_; }
  float Zoom() const { return view_.zoom; }
  int SelectedIndex() const { return selectedIndex_; }
  int HoveredIndex() const { return hoveredIndex_; }
  int HitKind() const { return hitKind_; }
  int CursorId() const { return cursorId_; }
  bool Dragging() const { return dragging_; }
  bool ZoomBadgeShown() const { return zoomBadge_; }
  bool HasListPlayer() const { return listPlayer_ != nullptr; }
  bool HasLogoPlayer() const { return logoPlayer_ != nullptr; }
  const CEditCanvas* EditCanvas() const { return editCanvas_.get(); }
  // What the window shows, as paint copies it.
  QImage Shown() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnFrameTimer();
  void OnTimer(WPARAM id);
  void OnCanvasCommand(int operation, LPARAM argument);
  void OnContextMenu(const QPoint& at);
  void OnSetCursor();

  // Editing by mouse, keys and commands.
  // The hit kind, cursor and hovered area at a client point.
  void HitTest(const QPoint& point);
  // The mouse handlers, called from Qt's mouse events with the client point; the move
  // also with the mouse-key flags (platform/input_codes.h). The right button's release
  // opens the context menu (OnContextMenu).
  void OnMouseMove(UINT flags, const QPoint& point);
  void OnButtonDown(const QPoint& point, bool left);
  void OnLeftButtonUp(const QPoint& point);
  void DragTo(const QPoint& point);
  // Tab and the arrows; false when the key was left alone.
  bool OnCanvasKey(int key);
  void OnCanvasAlign(int type);
  // The area under the mouse, or the program when none, selected in the project tree.
  void SelectUnderMouse();
  // After a change of the selected area's size: its player again, or the logo's file.
  void AfterResize();
  // The page that shows the changed rectangle loads it again.
  void LoadSelection();
  void LoadAreaPage();
  // The area at a 1-based position of CanvasAreaList; null outside it.
  AreaRecord* AreaAt(int position) const;
  EditBounds BoundsOf(const AreaRecord& area) const;
  void DeletePlayers();
  // The edit canvas of the selected program (or the selected area's program), built
  // when absent.
  void EnsureEditCanvas();
  // Op 1: the area at a 1-based position of CanvasAreaList goes on top and is
  // selected; 0 or less selects none.
  void SelectArea(int position);

  void DrawEditFrame();
  void DrawPlayFrame();
  void DrawLogoFrame();
  void DrawBlankFrame();
  void DrawZoomBadge();
  // The zoomed picture from the unzoomed one, with the pixel grid.
  void Stretch();
  // Outlines of CanvasAreaList through the overlay onto the picture in use.
  void DrawOverlayOutlines();
  void DrawLogoOutlines();
  // The view size from the client size; a hidden window gets its resize event only
  // when shown.
  void SyncViewSize();
  // The zoomed picture, overlay and dot pattern for the view as it is now, and the
  // picture of the visible screen pixels.
  void RebuildViewPictures();
  // The picture of the visible screen pixels for the view as it is now, reallocated only
  // when its size changes (VisibleScreenPart).
  void PlaceVisible();
  bool Zoomed() const { return view_.zoom != 1.0f; }
  QPoint ScrollPosition() const { return {view_.scrollX, view_.scrollY}; }
  QImage& PictureInUse() { return Zoomed() ? zoomed_ : visible_.image; }
  // Where the window's top-left corner lies on the unzoomed picture.
  QPoint UnzoomedCorner() const { return ScrollPosition() - visible_.origin; }

  const PlayClock& clock_;
  CanvasHooks hooks_;

  int mode_ = kCanvasBlank;
  int savedMode_ = kCanvasBlank;
  int savedSelectedIndex_ = 0;
  std::unique_ptr<CProgramListPlayer> listPlayer_;
  std::unique_ptr<CAreaPlayer> logoPlayer_;
  std::unique_ptr<CEditCanvas> editCanvas_;
  int itemIndex_ = -2;
  int hoveredIndex_ = 0;
  int selectedIndex_ = 0;
  int anchorX_ = 0;
  int anchorY_ = 0;
  int cursorId_ = kCursorArrow;
  int hitKind_ = 0;
  bool dragging_ = false;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  CanvasView view_;  // the zoom, the scroll position and the client size
  bool zoomBadge_ = false;

  ScreenPicture visible_;  // the screen pixels the window shows, one pixel a screen pixel
  QImage zoomed_;          // the visible part enlarged (canvas_view.h)
  QImage dotPattern_;
  QImage overlay_;  // view-sized: outlines on black, copied with black transparent
};
