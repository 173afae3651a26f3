#include "device/search/search_dialog.h"

#include <QHeaderView>
#include <QPainter>

#include <algorithm>
#include <array>

#include "controls/shell/artwork.h"
#include "controls/shell/pane_ids.h"
#include "device/common/card_link_dialog.h"
#include "device/common/screen_texts.h"
#include "device/search/local_ip_set_dialog.h"
#include "device/search/search_ids.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/scan_tables.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kCaptionIconSize = 32;
constexpr int kMargin = 12;
constexpr int kButtonHeight = 30;
constexpr int kListFontPixels = 11;
constexpr int kTextPadding = 14;

// A column's heading: a key of a section, or a text of its own; its width, widened
// to the heading and to the widest text the column can hold.
struct Column {
  QLatin1StringView section;
  int key;
  const char* text;
  int width;
  const char* widest = "";
};

constexpr Column kColumns[CSearchDialog::kColumnCount] = {
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1013, nullptr, 40},
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1014, nullptr, 80},
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1015, nullptr, 80},
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1016, nullptr, 80},
    {lang_section::IDD_SEARCH_DIALOG, 1009, nullptr, 70},
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1021, nullptr, 90},
    {{}, 0, "IP", 100, "255.255.255.255"},
    {lang_section::IDD_SEARCH_DIALOG, 1010, nullptr, 100},
    {lang_section::IDD_SEARCH_DIALOG, 1011, nullptr, 100},
    {{}, 0, "MAC", 110, "DD-DD-DD-DD-DD-DD"},
    {lang_section::IDD_COMMUNICATIONSET_DIALOG, 1018, nullptr, 70},
    {lang_section::IDD_SEARCH_DIALOG, 1012, nullptr, 110},
};

QString Text(int key) { return ReadLangText(lang_section::IDD_SEARCH_DIALOG, key); }

void OpenLocalAddressDialog(QWidget* parent) {
  CLocalIPSetDialog dialog(parent);
  dialog.exec();
}

}  // namespace

QStringList SearchRowTexts(int rowNumber, const LedSettingInfo& card) {
  const std::array<QString, 2> name = CardNameParts(card);
  return {QString::number(rowNumber),
          name[0],
          name[1],
          QString::number(card.SerialByte1),
          QStringLiteral("%1*%2").arg(card.Width).arg(card.Height),
          ColorTypeText(card.ColorType - 1),
          ReadBoundedText(card.IpAddress),
          ReadBoundedText(card.SubnetMask),
          ReadBoundedText(card.Gateway),
          ReadBoundedText(card.MacAddress),
          QString::number(card.BaudRate),
          GetScanTypeName(card.ScanByte0)};
}

CSearchDialog::CSearchDialog(QWidget* parent, OpenCardDialog openCard, OpenLocalDialog openLocal)
    : TaskPane(kSearchPane, parent, IDC_SEARCH_BACK),
      openCard_(openCard ? std::move(openCard) : OpenCardDialog([this](const LedSettingInfo& card) {
        RunCardLinkDialog(card, this);
      })),
      openLocal_(openLocal ? std::move(openLocal)
                           : OpenLocalDialog([this] { OpenLocalAddressDialog(this); })),
      results_(this),
      searchButton_(this),
      modify_(this),
      local_(this) {
  results_.setObjectName(QString::number(IDC_SEARCH_RESULTS));
  results_.setColumnCount(kColumnCount);
  results_.setRootIsDecorated(false);
  results_.setAllColumnsShowFocus(true);  // full-row select
  results_.setSelectionBehavior(QAbstractItemView::SelectRows);
  results_.setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d8d8d8; }"));
  results_.setIconSize(QSize(16, 16));
  QFont listFont = results_.font();
  listFont.setPixelSize(kListFontPixels);
  results_.setFont(listFont);
  searchButton_.setObjectName(QString::number(IDC_SEARCH_START));
  modify_.setObjectName(QString::number(IDC_SEARCH_MODIFY));
  local_.setObjectName(QString::number(IDC_SEARCH_LOCAL_ADDRESS));
  connect(&searchButton_, &QPushButton::clicked, this, [this] { OnSearch(); });
  connect(&modify_, &QPushButton::clicked, this, [this] { OnModify(); });
  connect(&local_, &QPushButton::clicked, this, [this] { openLocal_(); });
  ApplyLanguage();
}

QPushButton* CSearchDialog::Button(int id) {
  switch (id) {
    case IDC_SEARCH_START: return &searchButton_;
    case IDC_SEARCH_MODIFY: return &modify_;
    case IDC_SEARCH_LOCAL_ADDRESS: return &local_;
    default: return nullptr;
  }
}

std::int32_t CSearchDialog::OnSearch() {
  // A failed search lists what arrived before it failed; no card found shows no message.
  return search_.Run(
      searchButton_, results_, Text(1004), [this] { results_.clear(); },
      [this](const LedSettingInfo& card, int row) {
        results_.addTopLevelItem(new QTreeWidgetItem(SearchRowTexts(row + 1, card)));
      });
}

void CSearchDialog::OnModify() {
  QTreeWidgetItem* item = results_.currentItem();
  if (!item || !item->isSelected()) return;
  if (const LedSettingInfo* card = search_.Shown(results_.indexOfTopLevelItem(item))) {
    openCard_(*card);
  }
}

void CSearchDialog::ApplyLanguage() {
  searchButton_.setText(Text(1000));
  modify_.setText(Text(1001));
  local_.setText(Text(1002));
  caption_ = Text(1003);
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  QStringList headings;
  for (const Column& column : kColumns) {
    headings << (column.text ? QString::fromLatin1(column.text)
                             : ReadLangText(column.section, column.key));
  }
  results_.setHeaderLabels(headings);
  const QFontMetrics headingMetrics(results_.header()->font());
  const QFontMetrics textMetrics(results_.font());
  for (int column = 0; column < kColumnCount; ++column) {
    const Column& layout = kColumns[column];
    const int needed = std::max(headingMetrics.horizontalAdvance(headings[column]),
                                textMetrics.horizontalAdvance(QString::fromLatin1(layout.widest)));
    results_.setColumnWidth(column, std::max(layout.width, needed + kTextPadding));
  }
  update();
}

void CSearchDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawCaptionBand(this, caption_,
                  QIcon(QPixmap::fromImage(PaintArt(Art::Search, kCaptionIconSize))), painter);
}

void CSearchDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  const int buttonsTop = height() - kMargin - kButtonHeight;
  results_.setGeometry(kMargin, kPaneDragBand + kMargin, width() - 2 * kMargin,
                       buttonsTop - kPaneDragBand - 2 * kMargin);
  searchButton_.setGeometry(kMargin, buttonsTop, 140, kButtonHeight);
  modify_.setGeometry(kMargin + 150, buttonsTop, 240, kButtonHeight);
  local_.setGeometry(kMargin + 400, buttonsTop, 220, kButtonHeight);
}
