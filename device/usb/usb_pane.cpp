#include "device/usb/usb_pane.h"

#include <QPainter>

#include "controls/shell/artwork.h"
#include "device/common/device_icons.h"
#include "device/common/screen_texts.h"
#include "device/info/led_info_dialog.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr QSize kPanelSize(560, 500);
constexpr int kPanelTop = 40;
constexpr int kCaptionIconSize = 32;
constexpr int kRefreshIconSize = 20;
constexpr int kLabelWidth = 100;
constexpr int kValueBoxWidth = 150;
constexpr int kRowHeight = 24;

// Polarity texts of IDD_BASICSET_DIALOG: low, then high; OE before DA.
constexpr int kOeLowText = 1021;
constexpr int kDaLowText = 1023;

QString LabelText(ScreenValue value) {
  using namespace lang_section;
  switch (value) {
    case kValueCardModel: return ReadLangText(IDD_LEDINFO_DIALOG, 1000);
    case kValueCardNumber: return ReadLangText(IDD_COMMUNICATIONSET_DIALOG, 1016);
    case kValueWidth: return ReadLangText(IDD_COMMUNICATIONSET_DIALOG, 1019);
    case kValueHeight: return ReadLangText(IDD_COMMUNICATIONSET_DIALOG, 1020);
    case kValueColor: return ReadLangText(IDD_COMMUNICATIONSET_DIALOG, 1021);
    case kValueOe: return ReadLangText(IDD_BASICSET_DIALOG, 1005);
    case kValueDa: return ReadLangText(IDD_BASICSET_DIALOG, 1006);
    default: return ReadLangText(IDD_SEARCH_DIALOG, 1012);
  }
}

}  // namespace

std::array<QString, kScreenValueCount> ScreenValueTexts(const ScreenRecord& screen,
                                                        bool onlyOneIsHigh) {
  const auto high = [onlyOneIsHigh](std::int32_t polarity) {
    return onlyOneIsHigh ? polarity == 1 : polarity != 0;
  };
  std::array<QString, kScreenValueCount> texts;
  texts[kValueCardModel] = CardModelText(ReadBoundedText(screen.LedTypeStr));
  texts[kValueCardNumber] = QString::number(screen.LedNumber);
  texts[kValueWidth] = QString::number(screen.LedWidth);
  texts[kValueHeight] = QString::number(screen.LedHeight);
  texts[kValueColor] = ColorTypeText(screen.LedColor);
  texts[kValueOe] =
      ReadLangText(lang_section::IDD_BASICSET_DIALOG, kOeLowText + (high(screen.OE) ? 1 : 0));
  texts[kValueDa] =
      ReadLangText(lang_section::IDD_BASICSET_DIALOG, kDaLowText + (high(screen.DA) ? 1 : 0));
  texts[kValueScanType] = GetScanTypeName(screen.RouteValue);
  return texts;
}

UsbPane::UsbPane(int number, QWidget* parent, int backId, const ScreenValueIds& labelIds,
                 const ScreenValueIds& valueIds, int drivesId, int refreshId)
    : TaskPane(number, parent, backId), drives_(this), refresh_(this) {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QString::number(labelIds[i]));
    values_[i] = new QLabel(this);
    values_[i]->setObjectName(QString::number(valueIds[i]));
    values_[i]->setFrameShape(QFrame::StyledPanel);
    values_[i]->setStyleSheet(QStringLiteral("QLabel { background: #f4f8fc; padding-left: 4px; }"));
  }
  drives_.setObjectName(QString::number(drivesId));
  refresh_.setObjectName(QString::number(refreshId));
  static_cast<void>(
      refresh_.SetIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Refresh, kRefreshIconSize))));
  connect(&refresh_, &QPushButton::clicked, this, [this] { drives_.Fill(); });
}

LRESULT UsbPane::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kDriveTimerId) drives_.RefreshIfChanged();
  return TaskPane::WindowProc(msg, wParam, lParam);
}

QString UsbPane::ValueText(ScreenValue value) const {
  return values_[static_cast<std::size_t>(value)]->text();
}

QRect UsbPane::PanelRect() const {
  return QRect(QPoint((width() - kPanelSize.width()) / 2, kPanelTop), kPanelSize);
}

void UsbPane::ShowValues(const ScreenRecord& screen, bool onlyOneIsHigh) {
  const std::array<QString, kScreenValueCount> texts = ScreenValueTexts(screen, onlyOneIsHigh);
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (i == kValueColor && texts[i].isEmpty()) continue;
    values_[i]->setText(texts[i]);
  }
}

void UsbPane::ClearValues() {
  for (QLabel* value : values_) value->clear();
}

void UsbPane::ApplyBaseLanguage(const QString& caption) {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setText(LabelText(static_cast<ScreenValue>(i)));
  }
  caption_ = caption;
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  update();
}

void UsbPane::PlaceValue(ScreenValue value, int left, int top) {
  const QRect panel = PanelRect();
  const auto i = static_cast<std::size_t>(value);
  labels_[i]->setGeometry(panel.left() + left, panel.top() + top, kLabelWidth, kRowHeight);
  values_[i]->setGeometry(panel.left() + left + kLabelWidth, panel.top() + top, kValueBoxWidth,
                          kRowHeight);
}

void UsbPane::showEvent(QShowEvent* event) {
  TaskPane::showEvent(event);
  static_cast<void>(SetTimer(Handle(), kDriveTimerId, kDriveTimerMs));
}

void UsbPane::hideEvent(QHideEvent* event) {
  static_cast<void>(KillTimer(Handle(), kDriveTimerId));
  TaskPane::hideEvent(event);
}

void UsbPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QString(), true, true, painter, PanelRect());
  DrawCaptionBand(this, caption_, QIcon(QPixmap::fromImage(PaintArt(Art::Usb, kCaptionIconSize))),
                  painter);
}
