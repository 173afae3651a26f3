#include "app/main_window/guide_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "controls/shell/pane_ids.h"
#include "model/painting/painting_helpers.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"

namespace {

// Each control's text has the number of its id; the greeting and the caption have
// their own.
constexpr int kGreetingText = 1000;
constexpr int kCaptionText = 1003;
struct Choice {
  int id;
  const char* picture;
};
constexpr Choice kChoices[] = {{1048, ":/images/179.png"}, {1049, ":/images/178.png"}};
constexpr int kButtonIds[] = {1001, 1002, 1004};

constexpr QRect kGreetingRect(40, 48, 600, 28);
constexpr int kPictureLeft = 60;
constexpr int kChoiceLeft = 140;
constexpr int kFirstChoiceTop = 96;
constexpr int kChoicePitch = 90;
constexpr int kPictureSize = 64;
constexpr QSize kButtonSize(84, 28);
constexpr int kButtonGap = 10;

}  // namespace

CGuideDialog::CGuideDialog(QWidget* parent) : TaskPane(kGuidePane, parent) {
  BackButton().hide();
  greeting_ = new QLabel(this);
  greeting_->setGeometry(kGreetingRect);
  QFont bold = greeting_->font();
  bold.setBold(true);
  greeting_->setFont(bold);
  int top = kFirstChoiceTop;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(QString::fromLatin1(kChoices[i].picture)));
    picture->setGeometry(kPictureLeft, top, kPictureSize, kPictureSize);
    choices_[i] = new QRadioButton(this);
    choices_[i]->setObjectName(QString::number(kChoices[i].id));
    choices_[i]->setGeometry(kChoiceLeft, top, 400, kPictureSize);
    top += kChoicePitch;
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QPushButton(this);
    buttons_[i]->setObjectName(QString::number(kButtonIds[i]));
    buttons_[i]->resize(kButtonSize);
  }
  ApplyLanguage();
}

void CGuideDialog::ApplyLanguage() {
  const auto text = [](int key) {
    return ReadLangTextOrFixed(lang_section::IDD_GUIDE_DIALOG, key);
  };
  greeting_->setText(text(kGreetingText));
  for (std::size_t i = 0; i < choices_.size(); ++i) choices_[i]->setText(text(kChoices[i].id));
  for (std::size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->setText(text(kButtonIds[i]));
  caption_ = text(kCaptionText);
  update();
}

void CGuideDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(caption_, false, true, painter, rect().adjusted(0, 0, 0, -kFrameBottomGap));
}

void CGuideDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  // The buttons sit in the strip under the frame, from the right.
  const int top = height() - kFrameBottomGap + (kFrameBottomGap - kButtonSize.height()) / 2;
  int left = width() - kButtonGap;
  for (auto it = std::rbegin(buttons_); it != std::rend(buttons_); ++it) {
    left -= kButtonSize.width();
    (*it)->move(left, top);
    left -= kButtonGap;
  }
}
