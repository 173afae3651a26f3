// CMainDialog: its controls, the property pages and the tab control.

#include <QIcon>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "app/language/language_switch.h"
#include "app/language/language_texts.h"
#include "app/tree/main_dialog.h"
#include "app/tree/new_area.h"
#include "app/tree/tree_art.h"
#include "app/tree/tree_menus.h"
#include "controls/bars/my_tool_bar.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "device/info/led_info_dialog.h"
#include "editors/area_rect/area_set_dialog.h"
#include "editors/background/back_dialog.h"
#include "editors/border/border_dialog.h"
#include "editors/clock/clock_dialog.h"
#include "editors/clock/digital_clock_dialog.h"
#include "editors/clock/time_dialog.h"
#include "editors/file_list/files_dialog.h"
#include "editors/flash_words/flash_word_dialog.h"
#include "editors/image_text/image_word_dialog.h"
#include "editors/program_page/program_dialog.h"
#include "editors/single_line/single_line_dialog.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/raster/color_ref.h"

namespace {

constexpr int kBorderTabText = 1007;
constexpr int kBackgroundTabText = 1008;
constexpr ColorRef kFilesButtonFace = 0xF7E6C6;

// Layout of the left column, in pixels of the page.
constexpr QRect kToolbarFrameRect(0, 0, 270, 34);
constexpr int kStripTop = 36;
constexpr QSize kAddAreaButtonSize(44, 42);
constexpr int kAddAreaButtonGap = 4;
constexpr int kStripLeft = 4;
constexpr int kCollapseLeft = 62;
constexpr int kCollapseWidth = 12;
constexpr int kPagesWidth = 518;
constexpr int kContentTop = 100;  // the kind pages below the area rectangle page
constexpr int kTabControlTop = 315;

// Where each page sits in the project page, by slot; the tab pages (border and
// background) fill the tab control's client area instead.
constexpr int L = CMainDialog::kPagesLeft;
const QRect kPagePlaces[kPageCount] = {
    QRect(L, 0, kPagesWidth, 455),            // summary
    QRect(L, 0, kPagesWidth, 315),            // program
    QRect(L, 0, kPagesWidth, 100),            // area rectangle
    QRect(L, kContentTop, kPagesWidth, 215),  // single line
    QRect(L, kContentTop, kPagesWidth, 215),  // image text
    QRect(L, kContentTop, kPagesWidth, 215),  // flash words
    QRect(L, kContentTop, kPagesWidth, 215),  // digital clock
    QRect(L, kContentTop, kPagesWidth, 215),  // analog clock
    QRect(L, kContentTop, kPagesWidth, 215),  // countdown
    QRect(L, kContentTop, kPagesWidth, 215),  // files
    QRect(),                                  // border
    QRect(),                                  // background
};

bool InTabControl(int slot) {
  return slot == static_cast<int>(PageSlot::Border) ||
         slot == static_cast<int>(PageSlot::Background);
}

// A page in the table of windows a language switch re-texts, and its handle.
template <typename Page>
CMainDialog::PageWindow Registered(TextSlot slot, Page* page) {
  RegisterTexts(slot, page, [page] { page->ApplyLanguage(); });
  return {page, page->Handle()};
}

// The same for the pages whose texts follow the stored language choice.
template <typename Page>
CMainDialog::PageWindow RegisteredWithChoice(TextSlot slot, Page* page) {
  RegisterTexts(slot, page, [page] { page->ApplyLanguage(StoredLanguageChoice()); });
  return {page, page->Handle()};
}

// The page of a slot, made with its texts registered.
CMainDialog::PageWindow MakePage(int slot, QWidget* parent) {
  switch (static_cast<PageSlot>(slot)) {
    case PageSlot::Summary: return Registered(TextSlot::ScreenInfoPage, new CLedInfoDialog(parent));
    case PageSlot::Program: return Registered(TextSlot::ProgramPage, new CProgramDialog(parent));
    case PageSlot::AreaRect: return Registered(TextSlot::AreaPage, new CAreaSetDialog(parent));
    case PageSlot::SingleLine:
      return Registered(TextSlot::SingleLinePage, new CSingleLineDialog(parent));
    case PageSlot::DigitalClock:
      return Registered(TextSlot::DigitalClockPage, new CDigitalClockDialog(parent));
    case PageSlot::AnalogClock:
      return Registered(TextSlot::AnalogClockPage, new CClockDialog(parent));
    case PageSlot::Countdown: return Registered(TextSlot::CountdownPage, new CTimeDialog(parent));
    case PageSlot::Border: return Registered(TextSlot::BorderPage, new CBorderDialog(parent));
    case PageSlot::Background: return Registered(TextSlot::BackgroundPage, new CBackDialog(parent));
    case PageSlot::FlashWords:
      return RegisteredWithChoice(TextSlot::FlashWordsPage,
                                  new CFlashWordDialog(parent, StoredLanguageChoice()));
    case PageSlot::Files: return Registered(TextSlot::FilesPage, new CFilesDialog(parent));
    case PageSlot::ImageText:
      return RegisteredWithChoice(TextSlot::ImageTextPage,
                                  new CImageWordDialog(parent, StoredLanguageChoice()));
  }
  Q_UNREACHABLE();
  return {};
}

QIcon ArtIcon(PageArt art) { return QIcon(QPixmap::fromImage(PaintPageArt(art, 24))); }

}  // namespace

void CMainDialog::CreateToolBar() {
  toolbarFrame_ = new CToolbarFrame(this);
  SetControlId(toolbarFrame_, IDC_TOOLBAR_FRAME);
  toolbarFrame_->setGeometry(kToolbarFrameRect);
  toolbar_ = new CMyToolBar(toolbarFrame_);
  toolbar_->CreateImageList(QSize(24, 24));
  for (PageArt art : {PageArt::AddProgram, PageArt::AddArea, PageArt::Delete, PageArt::MoveUp,
                      PageArt::MoveDown}) {
    static_cast<void>(toolbar_->AddBitmap(PaintPageArt(art, 24, true)));
  }
  static_cast<void>(toolbar_->CreateBar(toolbarFrame_, QMargins(), IDR_TREE_TOOLBAR, 32, 24));
  toolbar_->setGeometry(toolbarFrame_->rect());
  for (QAction* action : toolbar_->actions()) {
    if (QWidget* button = toolbar_->widgetForAction(action)) WatchKeys(button);
  }
}

void CMainDialog::CreateAddAreaStrip() {
  for (int kind = 1; kind <= 7; ++kind) {
    auto* button = new QToolButton(this);
    SetControlId(button, kAddAreaButtonIds[kind - 1]);
    button->setIcon(QIcon(QPixmap::fromImage(PaintTreeImage(kind + 1))));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const int top = kStripTop + (kind - 1) * (kAddAreaButtonSize.height() + kAddAreaButtonGap);
    button->setGeometry(QRect(QPoint(kStripLeft, top), kAddAreaButtonSize));
    connect(button, &QToolButton::clicked, this, [this, kind] { OnAddAreaButton(kind); });
    WatchKeys(button);
    addAreaButtons_[static_cast<std::size_t>(kind - 1)] = button;
  }
  const QColor face(ColorRefToQRgb(kFilesButtonFace));
  AddAreaButton(7).setStyleSheet(
      QStringLiteral("QToolButton { background: %1; }").arg(face.name()));
  collapse_ = new QPushButton(QStringLiteral("<"), this);
  SetControlId(collapse_, IDC_COLLAPSE_STRIP);
  collapse_->setGeometry(kCollapseLeft, kStripTop, kCollapseWidth, 7 * kAddAreaButtonSize.height());
  connect(collapse_, &QPushButton::clicked, this, [this] { OnCollapse(); });
  WatchKeys(collapse_);
}

void CMainDialog::CreatePages() {
  tabControl_ = new QWidget(this);
  SetControlId(tabControl_, IDC_PAGE_TABS);
  tabControl_->setGeometry(kPagesLeft, kTabControlTop, kPagesWidth, 237);
  tabBar_ = new QTabBar(tabControl_);
  tabBar_->setIconSize(QSize(24, 24));
  tabBar_->setExpanding(false);
  tabBar_->setGeometry(0, 0, kPagesWidth, 30);
  connect(tabBar_, &QTabBar::currentChanged, this, [this](int tab) { OnTabSelChange(tab); });
  WatchKeys(tabBar_);
  tabControl_->hide();
}

// A page is made the first time it is asked for: most of them are never shown in a
// session, and making them all would double the time to the first window.
CMainDialog::PageWindow& CMainDialog::MadePage(PageSlot slot) {
  const int index = static_cast<int>(slot);
  PageWindow& page = pages_[static_cast<std::size_t>(index)];
  if (page.widget != nullptr) return page;
  page = MakePage(index, InTabControl(index) ? tabControl_ : this);
  page.widget->setGeometry(InTabControl(index) ? tabControl_->rect().adjusted(2, 30, -4, -2)
                                               : kPagePlaces[index]);
  page.widget->hide();
  if (slot == PageSlot::AreaRect) AreaPageWindow = page.handle;
  return page;
}

void CMainDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int bottom = height();
  QRect tree = tree_->geometry();
  tree.setBottom(bottom - 5);
  tree_->setGeometry(tree);
  tabControl_->resize(kPagesWidth, std::max(60, bottom - kTabControlTop));
  const QRect inner = tabControl_->rect().adjusted(2, 30, -4, -2);
  Page(PageSlot::Border).setGeometry(inner);
  Page(PageSlot::Background).setGeometry(inner);
}

void CMainDialog::ApplyLanguage() {
  for (int kind = 1; kind <= 7; ++kind) {
    const QString text =
        ReadLangText(lang_section::IDD_MAIN_DIALOG, kAreaKindTextNumbers[kind - 1]);
    AddAreaButton(kind).setText(text);
    AddAreaButton(kind).setToolTip(text);
  }
  if (tabBar_->count() > 0)
    tabBar_->setTabText(0, ReadLangText(lang_section::IDD_MAIN_DIALOG, kBorderTabText));
  if (tabBar_->count() > 1)
    tabBar_->setTabText(1, ReadLangText(lang_section::IDD_MAIN_DIALOG, kBackgroundTabText));
}

void CMainDialog::RegisterLanguageTexts() {
  RegisterTexts(TextSlot::ProjectPage, this, [this] { ApplyLanguage(); });
}

void CMainDialog::ShowPagesForSelection() {
  const TreeItemRef* selection = CurrentSelection;
  if (!selection) {
    HideAllPages();
  } else if (selection->Screen()) {
    ShowPages({PageSlot::Summary}, 0);
    LoadPage(PageSlot::Summary);
  } else if (selection->Program()) {
    ShowPages({PageSlot::Program, PageSlot::Border}, 1);
    LoadPage(PageSlot::Program);
    LoadPage(PageSlot::Border);
  } else if (const AreaRecord* area = selection->Area()) {
    const bool known = area->AreaType >= kSingleLineArea && area->AreaType <= kFilesArea;
    const auto content =
        static_cast<PageSlot>(static_cast<int>(PageSlot::AreaRect) + area->AreaType);
    if (known) {
      ShowPages({PageSlot::AreaRect, PageSlot::Border, content}, 2);
    } else {
      ShowPages({PageSlot::AreaRect, PageSlot::Border}, 2);
    }
    LoadPage(PageSlot::AreaRect);
    if (known) LoadPage(content);
    LoadPage(PageSlot::Border);
    LoadPage(PageSlot::Background);
  }
}

void CMainDialog::ShowPages(std::initializer_list<PageSlot> shown, int tabCount) {
  HideAllPages();
  for (PageSlot slot : shown) Page(slot).show();
  if (tabCount == 0) return;
  const bool blocked = tabBar_->blockSignals(true);
  while (tabBar_->count() > 0) tabBar_->removeTab(0);
  tabBar_->addTab(ArtIcon(PageArt::BorderTab),
                  ReadLangText(lang_section::IDD_MAIN_DIALOG, kBorderTabText));
  if (tabCount > 1) {
    tabBar_->addTab(ArtIcon(PageArt::BackgroundTab),
                    ReadLangText(lang_section::IDD_MAIN_DIALOG, kBackgroundTabText));
  }
  tabBar_->setCurrentIndex(0);
  tabBar_->blockSignals(blocked);
  OnTabSelChange(0);
  tabControl_->show();
}

void CMainDialog::HideAllPages() {
  for (const PageWindow& page : pages_) {
    if (page.widget != nullptr) page.widget->hide();
  }
  tabControl_->hide();
}

void CMainDialog::LoadPage(PageSlot slot) {
  SendMessage(MadePage(slot).handle, UM_LOAD_SELECTION, 1, 0);
}

void CMainDialog::OnTabSelChange(int tab) {
  if (tab < 0) return;
  Page(PageSlot::Border).setVisible(tab == 0);
  Page(PageSlot::Background).setVisible(tab == 1);
}
