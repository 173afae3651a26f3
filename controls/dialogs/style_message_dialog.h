#pragma once
// The styled message box every notice and question goes through: a 500 x 260 frameless
// box cut out of its picture by the see-through colour, with a blinking sprite, the
// style's icon, the wrapped text and one to three buttons. Only the buttons end it:
// Enter, Escape and a close request leave it open.

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStyle>
#include <QTimer>

// The codes of the buttons, as ShowStyleMessage answers them.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Control ids of the buttons; their captions are "PUBLIC" 1000 to 1003.
constexpr int kIdcMessageOk = 1452;
constexpr int kIdcMessageCancel = 1453;
constexpr int kIdcMessageYes = 1003;
constexpr int kIdcMessageNo = 1454;

// Shows the text modally over the active window and answers the button pressed:
// kIdOk, kIdCancel, kIdYes or kIdNo. The low four bits of style choose the buttons
// (1 OK and Cancel, 3 Yes, No and Cancel, any other OK alone); the whole value
// chooses the icon (see StyleMessageIcon). A box that ends without a button (its
// parent destroyed, the application quitting) answers kIdCancel.
int ShowStyleMessage(const QString& message, int style);

// The pictures of the box: the 500 x 260 background whose see-through parts are
// exactly kSeeThroughColor, and the 24 x 16 sprite.
struct StyleMessagePictures {
  QImage background;
  QImage sprite;
};
inline constexpr QRgb kSeeThroughColor = 0xFFF6FAFE;  // RGB(246, 250, 254)

// Pictures 505 and 507 of the program's resources.
StyleMessagePictures LoadStyleMessagePictures();

// The icon of a style value: 48-63 the warning, 16-31 the error, any other the
// information icon (a question is not singled out).
QStyle::StandardPixmap StyleMessageIcon(int style);

// The font of the message text: the application's font at 16 pixels, normal weight.
QFont StyleMessageFont();

class CStyleMessageDialog : public QDialog {
 public:
  CStyleMessageDialog(const QString& message, int style, QWidget* parent = nullptr,
                      const StyleMessagePictures& pictures = LoadStyleMessagePictures());

  // The code of the button that ended the box; kIdCancel until one does.
  int Result() const { return result_; }
  const QString& Message() const { return message_; }
  bool SpriteShown() const { return spriteShown_ != 0; }
  // The background with the icon and the text drawn in.
  const QImage& Background() const { return background_; }
  const QTimer& BlinkTimer() const { return blink_; }

  // One tick of the blink timer: shows a hidden sprite for 300 ms, hides a shown one
  // for 2000 ms.
  void OnBlinkTimer();

  // Escape and the like do not end the box.
  void reject() override {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void DrawIconAndText();
  void AddButtons();
  void OnButton(int result);

  QImage background_;
  QImage sprite_;
  int spriteShown_ = 0;
  int style_;
  QString message_;
  int result_ = kIdCancel;
  QTimer blink_;
};
