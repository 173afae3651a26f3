#include "device/access/lock_dialog.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QPainter>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/access/access_code.h"
#include "device/access/access_code_ids.h"
#include "device/common/device_icons.h"
#include "model/painting/painting_helpers.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kStyleError = 0x10;
constexpr int kWrongCodeText = 1001;
constexpr QSize kPanelSize(500, 300);
constexpr int kPanelTop = 120;
constexpr int kCodeFontPixels = 32;
constexpr int kCaptionIconSize = 32;

QString Text(int key) { return ReadLangText(lang_section::IDD_LOCK_DIALOG, key); }

}  // namespace

CLockDialog::CLockDialog(QWidget* parent, const PlayClock& clock, Ask ask)
    : TaskPane(kAccessCodePane, parent, IDC_ACCESS_CODE_BACK),
      clock_(clock),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      prompt_(this),
      code_(this),
      ok_(this) {
  prompt_.setObjectName(QString::number(IDC_ACCESS_CODE_PROMPT));
  code_.setObjectName(QString::number(IDC_ACCESS_CODE_EDIT));
  ok_.setObjectName(QString::number(IDC_ACCESS_CODE_OK));
  QFont font = code_.font();
  font.setBold(true);
  font.setPixelSize(kCodeFontPixels);
  code_.setFont(font);
  ok_.setAutoDefault(false);  // Enter is the pane's, over whichever control has focus
  connect(&ok_, &QPushButton::clicked, this, [this] { CheckPassword(); });
  for (QWidget* control : {static_cast<QWidget*>(&code_), static_cast<QWidget*>(&ok_),
                           static_cast<QWidget*>(&BackButton())}) {
    control->installEventFilter(this);
  }
  ApplyLanguage();
}

void CLockDialog::CheckPassword() {
  const QDate today = QDateTime::fromSecsSinceEpoch(clock_.NowSeconds()).date();
  if (AccessCodeMatches(mode_, code_.text(), today)) {
    SendMessage(MainWindowHandle, UM_PANE_BACK, static_cast<WPARAM>(kAccessCodePane), mode_ + 1);
    return;
  }
  ask_(Text(kWrongCodeText), kStyleError);
  code_.clear();
}

void CLockDialog::ApplyLanguage() {
  prompt_.setText(Text(1000));
  ok_.setText(ReadLangText(lang_section::PUBLIC, 1000));
  caption_ = Text(1002);
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  update();
}

QRect CLockDialog::PanelRect() const {
  return QRect(QPoint((width() - kPanelSize.width()) / 2, kPanelTop), kPanelSize);
}

void CLockDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  const QRect panel = PanelRect();
  prompt_.setGeometry(panel.left() + 60, panel.top() + 70, 380, 24);
  code_.setGeometry(panel.left() + 60, panel.top() + 110, 260, 48);
  ok_.setGeometry(panel.left() + 340, panel.top() + 110, 100, 48);
}

void CLockDialog::showEvent(QShowEvent* event) {
  TaskPane::showEvent(event);
  code_.setFocus();
}

bool CLockDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      CheckPassword();
      return true;
    }
    if (key == Qt::Key_Escape) {
      SendMessage(MainWindowHandle, UM_PANE_BACK, static_cast<WPARAM>(kAccessCodePane), 0);
      return true;
    }
  }
  return TaskPane::eventFilter(watched, event);
}

void CLockDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QString(), true, true, painter, PanelRect());
  DrawCaptionBand(
      this, caption_,
      QIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::AccessCode, kCaptionIconSize))),
      painter);
}
