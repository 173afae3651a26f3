#pragma once
// The look of the panes, pages and the start window: caption bands, gradient headers,
// framed panels, the start picture and window transparency.

#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>

class QComboBox;
class QPainter;
class QWidget;

// Height of the caption band of the device panes, in pixels.
constexpr int kCaptionBandHeight = 34;
// Number of lines of the gradient header of the editor pages.
constexpr int kGradientHeaderLines = 25;
// Size of the start-window picture.
constexpr QSize kStartPictureSize{620, 420};

// Draws the start-window picture at (0, 0) in its own size. False when the picture
// resource is missing or cannot be loaded.
[[nodiscard]] bool DrawPngResource(QPainter& painter);

// Shows the source picture as the window's content, blended with the constant alpha
// (0-255) and the picture's own per-pixel alpha. Needs a compositing window manager
// for the transparency; without one the window is opaque. Returns true.
[[nodiscard]] bool ApplyLayeredAlpha(QWidget* window, const QImage& source, int alpha);

// The caption band over the top of the window's client area; the icon, when not
// null, and the caption are centred together as one group.
void DrawCaptionBand(QWidget* window, const QString& caption, const QIcon& icon,
                     QPainter& painter);

// The header of the editor pages across the window's client area, caption centred or
// starting 24 pixels from the left.
void DrawGradientHeader(const QString& caption, bool centred, QWidget* window,
                        QPainter& painter);

// A framed panel in rect: the header, with `body` a body gradient (from a height of
// 27 pixels on), the outline and the caption.
void DrawPanelFrame(const QString& caption, bool centred, bool body, QPainter& painter,
                    const QRect& rect);

// DrawPanelFrame over the window's client rectangle.
void DrawPanelFrameClient(const QString& caption, bool centred, bool body, QWidget* window,
                          QPainter& painter);

// Adds the name of every font family of the system to the combo box.
void AddFontNames(QComboBox* comboBox);

// The colour of header line `line` (0-24).
QColor GradientHeaderColor(int line);
