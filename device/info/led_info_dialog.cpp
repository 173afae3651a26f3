#include "device/info/led_info_dialog.h"

#include <QPainter>

#include "controls/shell/program_messages.h"
#include "device/common/screen_texts.h"
#include "device/info/led_info_ids.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/current_screen.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kFieldIds[] = {IDC_INFO_CARD_MODEL, IDC_INFO_COLOR, IDC_INFO_SIZE, IDC_INFO_LINK};
constexpr int kLabelIds[] = {IDC_INFO_CARD_MODEL_LABEL, IDC_INFO_COLOR_LABEL, IDC_INFO_SIZE_LABEL,
                             IDC_INFO_LINK_LABEL};
constexpr int kCaptionText = 1004;

// Rows of a label and its field, below the panel's header.
constexpr int kFirstRowTop = 50;
constexpr int kRowStep = 40;
constexpr int kLabelLeft = 40;
constexpr int kLabelWidth = 110;
constexpr int kFieldWidth = 280;
constexpr int kRowHeight = 26;

QString Text(int key) { return ReadLangText(lang_section::IDD_LEDINFO_DIALOG, key); }

}  // namespace

QString CardModelText(const QString& cardName) {
  const QStringList parts = cardName.split(QLatin1Char('-'));
  return parts.size() == 2 ? parts.front().trimmed() : QString();
}

CLedInfoDialog::CLedInfoDialog(QWidget* parent) : QWidget(parent) {
  for (int field = 0; field < kFieldCount; ++field) {
    auto* label = new QLabel(this);
    auto* edit = new QLineEdit(this);
    label->setObjectName(QString::number(kLabelIds[field]));
    edit->setObjectName(QString::number(kFieldIds[field]));
    edit->setReadOnly(true);
    const int top = kFirstRowTop + field * kRowStep;
    label->setGeometry(kLabelLeft, top, kLabelWidth, kRowHeight);
    edit->setGeometry(kLabelLeft + kLabelWidth, top, kFieldWidth, kRowHeight);
    labels_[static_cast<std::size_t>(field)] = label;
    fields_[static_cast<std::size_t>(field)] = edit;
  }
  ApplyLanguage();
}

LRESULT CLedInfoDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) Refresh();
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CLedInfoDialog::Refresh() {
  const ScreenRecord* screen = GetCurrentScreen();
  std::array<QString, kFieldCount> texts;
  if (screen != nullptr) {
    texts[kCardModel] = CardModelText(ReadBoundedText(screen->LedTypeStr));
    texts[kColor] = ColorTypeText(screen->LedColor);
    texts[kSize] = QStringLiteral("%1 * %2").arg(screen->LedWidth).arg(screen->LedHeight);
    texts[kLink] = LinkTypeText(screen->SendType);
  }
  for (int field = 0; field < kFieldCount; ++field) {
    fields_[static_cast<std::size_t>(field)]->setText(texts[static_cast<std::size_t>(field)]);
  }
}

QString CLedInfoDialog::FieldText(Field field) const {
  return fields_[static_cast<std::size_t>(field)]->text();
}

void CLedInfoDialog::ApplyLanguage() {
  for (int field = 0; field < kFieldCount; ++field) {
    labels_[static_cast<std::size_t>(field)]->setText(Text(1000 + field));
  }
  caption_ = Text(kCaptionText);
  Refresh();
  update();
}

void CLedInfoDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanelFrameClient(caption_, true, true, this, painter);
}
