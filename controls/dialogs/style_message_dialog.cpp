#include "controls/dialogs/style_message_dialog.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTextLayout>

#include <array>

#include "controls/support/window_drag.h"
#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kBoxSize(500, 260);
constexpr QPoint kIconAt(200, 110);
constexpr QRect kTextRect(240, 115, 230, 100);  // (240, 115)-(470, 215)
constexpr QRect kSpriteRect(80, 50, 24, 16);
constexpr QSize kButtonSize(64, 24);
constexpr int kButtonTop = 220;
constexpr int kBlinkHiddenMs = 2000;
constexpr int kBlinkShownMs = 300;
constexpr int kIconSize = 32;

struct MessageButton {
  int controlId;
  int result;
  int captionNumber;  // in "PUBLIC"
};
constexpr MessageButton kButtons[] = {
    {kIdcMessageOk, kIdOk, 1000},
    {kIdcMessageCancel, kIdCancel, 1001},
    {kIdcMessageYes, kIdYes, 1002},
    {kIdcMessageNo, kIdNo, 1003},
};

// The left edge of each button the style shows, in the order of kButtons; -1 hidden.
std::array<int, 4> ButtonLefts(int style) {
  switch (style & 0xF) {
    case 1: return {340, 410, -1, -1};
    case 3: return {-1, 410, 260, 340};
    default: return {410, -1, -1, -1};
  }
}

// Draws text into rect as an edit control does: wrapped at word breaks (a word wider
// than the rectangle anywhere), and a line that would not fit wholly is left out.
void DrawWrappedText(QPainter& painter, const QRect& rect, QString text, const QFont& font) {
  text.replace(u"\r\n"_s, QString(QChar::LineSeparator));
  text.replace(u'\n', QChar::LineSeparator);
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  const int lineHeight = QFontMetrics(font).height();
  int fitted = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(rect.width());
    const int top = fitted * lineHeight;
    if (top + lineHeight > rect.height()) break;
    line.setPosition(QPointF(0, top));
    ++fitted;
  }
  layout.endLayout();
  for (int i = 0; i < fitted; ++i) layout.lineAt(i).draw(&painter, rect.topLeft());
}

}  // namespace

StyleMessagePictures LoadStyleMessagePictures() {
  return {QImage(u":/images/505.png"_s), QImage(u":/images/507.png"_s)};
}

QStyle::StandardPixmap StyleMessageIcon(int style) {
  if (style >= 48 && style <= 63) return QStyle::SP_MessageBoxWarning;
  if (style >= 16 && style <= 31) return QStyle::SP_MessageBoxCritical;
  return QStyle::SP_MessageBoxInformation;
}

QFont StyleMessageFont() {
  QFont font = QApplication::font();
  font.setPixelSize(16);
  font.setWeight(QFont::Normal);
  return font;
}

CStyleMessageDialog::CStyleMessageDialog(const QString& message, int style, QWidget* parent,
                                         const StyleMessagePictures& pictures)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), style_(style), message_(message) {
  setFixedSize(kBoxSize);
  // A picture of another size is laid on a white box rather than trusted.
  background_ = QImage(kBoxSize, QImage::Format_RGB32);
  background_.fill(Qt::white);
  QPainter(&background_).drawImage(0, 0, pictures.background);
  sprite_ = pictures.sprite.convertToFormat(QImage::Format_RGB32);
  DrawIconAndText();
  // The see-through colour cuts the box's outline; a mask needs no compositor. The
  // mono image marks the colour's pixels white, which a bitmap leaves out.
  setMask(QBitmap::fromImage(background_.createMaskFromColor(kSeeThroughColor, Qt::MaskInColor)));
  AddButtons();
  new WindowDrag(this, nullptr);
  QObject::connect(&blink_, &QTimer::timeout, this, [this] { OnBlinkTimer(); });
  blink_.start(kBlinkHiddenMs);
}

void CStyleMessageDialog::DrawIconAndText() {
  QPainter painter(&background_);
  const QIcon icon = style()->standardIcon(StyleMessageIcon(style_), nullptr, this);
  painter.drawPixmap(kIconAt, icon.pixmap(kIconSize, kIconSize));
  painter.setPen(Qt::black);
  DrawWrappedText(painter, kTextRect, message_, StyleMessageFont());
}

void CStyleMessageDialog::AddButtons() {
  const std::array<int, 4> lefts = ButtonLefts(style_);
  for (std::size_t i = 0; i < std::size(kButtons); ++i) {
    const MessageButton& entry = kButtons[i];
    auto* button = new QPushButton(this);
    SetControlId(button, entry.controlId);
    // Neither default nor auto-default, so Enter presses nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(QRect(QPoint(lefts[i], kButtonTop), kButtonSize));
    button->setVisible(lefts[i] >= 0);
    // The button was just made with this id, so its control is always found.
    (void)SetDlgItemLangText(this, entry.controlId, lang_section::PUBLIC, entry.captionNumber);
    const int result = entry.result;
    QObject::connect(button, &QPushButton::clicked, this, [this, result] { OnButton(result); });
  }
}

void CStyleMessageDialog::OnButton(int result) {
  result_ = result;
  QDialog::done(result == kIdOk || result == kIdYes ? Accepted : Rejected);
}

void CStyleMessageDialog::OnBlinkTimer() {
  spriteShown_ = spriteShown_ ? 0 : 1;
  blink_.start(spriteShown_ ? kBlinkShownMs : kBlinkHiddenMs);
  repaint(kSpriteRect);
}

void CStyleMessageDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, background_);
  if (spriteShown_) painter.drawImage(kSpriteRect.topLeft(), sprite_);
}

void CStyleMessageDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

int ShowStyleMessage(const QString& message, int style) {
  // Guarded: a parent destroyed while the box runs takes the box with it.
  QPointer<CStyleMessageDialog> box =
      new CStyleMessageDialog(message, style, QApplication::activeWindow());
  box->exec();
  if (!box) return kIdCancel;
  const int result = box->Result();
  delete box;
  return result;
}
