#include "updater/app/notice_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "updater/app/plain_button.h"
#include "updater/app/update_ids.h"
#include "updater/app/update_look.h"
#include "updater/app/update_texts.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr int kMargin = 14;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 26;

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);  // the server's texts never render as markup
  label->setWordWrap(true);
  label->setText(text);
  return label;
}

}  // namespace

CNoticeDialog::CNoticeDialog(const QString& version, const QString& message, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      caption_(PlainLabel(UpdateText(kNoticeCaptionText, version), this)),
      message_(PlainLabel(message, this)),
      ok_(new CPlainButton(OkText(), IDOK, this)),
      cancel_(new CPlainButton(CancelText(), IDCANCEL, this)),
      close_(new CPlainButton(QStringLiteral("×"), IDC_NOTICE_CLOSE, this)) {
  setObjectName(QStringLiteral("notice"));
  setWindowTitle(caption_->text());
  setWindowIcon(UpdaterIcon());
  setFixedSize(kWidth, kHeight);
  const int inner = kWidth - 2 * kMargin;
  caption_->setObjectName(QStringLiteral("noticeCaption"));
  caption_->setGeometry(kMargin, kTopBarHeight + 8, inner, 22);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  message_->setGeometry(kMargin, kTopBarHeight + 34, inner, 90);
  const int buttonTop = kHeight - kMargin - kButtonHeight;
  cancel_->setGeometry(kWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  ok_->setGeometry(cancel_->x() - 10 - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  close_->setGeometry(kWidth - kTopBarHeight, 0, kTopBarHeight, kTopBarHeight);
  close_->setFocusPolicy(Qt::NoFocus);
  ok_->setDefault(true);
  connect(ok_, &QAbstractButton::clicked, this, [this] { done(IDOK); });
  connect(cancel_, &QAbstractButton::clicked, this, [this] { done(IDCANCEL); });
  connect(close_, &QAbstractButton::clicked, this, [this] { done(IDCANCEL); });
}

int CNoticeDialog::RunModal() {
  PlaceAtScreenCorner();
  return exec() == IDOK ? IDOK : IDCANCEL;
}

void CNoticeDialog::PlaceAtScreenCorner() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  move(area.right() + 1 - width(), area.bottom() + 1 - height());
}

QString CNoticeDialog::Caption() const { return caption_->text(); }

QString CNoticeDialog::MessageText() const { return message_->text(); }

CPlainButton& CNoticeDialog::Button(int id) const {
  if (id == IDOK) return *ok_;
  return id == IDCANCEL ? *cancel_ : *close_;
}

void CNoticeDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.fillRect(0, 0, width(), kTopBarHeight, kBandColor);
  painter.setPen(kBandColor);
  painter.drawRect(0, 0, width() - 1, height() - 1);
  painter.setPen(Qt::white);
  painter.drawText(QRect(kMargin / 2, 0, width() - kTopBarHeight, kTopBarHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, UpdateText(kNoticeTitleText));
}

void CNoticeDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < kTopBarHeight &&
      windowHandle() != nullptr && windowHandle()->startSystemMove()) {
    return;
  }
  QDialog::mousePressEvent(event);
}
