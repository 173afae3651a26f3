#include "app/main_window/status_bar.h"

#include <QHBoxLayout>
#include <QPainter>

namespace {

// The right edge of each part; the last reaches the bar's right edge.
constexpr int kPartRight[MainStatusBar::kPartCount] = {20, 150, 520, 670, -1};
constexpr int kIconSize = 16;
constexpr int kTextPixels = 11;
constexpr int kProgressPart = 3;
// The screen part grows past its edge when its text needs it (fonts wider than the
// ones the edges were chosen for), taking the room from the status part beside it,
// which keeps at least this width.
constexpr int kScreenPart = 1;
constexpr int kStatusPartLeast = 150;

// A part's text: cut with an ellipsis where the part is too narrow for it, the whole
// text in its tooltip.
class PartText : public QLabel {
 public:
  using QLabel::QLabel;
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
  }
};

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QWidget(parent), progress_(this) {
  // The small type of a status bar, so that the parts' fixed widths hold their texts.
  QFont small = font();
  small.setPixelSize(kTextPixels);
  setFont(small);
  for (Part& part : parts_) {
    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(2);
    part.icon = new QLabel(box);
    part.icon->setFixedSize(kIconSize, kIconSize);
    part.icon->hide();
    part.text = new PartText(box);
    part.text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(part.icon);
    layout->addWidget(part.text, 1);
  }
  progress_.setObjectName(QStringLiteral("progress1299"));
  progress_.setRange(0, 100);
  progress_.setValue(0);
  progress_.setTextVisible(false);
  progress_.raise();
}

void MainStatusBar::SetText(int part, const QString& text) {
  if (part < 0 || part >= kPartCount) return;
  QLabel* label = parts_[static_cast<std::size_t>(part)].text;
  label->setText(text);
  label->setToolTip(text);
  if (part == kScreenPart) resizeEvent(nullptr);
}

QString MainStatusBar::Text(int part) const {
  return part >= 0 && part < kPartCount ? parts_[static_cast<std::size_t>(part)].text->text()
                                        : QString();
}

void MainStatusBar::SetIcon(int part, const QPixmap& icon) {
  if (part < 0 || part >= kPartCount) return;
  QLabel* label = parts_[static_cast<std::size_t>(part)].icon;
  label->setPixmap(icon);
  label->setVisible(!icon.isNull());
}

QPixmap MainStatusBar::Icon(int part) const {
  if (part < 0 || part >= kPartCount) return {};
  const QLabel* label = parts_[static_cast<std::size_t>(part)].icon;
  return label->isVisibleTo(label->parentWidget()) ? label->pixmap() : QPixmap();
}

int MainStatusBar::PartRight(int part, int left) const {
  if (kPartRight[part] < 0) return width();
  int right = kPartRight[part];
  if (part == kScreenPart) {
    const QLabel* text = parts_[kScreenPart].text;
    const int needed = left + text->fontMetrics().horizontalAdvance(text->text()) + 8;
    right = std::clamp(needed, right, kPartRight[kScreenPart + 1] - kStatusPartLeast);
  }
  return std::min(right, width());
}

void MainStatusBar::resizeEvent(QResizeEvent*) {
  int left = 0;
  for (int part = 0; part < kPartCount; ++part) {
    const int right = PartRight(part, left);
    QWidget* box = parts_[static_cast<std::size_t>(part)].text->parentWidget();
    box->setGeometry(left, 0, std::max(0, right - left), height());
    // The progress bar covers its part less 2 pixels on the right.
    if (part == kProgressPart)
      progress_.setGeometry(left, 1, std::max(0, right - left - 2), height() - 2);
    left = right;
  }
}
