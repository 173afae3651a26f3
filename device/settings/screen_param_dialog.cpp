#include "device/settings/screen_param_dialog.h"

#include <QPainter>
#include <QSignalBlocker>

#include "controls/animation/pane_slide.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_icons.h"
#include "device/settings/screen_edits.h"
#include "device/settings/screen_param_ids.h"
#include "device/settings/screen_tabs.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// UM_SCREEN_ROOT's operations.
constexpr WPARAM kAddRoot = 0;
constexpr WPARAM kDeleteRoot = 1;
constexpr WPARAM kSelectRoot = 2;
// UM_SCREEN_TABS: regular modules offer no scan tab.
constexpr WPARAM kThreeTabs = 0;

constexpr int kMargin = 10;
constexpr int kListPanelWidth = 220;
constexpr int kPanelHeader = 30;  // the list panel's caption band
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 4;
constexpr int kTabStripWidth = 78;  // the pages start this far into the tab control
constexpr int kCaptionIconSize = 32;

const int kButtonIds[] = {IDC_ADD_SCREEN, IDC_DELETE_SCREEN, IDC_REFRESH_SCREENS};
const DeviceIcon kPageIcons[] = {DeviceIcon::Communication, DeviceIcon::Basic, DeviceIcon::Scan,
                                 DeviceIcon::Advanced};

QString Text(int key) { return ReadLangText(lang_section::IDD_SCREENPARAM_DIALOG, key); }

}  // namespace

CScreenParamDialog::CScreenParamDialog(QWidget* parent)
    : TaskPane(kScreenParamPane, parent, IDC_SCREEN_BACK),
      list_(this),
      tabControl_(this),
      tabs_(&tabControl_) {
  list_.setObjectName(QString::number(IDC_SCREEN_LIST));
  static_cast<void>(screenImages_.Add(PaintDeviceIcon(DeviceIcon::Screen, 32)));
  list_.SetImageList(&screenImages_);
  connect(&list_, &QListWidget::currentRowChanged, this, [this] { OnSelchangeScreenList(); });
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QPushButton(this);
    buttons_[i]->setObjectName(QString::number(kButtonIds[i]));
  }
  connect(buttons_[0], &QPushButton::clicked, this, [this] { OnAddScreen(); });
  connect(buttons_[1], &QPushButton::clicked, this, [this] { OnDeleteScreen(); });

  tabControl_.setObjectName(QString::number(IDC_SCREEN_TABS));
  tabs_.setIconSize(kScreenTabImageSize);
  tabs_.setFrameShape(QFrame::NoFrame);
  tabs_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tabs_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  tabs_.setStyleSheet(QStringLiteral(
      "QListWidget { background: #eef5fb; }"
      "QListWidget::item { padding: 3px 1px; border-bottom: 1px solid #c9dcee; }"
      "QListWidget::item:selected { background: #bfe0f7; border: 1px solid #54a6d5; }"));
  connect(&tabs_, &QListWidget::currentRowChanged, this, [this](int tab) { OnTabChange(tab); });
  pages_ = {new CCommunicationSetDialog(&tabControl_), new CBasicSetDialog(&tabControl_),
            new CScanSetDialog(&tabControl_), new CAdvancedSetDialog(&tabControl_)};
  for (ScreenPage* page : pages_) page->hide();
  pages_[kCommunicationPage]->show();
  {
    const QSignalBlocker blocker(&tabs_);
    for (int tab = 0; tab <= kScanPage; ++tab) AddTab();
    tabs_.setCurrentRow(0);
  }
  ApplyLanguage();
}

QPixmap CScreenParamDialog::TabImage(int tab) {
  if (tab < 0 || tab >= kPageCount) return {};
  const int index = ScreenTabImageIndex(LanguageIndex, tab);
  auto found = tabImages_.find(index);
  if (found == tabImages_.end()) {
    const int language = index / kScreenTabPages + 1;
    const ScreenPage& shown = *pages_[static_cast<std::size_t>(tab)];
    found = tabImages_
                .emplace(index,
                         PaintScreenTab(kPageIcons[tab],
                                        PageNameIn(language, shown.Section(), shown.CaptionKey())))
                .first;
  }
  return QPixmap::fromImage(found->second);
}

void CScreenParamDialog::AddTab() {
  const int tab = tabs_.count();
  auto* item = new QListWidgetItem(&tabs_);
  item->setIcon(TabImage(tab));
  item->setSizeHint(QSize(kTabStripWidth - 2, kScreenTabImageSize.height() + 8));
}

QPushButton* CScreenParamDialog::Button(int id) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (kButtonIds[i] == id) return buttons_[i];
  }
  return nullptr;
}

void CScreenParamDialog::ApplyLanguage() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setText(Text(1000 + static_cast<int>(i)));
  }
  caption_ = Text(1003);
  listCaption_ = Text(1004);
  for (int tab = 0; tab < tabs_.count(); ++tab) {
    tabs_.item(tab)->setIcon(TabImage(tab));
  }
  for (ScreenPage* page : pages_) page->ApplyLanguage();
  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  update();
}

// The screen list ----------------------------------------------------------------

void CScreenParamDialog::FillScreenList(int selected) {
  {
    const QSignalBlocker blocker(&list_);
    list_.ResetContent();
    for (const ScreenRecord& screen : ScreenList) {
      list_.AddString(ReadBoundedText(screen.LedName), 0);
    }
    list_.setCurrentRow(selected >= 0 && selected < list_.count() ? selected : 0);
  }
  OnSelchangeScreenList();
}

void CScreenParamDialog::OnSelchangeScreenList() {
  const int index = list_.currentRow();
  ScreenRecord* screen = ScreenAt(index);
  if (screen == nullptr) return;
  UpdatePaletteKind(screen->LedColor);
  CurrentScreenNo = screen->LedNo;
  LoadPages(screen);
  SendMessage(PreviewFrameWindow, UM_SCREEN_SIZE_CHANGED, static_cast<WPARAM>(screen->LedWidth),
              screen->LedHeight);
  SendMessage(ProjectWindow(), UM_SCREEN_ROOT, kSelectRoot, index);
}

void CScreenParamDialog::LoadPages(ScreenRecord* screen) {
  for (int page = kCommunicationPage; page <= kScanPage; ++page) {
    pages_[static_cast<std::size_t>(page)]->LoadScreen(screen);
  }
}

void CScreenParamDialog::OnAddScreen() {
  const ScreenRecord* selected = ScreenAt(list_.currentRow());
  if (selected == nullptr) return;
  AppendScreen(MakeAddedScreen(*selected));
}

void CScreenParamDialog::OnAddFoundScreen(const LedSettingInfo& card) {
  // The communication page tells the user of a card that makes no screen.
  std::optional<ScreenRecord> screen = MakeFoundScreen(card);
  if (screen) AppendScreen(std::move(*screen));
}

void CScreenParamDialog::AppendScreen(ScreenRecord record) {
  ScreenRecord& screen = ScreenList.emplace_back(std::move(record));
  {
    const QSignalBlocker blocker(&list_);
    list_.setCurrentRow(list_.AddString(ReadBoundedText(screen.LedName), 0));
  }
  OnSelchangeScreenList();
  // The project page adds the screen's root with a first program and selects it.
  SendMessage(ProjectWindow(), UM_SCREEN_ROOT, kAddRoot, reinterpret_cast<LPARAM>(&screen));
}

void CScreenParamDialog::OnDeleteScreen() {
  const int index = list_.currentRow();
  ScreenRecord* screen = ScreenAt(index);
  if (screen == nullptr || ScreenList.size() <= 1) return;  // the last screen stays
  SendMessage(PaneWindows[kSendPane], UM_SCREEN_DELETED, 0, screen->LedNo);
  SendMessage(ProjectWindow(), UM_SCREEN_ROOT, kDeleteRoot, index);
  // No page may point at the record once it is freed; the new selection loads next,
  // before anything repaints.
  LoadPages(nullptr);
  static_cast<void>(RemoveScreen(*screen));  // found in ScreenList just above
  {
    const QSignalBlocker blocker(&list_);
    static_cast<void>(list_.DeleteString(index));
    list_.setCurrentRow(list_.count() - 1);
  }
  OnSelchangeScreenList();
}

void CScreenParamDialog::RenameSelectedEntry() {
  const int index = list_.currentRow();
  if (const ScreenRecord* screen = ScreenAt(index)) {
    static_cast<void>(list_.SetItemText(index, ReadBoundedText(screen->LedName)));
  }
}

// The tabs ---------------------------------------------------------------------------

void CScreenParamDialog::OnScreenTabs(WPARAM wParam) {
  const int selected = currentTab_;
  {
    const QSignalBlocker blocker(&tabs_);
    tabs_.clear();
    AddTab();
    AddTab();
    if (wParam == kThreeTabs) AddTab();
  }
  // A tab that went (the scan tab of regular modules) gives its place to the last.
  SelectTab(std::min(selected, tabs_.count() - 1));
  if (currentTab_ != tabs_.currentRow()) OnTabChange(tabs_.currentRow());
}

void CScreenParamDialog::SelectTab(int tab) {
  const QSignalBlocker blocker(&tabs_);
  tabs_.setCurrentRow(tab);
}

void CScreenParamDialog::OnTabChange(int tab) {
  if (tab < 0 || tab == currentTab_ || tab > kScanPage) return;
  QWidget* shown = pages_[static_cast<std::size_t>(currentTab_)];
  QWidget* next = pages_[static_cast<std::size_t>(tab)];
  if (tab > currentTab_) {
    SlideWindowDown(shown, next);
  } else {
    SlideWindowUp(shown, next);
  }
  currentTab_ = tab;
}

// Messages and painting ----------------------------------------------------------

LRESULT CScreenParamDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_RENAME_SCREEN_NODE: RenameSelectedEntry(); break;
    case UM_LOAD_SELECTION: OnSelchangeScreenList(); break;
    case UM_SCREEN_TABS: OnScreenTabs(wParam); break;
    case UM_ADD_FOUND_SCREEN:
      if (wParam != 0) OnAddFoundScreen(*reinterpret_cast<const LedSettingInfo*>(wParam));
      break;
    default: break;
  }
  return TaskPane::WindowProc(msg, wParam, lParam);
}

QRect CScreenParamDialog::ListPanelRect() const {
  return QRect(kMargin, kCaptionBandHeight + kMargin, kListPanelWidth,
               height() - kCaptionBandHeight - 2 * kMargin);
}

void CScreenParamDialog::resizeEvent(QResizeEvent* event) {
  TaskPane::resizeEvent(event);
  const QRect panel = ListPanelRect();
  const int buttonsTop = panel.bottom() - 3 * (kButtonHeight + kButtonGap);
  list_.setGeometry(panel.left() + 6, panel.top() + kPanelHeader, panel.width() - 12,
                    buttonsTop - panel.top() - kPanelHeader - kButtonGap);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setGeometry(panel.left() + 6,
                             buttonsTop + static_cast<int>(i) * (kButtonHeight + kButtonGap),
                             panel.width() - 12, kButtonHeight);
  }
  tabControl_.setGeometry(panel.right() + 1 + kMargin, panel.top(),
                          width() - panel.right() - 1 - 2 * kMargin, panel.height());
  const QRect inner = tabControl_.rect();
  tabs_.setGeometry(1, 1, kTabStripWidth - 2, inner.height() - 2);
  // Each page in the tab control's client area: 78 pixels in from the left edge,
  // one from the others.
  const QRect pageRect = inner.adjusted(kTabStripWidth, 1, -1, -1);
  for (ScreenPage* page : pages_) page->setGeometry(pageRect);
}

void CScreenParamDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(listCaption_, true, true, painter, ListPanelRect());
  const QRect frame = tabControl_.geometry().adjusted(-1, -1, 1, 1);
  painter.setPen(QColor(84, 166, 213));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  DrawCaptionBand(this, caption_,
                  QIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Screen, kCaptionIconSize))),
                  painter);
}
