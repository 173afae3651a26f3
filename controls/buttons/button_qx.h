#pragma once
// The image push button of the dialogs: an icon or a masked bitmap left of, above or
// right of a word-wrapped caption; flat, with a blue two-band gradient while hovered or
// pressed. It can behave as a check box, carry a tooltip, a cursor of its own, a
// drop-down menu (whose chosen command is posted to a window) or a link it opens.
// DrawBackground and DrawBorder are the two steps a derived button may paint its own way.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QPushButton>

#include <vector>

#include "controls/buttons/kv_menu.h"
#include "platform/window_handle.h"
#include "render/raster/color_ref.h"
#include "render/raster/pixel_rect.h"

// The colours of the hover gradient, one per row of the rectangle (rows from its top to
// its bottom coordinate): half = bottom / 2 rows from RGB(192,237,255), then
// bottom - half rows from RGB(104,195,249).
std::vector<ColorRef> ButtonGradientRows(const PixelRect& rect);

class CButtonQx : public QPushButton {
 public:
  enum class IdleIcon { Grey };  // SetIcon: make the idle icon a grey copy of the primary

  // The widest line of a tooltip, in pixels.
  static constexpr int kTipWidth = 400;
  // The dialog code of a button (DLGC_BUTTON) and its default-push-button marks.
  static constexpr LRESULT kDlgcButton = 0x2000;
  static constexpr LRESULT kDlgcDefPushButton = 0x0010;
  static constexpr LRESULT kDlgcUndefPushButton = 0x0020;

  explicit CButtonQx(QWidget* parent = nullptr);
  CButtonQx(const QString& caption, QWidget* parent);

  // The window style the button was made with, or a later style request: the low five
  // bits are the button type; bit value 2 turns check-box mode on; type 1 (a default
  // push button) sets the default-button flag and type 0 clears it.
  void SetButtonStyle(UINT style);

  // Frees every image and sets the icon, and the idle icon when one is given; a null
  // primary only frees the images. Returns 0, or 1 when the grey copy cannot be made
  // (no image is then left).
  [[nodiscard]] int SetIcon(const QPixmap& primary, const QPixmap& idle = QPixmap());
  [[nodiscard]] int SetIcon(const QPixmap& primary, IdleIcon idle);

  // Frees every image and reads the bitmap files: the primary with white as its
  // transparent colour, the idle one (when a path is given) with black. An empty primary
  // path only frees the images. Returns 0; 1 when a file cannot be read; 2 when a mask
  // cannot be made (no image is then left).
  [[nodiscard]] int SetButtonBitmaps(const QString& primaryPath,
                                     const QString& idlePath = QString());

  // 0 image left of the caption, 1 above it, 2 right of it; other values are ignored.
  void SetImageAlignment(int alignment);

  void SetHoverBackground(ColorRef color);
  void SetHoverText(ColorRef color);
  void SetNormalBackground(ColorRef color);
  void SetNormalText(ColorRef color);
  void SetFocusBackground(ColorRef color);

  void CreateTooltip();
  // Nothing for a null text; else the tip's text, shown only when activated.
  void SetTipText(const QString& text, bool activate);

  // Check-box mode only: 1 or 2 checks, anything else unchecks.
  void SetCheck(int state);
  int GetCheck() const { return checked_ ? 1 : 0; }

  // The dialog code: a button, and a default or non-default push button.
  LRESULT DialogCode() const;
  // The button type of the last style (0 for push buttons, default or not).
  UINT ButtonType() const { return buttonType_; }

  void SetFlatLook(bool flat);
  void SetTransparentBackground(bool transparent);
  void SetDrawBorder(bool drawBorder);
  void SetFocusRectWhenFlat(bool focusRect);
  void SetAlwaysTrack(bool alwaysTrack);
  void SetGreyBitmapWhenDisabled(bool grey);
  void SetButtonCursor(const QCursor& cursor) { setCursor(cursor); }
  // The path or address a click opens (when no menu is attached).
  void SetLink(const QString& link) { link_ = link; }
  // Loads the drop-down menu (its first popup is shown) and the window its chosen
  // command is posted to as WM_COMMAND; the LoadMenu result.
  [[nodiscard]] int SetMenu(int menuId, HWND notifyWindow);

 protected:
  // Fill of the background: plain while idle, the gradient while hovered or pressed.
  virtual int DrawBackground(QPainter& painter, const PixelRect& rect);
  // The 3D border of a flat button while hovered or pressed.
  virtual int DrawBorder(QPainter& painter, const PixelRect& rect);

  // The drawing state of the paint under way.
  bool IsHovered() const { return hovered_; }
  bool IsPressed() const { return pressed_; }
  bool IsFocusedState() const { return focused_; }
  ColorRef HoverBackground() const { return hoverBackground_; }
  ColorRef NormalBackground() const { return normalBackground_; }
  ColorRef FocusBackground() const { return focusBackground_; }

  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void OnClicked();
  void TrackHover(bool pointerInside, bool leftButtonDown);
  void ClearHover();
  void FreeImages();
  void ApplyTip();
  // Draws the icon or bitmap and narrows the caption rectangle beside it.
  void DrawImage(QPainter& painter, PixelRect& caption);
  QPoint PlaceImage(QSize size, PixelRect& caption) const;
  void DrawCaption(QPainter& painter, PixelRect caption);
  void DrawEdges(QPainter& painter, const PixelRect& rect);

  bool greyBitmapWhenDisabled_ = true;
  bool flat_ = true;
  bool hovered_ = false;
  bool transparentBackground_ = false;
  bool pressed_ = false;
  bool focused_ = false;
  bool disabled_ = false;
  bool defaultButton_ = false;
  bool checkBoxMode_ = false;
  int imageAlignment_ = 0;
  bool drawBorder_ = true;
  bool focusRectWhenFlat_ = false;
  ColorRef hoverBackground_;
  ColorRef hoverText_;
  ColorRef normalBackground_;
  ColorRef normalText_;
  ColorRef focusBackground_;
  HWND menuNotify_ = nullptr;
  bool menuShown_ = false;
  KvMenu menu_;
  bool tipCreated_ = false;
  bool tipActive_ = false;
  QString tipText_;
  bool alwaysTrack_ = true;
  bool checked_ = false;
  UINT buttonType_ = 31;
  QString link_;
  QImage icons_[2];    // primary, idle
  QImage bitmaps_[2];  // primary, idle; transparent pixels have alpha 0
};
