#pragma once
// CFrameDialog: the layout frame, the top-level window that holds the preview canvas
// with a toolbar above it and scroll bars. It keeps the canvas at the current screen's
// size times the zoom, centred, with a scroll bar in each direction where it does not
// fit, and hands the scroll position to the canvas as its drawing offset. Its toolbar
// zooms, sends the align and size commands to the canvas and asks the main window to
// play. Key presses that reach the frame go on to the canvas. It lives as long as the
// main window: neither its close button nor Esc closes or hides it.

#include <QScrollBar>

#include "app/canvas/preview_dialog.h"
#include "controls/bars/my_tool_bar.h"
#include "controls/dialogs/magnet_dialog.h"
#include "controls/shell/layout_frame_ids.h"

// The zoom steps, from 0.5 to 8: the next one up or down, or the zoom itself at the end.
float NextZoomIn(float zoom);
float NextZoomOut(float zoom);

// The window size the frame keeps (its smallest and largest alike, window frame
// included): what the zoomed screen needs, within the desktop less 40 pixels of height,
// and at least 600 x 100.
QSize FrameTrackingSize(float zoom, int screenWidth, int screenHeight, QSize desktop);

// One direction of the layout: the canvas's window gets what it needs when the room
// holds it, else the room and a scroll bar up to `maximum`.
struct FrameAxis {
  bool scroll = false;
  int canvas = 0;
  int maximum = 0;
};
FrameAxis LayOutFrameAxis(int room, int needed);

class CFrameDialog : public CMagnetDialog {
 public:
  static constexpr int kTemplateId = 147;

  // clock drives the canvas's players; it must outlive the frame.
  explicit CFrameDialog(const PlayClock& clock = SystemPlayClock());
  ~CFrameDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The toolbar's texts: those of the frame's section for simplified and traditional
  // Chinese, none (pictures alone) for the other languages.
  void ApplyLanguage();

  CPreviewDialog& Canvas() { return canvas_; }
  CMyToolBar& ToolBar() { return toolbar_; }
  QScrollBar& HorizontalBar() { return *horizontal_; }
  QScrollBar& VerticalBar() { return *vertical_; }
  // The canvas's window as laid out, its 2-pixel sunken edge included.
  QRect CanvasWindowRect() const { return canvasWindow_; }
  float Zoom() const { return zoom_; }
  QSize ScreenSize() const { return {screenWidth_, screenHeight_}; }
  QPoint ScrollPosition() const { return {scrollX_, scrollY_}; }
  int Playing() const { return playing_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreateToolBar();
  void OnCommand(UINT command);
  void ChangeZoom(float zoom);
  void OnScreenSize(int width, int height);
  void OnPlayToggle(WPARAM state);
  void ShowPlayButton();
  void OnScrolled();
  // Dispatches what is pending, then fits the window to the canvas and lays it out,
  // as many times as asked.
  void ReLayOut(int times);
  void ApplyTrackingSize();
  void LayOut();
  // One pass of the layout; false when it showed or hid a scroll bar, which changes
  // the room of the next pass.
  bool LayOutOnce();

  CPreviewDialog canvas_;
  CMyToolBar toolbar_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  QRect canvasWindow_;
  int screenWidth_ = 512;
  int screenHeight_ = 32;
  float zoom_ = 1.0f;
  int scrollX_ = 0;
  int scrollY_ = 0;
  int playing_ = 0;
};
