#include "app/main_window/guide_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "controls/shell/pane_ids.h"
#include "model/painting/painting_helpers.h"

namespace {

struct Choice {
  int id;
  const char* text;
  const char* picture;
};
constexpr Choice kChoices[] = {{1048, "我不知道怎样添加屏和配置屏参信息", ":/images/179.png"},
                               {1049, "我不知道怎么编辑节目", ":/images/178.png"}};
constexpr int kButtonIds[] = {1001, 1002, 1004};
constexpr const char* kButtonTexts[] = {"上一步", "下一步", "完成"};

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
  auto* greeting = new QLabel(QStringLiteral("您好，有什么可以为您效劳的!"), this);
  greeting->setGeometry(kGreetingRect);
  QFont bold = greeting->font();
  bold.setBold(true);
  greeting->setFont(bold);
  int top = kFirstChoiceTop;
  for (const Choice& choice : kChoices) {
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(QString::fromLatin1(choice.picture)));
    picture->setGeometry(kPictureLeft, top, kPictureSize, kPictureSize);
    auto* radio = new QRadioButton(QString::fromUtf8(choice.text), this);
    radio->setObjectName(QString::number(choice.id));
    radio->setGeometry(kChoiceLeft, top, 400, kPictureSize);
    top += kChoicePitch;
  }
  for (std::size_t i = 0; i < std::size(kButtonIds); ++i) {
    buttons_[i] = new QPushButton(QString::fromUtf8(kButtonTexts[i]), this);
    buttons_[i]->setObjectName(QString::number(kButtonIds[i]));
    buttons_[i]->resize(kButtonSize);
  }
}

void CGuideDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QStringLiteral("向导"), false, true, painter,
                 rect().adjusted(0, 0, 0, -kFrameBottomGap));
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
