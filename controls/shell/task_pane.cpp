#include "controls/shell/task_pane.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "controls/shell/artwork.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "model/painting/painting_helpers.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// The panes' names in the language files' sections, by pane number.
constexpr QLatin1StringView kPaneSections[kTaskPaneCount + 1] = {
    lang_section::IDD_MAIN_DIALOG,     lang_section::IDD_SCREENPARAM_DIALOG,
    lang_section::IDD_GUIDE_DIALOG,    lang_section::IDD_SEND_DIALOG,
    lang_section::IDD_SEARCH_DIALOG,   lang_section::IDD_USBSEND_DIALOG,
    lang_section::IDD_LOCK_DIALOG,     lang_section::IDD_USBIMPORT_DIALOG,
    lang_section::IDD_LOGOSET_DIALOG,  lang_section::IDD_LEDLOCKER_DIALOG,
    lang_section::IDD_UPDATECPU_DIALOG};

constexpr QSize kBackButtonSize(48, 32);
constexpr int kBackIconSize = 24;

}  // namespace

TaskPane::TaskPane(int number, QWidget* parent, int backId)
    : QWidget(parent), number_(number), backId_(backId), back_(this) {
  back_.setObjectName(QString::number(backId));
  back_.resize(kBackButtonSize);
  static_cast<void>(back_.SetIcon(QPixmap::fromImage(PaintArt(Art::Back, kBackIconSize)),
                                  QPixmap::fromImage(PaintArt(Art::BackIdle, kBackIconSize))));
  back_.SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  connect(&back_, &QAbstractButton::clicked, this,
          [this] { SendMessage(MainWindowHandle, UM_PANE_BACK, static_cast<WPARAM>(number_), 0); });
}

void TaskPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawCaptionBand(this, kPaneSections[number_], QIcon(), painter);
}

void TaskPane::mousePressEvent(QMouseEvent* event) {
  // A press in the band goes on to the main window, which is dragged by its surface.
  if (event->position().y() < kPaneDragBand) {
    event->ignore();
  } else {
    event->accept();
  }
}

void TaskPane::resizeEvent(QResizeEvent*) {
  back_.move(8, (kPaneDragBand - kBackButtonSize.height()) / 2);
}
