#include "app/main_window/quendra_dlg.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QProcess>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdlib>

#include "app/builder/program_builder.h"
#include "app/builder/send_checks.h"
#include "app/language/language_texts.h"
#include "app/language/main_menu_texts.h"
#include "app/main_window/guide_dialog.h"
#include "app/main_window/main_menu.h"
#include "app/send/send_dialog.h"
#include "app/send/usb_send_dialog.h"
#include "controls/animation/pane_slide.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/artwork.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/table_editor_opener.h"
#include "controls/support/command_action.h"
#include "controls/support/main_window.h"
#include "device/access/lock_dialog.h"
#include "device/common/job_program.h"
#include "device/firmware/update_dialog.h"
#include "device/lock/led_locker_dialog.h"
#include "device/logo/logo_set_dialog.h"
#include "device/search/search_dialog.h"
#include "device/settings/screen_param_dialog.h"
#include "device/usb/usb_import_dialog.h"
#include "editors/rich_text_editor/rtf_edit_dialog.h"
#include "editors/table_editor/grid_edit_dialog.h"
#include "model/common/app_dir.h"
#include "model/common/file_system.h"
#include "model/project/default_screen.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/project/project_window.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/program_save_path.h"
#include "platform/window_channel.h"
#include "render/text/rtf_render.h"

namespace {

constexpr int kCloseQuestion = 1061;
constexpr int kDamagedProjectNote = 4001;
constexpr int kSaveFailedQuestion = 4002;
constexpr int kStyleOkCancelInfo = 0x41;
constexpr int kStyleInfo = 0x40;

constexpr QSize kWindowSize(980, 690);
constexpr int kProjectPageTop = 85;
constexpr int kPaneBottomGap = 28;  // the panes end this far above the client's bottom
constexpr int kToolbarImage = 56;
constexpr int kToolbarButton = 82;
constexpr int kToolbarButtonMax = 100;
constexpr QRect kPreviewFrameStart(0, 0, 600, 120);

// The toolbar's pictures, left to right.
const Art kToolbarArt[] = {Art::Edit, Art::Search, Art::SendToScreens, Art::Usb, Art::Send};

MainWindowHooks WithDefaults(MainWindowHooks hooks) {
  if (!hooks.clock) hooks.clock = [] { return QDateTime::currentDateTime(); };
  if (!hooks.ask)
    hooks.ask = [](const QString& text, int style) { return ShowStyleMessage(text, style); };
  if (!hooks.exitForUpdate) hooks.exitForUpdate = [] { std::_Exit(0); };
  if (!hooks.chooseOpenFile) {
    hooks.chooseOpenFile = [](const QString& filter) {
      return QFileDialog::getOpenFileName(MainWindow(), QString(), QString(), filter);
    };
  }
  if (!hooks.chooseSaveFile) {
    hooks.chooseSaveFile = [](const QString& filter, const QString& defaultName) {
      return QFileDialog::getSaveFileName(MainWindow(), QString(), defaultName, filter);
    };
  }
  if (!hooks.launch) {
    hooks.launch = [](const QString& program) {
      return QProcess::startDetached(program, {}, GetAppDir());
    };
  }
  return hooks;
}

// A pane that a language switch re-texts, registered in its slot of the table.
template <typename Pane>
Pane* Retexted(TextSlot slot, Pane* pane) {
  RegisterTexts(slot, pane, [pane] { pane->ApplyLanguage(); });
  return pane;
}

}  // namespace

CQuendraDlg::CQuendraDlg(MainWindowHooks hooks)
    : hooks_(WithDefaults(std::move(hooks))),
      client_(new QWidget(this)),
      richEdit_(client_),
      button1263_(client_),
      menuBar_(BuildMainMenuBar(this, Handle())),
      blankMenuBar_(new QMenuBar(this)) {
  MainWindowHandle = Handle();
  SetMainWindow(this);  // long operations disable it while they run
  setWindowTitle(QStringLiteral("Quendra"));
  setWindowIcon(QPixmap::fromImage(PaintArt(Art::Application, 32)));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMinimizeButtonHint, true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(menuBar_);
  layout->addWidget(blankMenuBar_);
  layout->addWidget(client_, 1);
  blankMenuBar_->hide();
  // The blank bar keeps the height of the real one, so the panes do not move.
  blankMenuBar_->setFixedHeight(menuBar_->sizeHint().height());
  setFixedSize(kWindowSize);
  client_->installEventFilter(this);
  channel_ = std::make_unique<WindowChannel>(kMainWindowClass, Handle(),
                                             std::vector<UINT>{UM_EXIT_FOR_UPDATE});
  OnInitDialog();
}

CQuendraDlg::~CQuendraDlg() {
  static_cast<void>(KillTimer(Handle(), kClockTimer));
  SetProjectWindow(nullptr);
  RenderRichEdit = nullptr;
  HiddenRichEdit = nullptr;
  RunRtfEditor = nullptr;
  RunTableEditor = nullptr;
  CheckSendJob = nullptr;
  BuildJobProgram = nullptr;
  PreviewFrameWindow = nullptr;
  std::fill(std::begin(PaneWindows), std::end(PaneWindows), nullptr);
  MainWindowHandle = nullptr;
  SetMainWindow(nullptr);
}

QWidget& CQuendraDlg::Pane(int pane) {
  if (pane < 1 || pane > kTaskPaneCount) return *projectPage_;
  // A task pane is made the first time it is asked for, not at start.
  TaskPane*& made = panes_[static_cast<std::size_t>(pane - 1)];
  if (made == nullptr) {
    made = MakeTaskPane(pane);
    made->setGeometry(PaneArea());
    made->hide();
    PaneWindows[pane] = made->Handle();
  }
  return *made;
}

QRect CQuendraDlg::PaneArea() const {
  return QRect(0, 0, client_->width(), client_->height() - kPaneBottomGap);
}

void CQuendraDlg::OnInitDialog() {
  // 1. The status bar's clock.
  static_cast<void>(SetTimer(Handle(), kClockTimer, 1000));
  // 2. The language, and its item checked in the fifth menu.
  // The stored choice is checked: 0, automatic, stays 0 whatever language it resolves to.
  const int language = StoredLanguageChoice();
  SelectLanguageFile(language);
  CheckLanguageItem(*menuBar_, language);
  // 3-4. The menu images are set with the menu; the button 1263 gets its icons.
  static_cast<void>(button1263_.SetIcon(QPixmap::fromImage(PaintArt(Art::Back, 24)),
                                        QPixmap::fromImage(PaintArt(Art::BackIdle, 24))));
  button1263_.SetDrawBorder(false);
  button1263_.hide();  // nothing places it or gives it a command
  // 5. The skin is the style sheet's; 6-7. status bar and toolbar.
  CreateStatusBar();
  CreateToolBar();
  // 8. Texts.
  LoadMenuTexts();
  // 9. The preview frame, attached to this window.
  previewFrame_ = std::make_unique<CFrameDialog>();
  previewFrame_->setGeometry(kPreviewFrameStart);
  static_cast<void>(previewFrame_->AttachTo(this));
  PreviewFrameWindow = previewFrame_->Handle();
  DeviceCallLockedWidgets[0] = menuBar_;
  DeviceCallLockedWidgets[1] = &toolbar_;
  DeviceCallLockedWidgets[2] = previewFrame_.get();
  // 10. The project page; the task panes are made when first opened.
  CreateProjectPage();
  RegisterLanguageTexts();
  // 11. The hidden rich-edit control.
  richEdit_.hide();
  RenderRichEdit = &richEdit_.Content();
  HiddenRichEdit = &richEdit_;
  RunRtfEditor = RunRtfEditDialog;  // the editor the pages and panes open
  RunTableEditor = RunGridEditDialog;
  CheckSendJob = CheckProgramsBeforeSend;
  BuildJobProgram = [](const ScreenSendJob& job, std::int32_t headerMode) {
    return BuildScreenProgram(job, headerMode).release();
  };
  LayOutClient();
  // 12. The project.
  LoadProject();
  ShowClock();
  // 13. The splash window, modal; a start picture that cannot be drawn shows none.
  if (hooks_.splashHoldMs >= 0) {
    CStartDialog splash(hooks_.splashHoldMs);
    static_cast<void>(splash.DoModal());
  }
  previewFrame_->show();
}

void CQuendraDlg::LoadMenuTexts() {
  LoadMainMenuTexts(toolbar_, *menuBar_);
  // The buttons are wider than their range only where a text needs it.
  for (QAction* action : toolbar_.actions()) {
    QWidget* button = toolbar_.widgetForAction(action);
    button->setMaximumWidth(std::max(kToolbarButtonMax, button->sizeHint().width()));
  }
}

void CQuendraDlg::CreateStatusBar() {
  statusBar_ = new MainStatusBar(client_);
  statusBar_->setObjectName(QStringLiteral("statusbar99"));
}

bool CQuendraDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) LayOutClient();
  return CMagnetDialog::eventFilter(watched, event);
}

void CQuendraDlg::LayOutClient() {
  const int width = client_->width();
  const int height = client_->height();
  statusBar_->setGeometry(0, height - MainStatusBar::kHeight, width, MainStatusBar::kHeight);
  toolbar_.setGeometry(0, 0, width, toolbar_.sizeHint().height());
  const QRect area = PaneArea();
  projectPage_->setGeometry(area.adjusted(0, kProjectPageTop, 0, 0));
  for (TaskPane* pane : panes_) {
    if (pane != nullptr) pane->setGeometry(area);
  }
}

void CQuendraDlg::CreateToolBar() {
  toolbar_.CreateImageList(QSize(kToolbarImage, kToolbarImage));
  for (const Art art : kToolbarArt)
    static_cast<void>(toolbar_.AddBitmap(PaintArt(art, kToolbarImage, true)));
  if (toolbar_.CreateBar(client_, QMargins(), IDR_MAIN_TOOLBAR, kToolbarButton, kToolbarImage) == 0)
    return;
  toolbar_.setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (QAction* action : toolbar_.actions()) {
    QWidget* button = toolbar_.widgetForAction(action);
    button->setMinimumWidth(kToolbarButton);
    const UINT command = CommandIdOf(action);
    if (command == ID_TOOLBAR_EDIT) action->setEnabled(false);  // it has no action
    if (command == ID_TOOLBAR_SEND_TO_SCREENS) {
      AddDropDownMenuTemplate();
      auto* dropDown = new KvMenu(this);
      if (dropDown->LoadMenu(IDR_DROP_DOWN_MENU) == 1) {
        auto* toolButton = qobject_cast<QToolButton*>(button);
        toolButton->setMenu(dropDown->GetSubMenu(0));
        toolButton->setPopupMode(QToolButton::MenuButtonPopup);
        connect(dropDown->GetSubMenu(0), &QMenu::triggered, this,
                [this](const QAction* chosen) { SendCommandOf(chosen, Handle()); });
      }
    }
  }
}

void CQuendraDlg::CreateProjectPage() {
  projectPage_ = new CMainDialog(client_);
  projectPage_->show();
  PaneWindows[0] = projectPage_->Handle();
  SetProjectWindow(projectPage_->Handle());
}

TaskPane* CQuendraDlg::MakeTaskPane(int pane) {
  switch (pane) {
    case kScreenParamPane: {
      auto* screenPane = Retexted(TextSlot::ScreenParamPane, new CScreenParamDialog(client_));
      screenPane->FillScreenList();  // listed again whenever the pane opens
      return screenPane;
    }
    case kGuidePane: return Retexted(TextSlot::GuidePane, new CGuideDialog(client_));
    case kSendPane: {
      auto* sendPane = Retexted(TextSlot::SendPane, new CSendDialog(client_, *projectPage_));
      sendPane->SetPreviewFrame(previewFrame_.get());
      return sendPane;
    }
    case kSearchPane: return Retexted(TextSlot::SearchPane, new CSearchDialog(client_));
    case kUsbSendPane:
      return Retexted(TextSlot::UsbSendPane,
                      new CUsbSendDialog(client_, *projectPage_, hooks_.ask));
    case kAccessCodePane:
      return Retexted(TextSlot::AccessCodePane,
                      new CLockDialog(client_, SystemPlayClock(), hooks_.ask));
    case kUsbImportPane:
      return Retexted(TextSlot::UsbReadBackPane, new CUsbImportDialog(client_, hooks_.ask));
    case kLogoPane:
      return Retexted(TextSlot::BootLogoPane, new CLogoSetDialog(client_, hooks_.ask));
    case kLockerPane:
      return Retexted(TextSlot::TimedLockPane,
                      new CLedLockerDialog(client_, SystemPlayClock(), hooks_.ask));
    case kFirmwarePane:
      return Retexted(TextSlot::FirmwarePane,
                      new CUpdateDialog(client_, hooks_.ask, hooks_.chooseOpenFile));
  }
  Q_UNREACHABLE();
  return nullptr;
}

void CQuendraDlg::LoadProject() {
  const QString path = GetProgramSavePath();
  if (!FileExists(path)) {
    CreateDefaultScreen();
    return;
  }
  const int loaded = LoadProjectXml(path);
  // The tree shows whatever was read.
  projectPage_->BuildTreeFromModel();
  if (loaded == 1) return;
  // The file is never written over: the project goes on under a new name.
  static_cast<void>(NewProgramSavePath());
  if (ScreenList.empty()) CreateDefaultScreen();
  hooks_.ask(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kDamagedProjectNote), kStyleInfo);
}

void CQuendraDlg::ShowClock() {
  statusBar_->SetText(kClockPart, hooks_.clock().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

LRESULT CQuendraDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) OnLanguageCommand(wParam);
  switch (msg) {
    case WM_TIMER:
      if (wParam == kClockTimer) ShowClock();
      break;
    case WM_COMMAND: OnCommand(wParam); break;
    case UM_PANE_BACK: OnPaneBack(wParam, lParam); break;
    case UM_EXIT_FOR_UPDATE: OnExitForUpdate(); break;
    case UM_PLAY_TOGGLE: OnPlayToggle(wParam); break;
    case UM_STATUS_CODE: OnStatusCode(wParam, lParam); break;
    case UM_SEND_PROGRESS: OnSendProgress(lParam); break;
    case UM_SEND_RESULT: OnSendResult(lParam); break;
    case UM_STATUS_REFRESH: OnStatusRefresh(); break;
    default: break;
  }
  return CMagnetDialog::WindowProc(msg, wParam, lParam);
}

void CQuendraDlg::SwapMenuBar(int flag) {
  menuBar_->setVisible(flag != 0);
  blankMenuBar_->setVisible(flag == 0);
}

void CQuendraDlg::ShowTaskPane(int pane) {
  if (pane < 1 || pane > kTaskPaneCount || pane == CurrentPaneIndex) return;
  CollapseAndExpandWindows(&Pane(CurrentPaneIndex), &Pane(pane), [this] {
    toolbar_.hide();
    SwapMenuBar(0);
  });
  CurrentPaneIndex = pane;
}

void CQuendraDlg::OnClose() {
  if (CurrentPaneIndex >= 1) {
    SendMessage(Handle(), UM_PANE_BACK, static_cast<WPARAM>(CurrentPaneIndex), 0);
    return;
  }
  if (hooks_.ask(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kCloseQuestion),
                 kStyleOkCancelInfo) != kIdOk)
    return;
  if (SaveProjectXml(GetProgramSavePath()) != 1 &&
      hooks_.ask(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kSaveFailedQuestion),
                 kStyleOkCancelInfo) != kIdOk) {
    return;
  }
  previewFrame_.reset();
  PreviewFrameWindow = nullptr;
  if (WindowClassExists(kUpdaterWindowClass)) {
    // An updater that went away meanwhile needs no telling.
    static_cast<void>(PostToWindowClass(kUpdaterWindowClass, UM_QUIT_UPDATER, 0, 0));
  }
  done(QDialog::Rejected);
}

void CQuendraDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Esc never close the main window.
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    event->accept();
    return;
  }
  CMagnetDialog::keyPressEvent(event);
}

void CQuendraDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  OnClose();
}

void CQuendraDlg::reject() {}

void CQuendraDlg::changeEvent(QEvent* event) {
  CMagnetDialog::changeEvent(event);
  if (!previewFrame_) return;
  if (event->type() == QEvent::WindowStateChange) {
    // The frame hides with the minimised window and comes back with it.
    previewFrame_->setVisible(!isMinimized());
  } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    previewFrame_->raise();
    raise();
  }
}
