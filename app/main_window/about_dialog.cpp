#include "app/main_window/about_dialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "controls/shell/artwork.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/effects/ripple.h"

namespace {

constexpr QSize kClientSize(340, 364);
constexpr QColor kBandColor(102, 188, 240);  // COLORREF 0xF0BC66
constexpr int kTextLeft = 16;
constexpr int kTextWidth = 308;
constexpr int kLineHeight = 20;
constexpr QRect kOkRect(252, 328, 76, 26);
constexpr char kPictureResource[] = ":/images/533.png";

QLabel* AddLine(QWidget* parent, const QString& text, int top) {
  auto* line = new QLabel(text, parent);
  line->setGeometry(kTextLeft, top, kTextWidth, kLineHeight);
  return line;
}

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent, LinkOpener open)
    : QDialog(parent), ripple_(std::make_unique<CRipple>()), open_(std::move(open)) {
  if (!open_) open_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  setFixedSize(kClientSize);
  // Moves reach the box over the picture too: the ripple's view lets the mouse through.
  setMouseTracking(true);
  CreateControls();
  OnInitDialog();
}

CAboutDialog::~CAboutDialog() {
  static_cast<void>(KillTimer(Handle(), kDropTimer));
  icon_ = QIcon();
  picture_ = QImage();
  ripple_.reset();
}

void CAboutDialog::CreateControls() {
  AddLine(this, QStringLiteral("Quendra V" QUENDRA_VERSION), 232);
  AddLine(this, QString(), 252);  // the template's empty static
  AddLine(this, QStringLiteral("Copyright © 2026 the Quendra developers."), 272);
  AddLine(this, QStringLiteral("All rights reserved."), 292);
  const QString page = QString::fromLatin1(kMakerPage);
  QLabel* link = AddLine(this, QStringLiteral("<a href=\"%1\">%1</a>").arg(page), 312);
  link->setObjectName(QString::number(kLinkId));
  // The OK button's top reaches into the link's row: the link ends before the button.
  link->resize(kOkRect.left() - kTextLeft - 4, kLineHeight);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(link, &QLabel::linkActivated, this, [this, page] {
    // A page that cannot be opened leaves the box as it is; there is nothing to retry.
    static_cast<void>(open_(QUrl(page)));
  });
  ok_ = new QPushButton(this);
  ok_->setObjectName(QString::number(kOkId));
  ok_->setGeometry(kOkRect);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDialog::OnInitDialog() {
  // 1. The big and the small icon.
  icon_.addPixmap(QPixmap::fromImage(PaintArt(Art::Application, 32)));
  icon_.addPixmap(QPixmap::fromImage(PaintArt(Art::Application, 16)));
  setWindowIcon(icon_);
  // 2. The ripple over the picture; where it cannot run, paintEvent shows the picture still.
  if (picture_.load(QString::fromLatin1(kPictureResource)))
    static_cast<void>(ripple_->Init(this, picture_));
  // 3. Texts.
  setWindowTitle(ReadLangText(lang_section::IDD_ABOUT_DIALOG, 1000));
  ok_->setText(ReadLangText(lang_section::PUBLIC, 1000));
  // 4. The drops of the timer, and a first one.
  static_cast<void>(SetTimer(Handle(), kDropTimer, kDropTimerMs));
  ripple_->Drop(kDropPoint.x(), kDropPoint.y(), kTimerDepth);
}

void CAboutDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(QRect(0, 0, width(), kBandBottom), kBandColor);
  if (!ripple_->IsBound()) painter.drawImage(QPoint(0, 0), picture_);
}

void CAboutDialog::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  ripple_->Drop(at.x(), at.y(), kMouseDepth);
}

LRESULT CAboutDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kDropTimer)
    ripple_->Drop(kDropPoint.x(), kDropPoint.y(), kTimerDepth);
  return MessageWindow::WindowProc(msg, wParam, lParam);
}
