#include "app/canvas/frame_dialog.h"

#include <qdrawutil.h>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <array>

#include "app/canvas/frame_art.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/command_action.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "platform/blocking_call.h"

namespace {

constexpr std::array<float, 6> kZoomSteps = {0.5f, 1.0f, 2.0f, 4.0f, 6.0f, 8.0f};

constexpr int kImageSize = 24;
constexpr int kButtonWidth = 55;
constexpr int kFirstTextKey = 1000;  // the buttons' texts in order, play's last
constexpr int kPlayTextKey = 1009;
constexpr int kStopTextKey = 1010;

// The frame's margins around the canvas's room: 5 on each side, 55 above (the
// toolbar) and 5 below.
constexpr int kRoomMarginX = 10;
constexpr int kRoomMarginY = 60;
constexpr int kRoomLeft = 5;
constexpr int kRoomTop = 55;
// The canvas's sunken edge, which the zoomed screen's size leaves room for.
constexpr int kCanvasEdge = 2;

constexpr int kTrackingExtraX = 35;
constexpr int kTrackingExtraY = 85;
constexpr int kDesktopHeightReserve = 40;
constexpr QSize kSmallestTracking(600, 100);

// The align and size commands and the canvas's command types they send.
struct AlignCommand {
  UINT command;
  WPARAM type;
};
constexpr std::array<AlignCommand, 7> kAlignCommands = {{
    {ID_FRAME_ALIGN_LEFT, 4},
    {ID_FRAME_ALIGN_RIGHT, 5},
    {ID_FRAME_ALIGN_TOP, 2},
    {ID_FRAME_ALIGN_BOTTOM, 3},
    {ID_FRAME_FULL_WIDTH, 8},
    {ID_FRAME_FULL_HEIGHT, 11},
    {ID_FRAME_FILL, 7},
}};

constexpr WPARAM kPlayAllPrograms = 0;  // UM_PLAY_TOGGLE to the main window
constexpr WPARAM kPlaybackStarted = 0;  // UM_PLAY_TOGGLE from the main window

bool ShowsTexts() { return LanguageIndex == 1 || LanguageIndex == 3; }

}  // namespace

float NextZoomIn(float zoom) {
  const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom);
  return next == kZoomSteps.end() ? zoom : *next;
}

float NextZoomOut(float zoom) {
  const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), zoom);
  return next == kZoomSteps.begin() ? zoom : *(next - 1);
}

QSize FrameTrackingSize(float zoom, int screenWidth, int screenHeight, QSize desktop) {
  const int width = std::min(
      static_cast<int>(zoom * static_cast<float>(screenWidth)) + kTrackingExtraX, desktop.width());
  const int height =
      std::min(static_cast<int>(zoom * static_cast<float>(screenHeight)) + kTrackingExtraY,
               desktop.height() - kDesktopHeightReserve);
  return {std::max(width, kSmallestTracking.width()), std::max(height, kSmallestTracking.height())};
}

FrameAxis LayOutFrameAxis(int room, int needed) {
  if (room >= needed) return {false, needed, 0};
  return {true, std::max(room, 0), needed - std::max(room, 0)};
}

CFrameDialog::CFrameDialog(const PlayClock& clock)
    : CMagnetDialog(nullptr),
      canvas_(this, clock),
      toolbar_(this),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
  setWindowTitle(QStringLiteral("Quendra"));
  // An application window of its own, on the taskbar.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  PreviewCanvasWindow = canvas_.Handle();
  horizontal_->hide();
  vertical_->hide();
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    connect(bar, &QScrollBar::valueChanged, this, [this] { OnScrolled(); });
  }
  CreateToolBar();
  ApplyLanguage();
  ApplyTrackingSize();
  LayOut();
  // The canvas starts at the stored size: a first screen of that size changes nothing.
  canvas_.SetCanvasSize(screenWidth_, screenHeight_, zoom_);
}

CFrameDialog::~CFrameDialog() {
  if (PreviewCanvasWindow == canvas_.Handle()) PreviewCanvasWindow = nullptr;
}

void CFrameDialog::CreateToolBar() {
  toolbar_.CreateImageList(QSize(kImageSize, kImageSize));
  for (int index = 0; index < kFrameArtCount; ++index) {
    static_cast<void>(toolbar_.AddBitmap(PaintFrameArt(index, kImageSize)));
  }
  if (toolbar_.CreateBar(this, QMargins(), IDR_FRAME_TOOLBAR, kImageSize, kImageSize) == 0) return;
  for (QAction* action : toolbar_.actions()) {
    if (!action->isSeparator()) toolbar_.widgetForAction(action)->setFixedWidth(kButtonWidth);
  }
}

void CFrameDialog::ApplyLanguage() {
  const bool texts = ShowsTexts();
  int button = 0;
  for (QAction* action : toolbar_.actions()) {
    if (action->isSeparator()) continue;
    const bool play = CommandIdOf(action) == ID_FRAME_PLAY;
    const int key = play && playing_ != 0 ? kStopTextKey : kFirstTextKey + button;
    action->setText(texts ? ReadLangText(lang_section::IDD_FRAME_DIALOG, key) : QString());
    // The tip is the toolbar frame's text of the command, in every language.
    if (const auto tip = ToolTipTextOf(CommandIdOf(action))) {
      action->setToolTip(ReadLangText(tip->section, tip->textNumber));
    }
    ++button;
  }
  toolbar_.setToolButtonStyle(texts ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  toolbar_.resize(toolbar_.sizeHint());
  LayOut();
}

LRESULT CFrameDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: OnCommand(static_cast<UINT>(wParam)); return 0;
    case UM_SCREEN_SIZE_CHANGED:
      OnScreenSize(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case UM_PLAY_TOGGLE: OnPlayToggle(wParam); return 0;
    default: return CMagnetDialog::WindowProc(msg, wParam, lParam);
  }
}

void CFrameDialog::OnCommand(UINT command) {
  if (command == ID_FRAME_ZOOM_IN || command == ID_FRAME_ZOOM_OUT) {
    const float zoom = command == ID_FRAME_ZOOM_IN ? NextZoomIn(zoom_) : NextZoomOut(zoom_);
    if (zoom != zoom_) ChangeZoom(zoom);
    return;
  }
  if (command == ID_FRAME_PLAY) {
    SendMessage(MainWindowHandle, UM_PLAY_TOGGLE, kPlayAllPrograms, 0);
    return;
  }
  for (const AlignCommand& align : kAlignCommands) {
    if (align.command == command) SendMessage(canvas_.Handle(), UM_CANVAS_ALIGN, align.type, 0);
  }
}

void CFrameDialog::ChangeZoom(float zoom) {
  const float scale = zoom / zoom_;
  zoom_ = zoom;
  scrollX_ = static_cast<int>(static_cast<float>(scrollX_) * scale);
  scrollY_ = static_cast<int>(static_cast<float>(scrollY_) * scale);
  canvas_.SetScroll(scrollX_, scrollY_);
  ReLayOut(2);
}

void CFrameDialog::OnScreenSize(int width, int height) {
  if (width == screenWidth_ && height == screenHeight_) return;
  screenWidth_ = width;
  screenHeight_ = height;
  scrollX_ = 0;
  scrollY_ = 0;
  canvas_.SetScroll(0, 0);
  ReLayOut(3);
  canvas_.SetCanvasSize(width, height, zoom_);
}

void CFrameDialog::OnPlayToggle(WPARAM state) {
  playing_ = state == kPlaybackStarted ? 1 : 0;
  ShowPlayButton();
}

void CFrameDialog::ShowPlayButton() {
  QAction* play = toolbar_.ButtonAction(toolbar_.CommandToIndex(ID_FRAME_PLAY));
  const ImageList* images = toolbar_.GetImageList();
  if (play == nullptr || images == nullptr) return;
  const bool playing = playing_ != 0;
  play->setIcon(QPixmap::fromImage(images->GetImage(playing ? kFrameArtStop : kFrameArtPlay)));
  if (ShowsTexts()) {
    play->setText(
        ReadLangText(lang_section::IDD_FRAME_DIALOG, playing ? kStopTextKey : kPlayTextKey));
  }
}

void CFrameDialog::OnScrolled() {
  scrollX_ = horizontal_->value();
  scrollY_ = vertical_->value();
  canvas_.SetScroll(scrollX_, scrollY_);
  canvas_.repaint();
}

void CFrameDialog::ReLayOut(int times) {
  for (int pass = 0; pass < times; ++pass) {
    PumpMessages();
    ApplyTrackingSize();
    LayOut();
  }
}

void CFrameDialog::ApplyTrackingSize() {
  const QScreen* desktop = screen();
  if (desktop == nullptr) return;
  // The tracking size counts the window frame; the window manager's decoration is
  // known once the window shows (none before, and none on the offscreen platform).
  const QSize decoration = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
  const QSize client =
      FrameTrackingSize(zoom_, screenWidth_, screenHeight_, desktop->geometry().size()) -
      decoration;
  const QSize bounded(std::max(client.width(), 1), std::max(client.height(), 1));
  setMinimumSize(bounded);
  setMaximumSize(bounded);
}

void CFrameDialog::LayOut() {
  // Showing a scroll bar takes room from the client, which may call for the other one;
  // three passes settle every case.
  for (int pass = 0; pass < 3 && !LayOutOnce(); ++pass) {
  }
}

bool CFrameDialog::LayOutOnce() {
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int clientWidth = width() - (vertical_->isHidden() ? 0 : barWidth);
  const int clientHeight = height() - (horizontal_->isHidden() ? 0 : barWidth);
  toolbar_.move((clientWidth - toolbar_.width()) / 2, 0);

  const int roomWidth = clientWidth - kRoomMarginX;
  const int roomHeight = clientHeight - kRoomMarginY;
  const int edge = 2 * kCanvasEdge;
  const FrameAxis across =
      LayOutFrameAxis(roomWidth, static_cast<int>(static_cast<float>(screenWidth_) * zoom_) + edge);
  const FrameAxis down = LayOutFrameAxis(
      roomHeight, static_cast<int>(static_cast<float>(screenHeight_) * zoom_) + edge);
  const bool settled =
      across.scroll == !horizontal_->isHidden() && down.scroll == !vertical_->isHidden();
  {
    const QSignalBlocker blockAcross(horizontal_);
    const QSignalBlocker blockDown(vertical_);
    // A position still inside the new range stays; a hidden bar goes back to 0.
    horizontal_->setRange(0, across.maximum);
    horizontal_->setPageStep(std::max(across.canvas, 1));
    horizontal_->setValue(across.scroll ? scrollX_ : 0);
    vertical_->setRange(0, down.maximum);
    vertical_->setPageStep(std::max(down.canvas, 1));
    vertical_->setValue(down.scroll ? scrollY_ : 0);
    horizontal_->setVisible(across.scroll);
    vertical_->setVisible(down.scroll);
  }
  horizontal_->setGeometry(0, clientHeight, clientWidth, barWidth);
  vertical_->setGeometry(clientWidth, 0, barWidth, clientHeight);
  scrollX_ = horizontal_->value();
  scrollY_ = vertical_->value();
  canvas_.SetScroll(scrollX_, scrollY_);

  canvasWindow_ = QRect((roomWidth - across.canvas) / 2 + kRoomLeft,
                        (roomHeight - down.canvas) / 2 + kRoomTop, across.canvas, down.canvas);
  canvas_.setGeometry(canvasWindow_.adjusted(kCanvasEdge, kCanvasEdge, -kCanvasEdge, -kCanvasEdge));
  canvas_.SetZoom(zoom_);
  update();
  return settled;
}

bool CFrameDialog::event(QEvent* event) {
  // Tab reaches keyPressEvent as every other key instead of moving the focus.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
      keyPressEvent(key);
      return true;
    }
  }
  return CMagnetDialog::event(event);
}

void CFrameDialog::keyPressEvent(QKeyEvent* event) {
  // A key pressed while the canvas has the focus went to the canvas first; it reaches
  // the frame only when the canvas left it, and is not handed over a second time.
  const bool canvasSawIt = canvas_.isAncestorOf(focusWidget()) || focusWidget() == &canvas_;
  const int code = CanvasKeyOf(event->key());
  if (!canvasSawIt && code != 0) {
    SendMessage(canvas_.Handle(), UM_CANVAS_KEY, static_cast<WPARAM>(code), 0);
  }
  CMagnetDialog::keyPressEvent(event);
}

void CFrameDialog::closeEvent(QCloseEvent* event) { event->ignore(); }

void CFrameDialog::reject() {}

void CFrameDialog::showEvent(QShowEvent* event) {
  CMagnetDialog::showEvent(event);
  ApplyTrackingSize();
  LayOut();
}

void CFrameDialog::resizeEvent(QResizeEvent* event) {
  CMagnetDialog::resizeEvent(event);
  LayOut();
}

void CFrameDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawWinPanel(&painter, canvasWindow_, palette(), true);
}
