#include "app/canvas/preview_dialog.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "app/canvas/area_outlines.h"
#include "app/canvas/canvas_view.h"
#include "controls/buttons/kv_menu.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/project_page_ids.h"
#include "controls/shell/window_globals.h"
#include "model/project/project_globals.h"
#include "model/project/screen_limits.h"
#include "model/settings/lang_text.h"
#include "render/borders/border_renderer.h"
#include "render/canvas/edit_canvas.h"
#include "render/common/preview_picture.h"
#include "render/player/area_player.h"
#include "render/player/program_player.h"
#include "render/raster/stretch_image.h"

namespace {

constexpr UINT kFrameIntervalMs = 30;
constexpr UINT kBadgeIntervalMs = 2000;
constexpr QRgb kCanvasGrey = 0xFF808080;
// The logo view's drag badge is blended more lightly than the edit view's.
constexpr int kLogoBadgeAlpha = 100;

// The project page's copy, paste and delete commands.
constexpr WPARAM kPageCopy = ID_TREE_COPY;

CanvasHooks WithDefaults(CanvasHooks hooks) {
  if (!hooks.showMenu) {
    hooks.showMenu = [](KvMenu& menu, const QPoint& at) {
      const QAction* chosen = menu.exec(at);
      return chosen ? chosen->data().value<KvMenuData>().commandId : UINT{0};
    };
  }
  return hooks;
}

Qt::CursorShape CursorOf(int cursorId) {
  switch (cursorId) {
    case kCursorNwse: return Qt::SizeFDiagCursor;
    case kCursorNesw: return Qt::SizeBDiagCursor;
    case kCursorWe: return Qt::SizeHorCursor;
    case kCursorNs: return Qt::SizeVerCursor;
    case kCursorMove: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

// Copies picture, from its point `from`, over the whole of a width x height window;
// what lies outside the picture shows black.
void PaintFrom(QPainter& painter, const QImage& picture, QPoint from, int width, int height) {
  painter.fillRect(0, 0, width, height, Qt::black);
  const QRect source = QRect(from, QSize(width, height)).intersected(picture.rect());
  if (!source.isEmpty()) painter.drawImage(source.topLeft() - from, picture, source);
}

}  // namespace

CPreviewDialog::CPreviewDialog(QWidget* parent, const PlayClock& clock, CanvasHooks hooks)
    : QWidget(parent), clock_(clock), hooks_(WithDefaults(std::move(hooks))) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  PreviewPicture = &visible_;
  static_cast<void>(SetTimer(Handle(), kCanvasFrameTimer, kFrameIntervalMs));
}

CPreviewDialog::~CPreviewDialog() {
  static_cast<void>(KillTimer(Handle(), kCanvasFrameTimer));
  DeletePlayers();
  if (PreviewPicture == &visible_) PreviewPicture = nullptr;
}

LRESULT CPreviewDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER: OnTimer(wParam); return 0;
    case UM_CANVAS_KEY: static_cast<void>(OnCanvasKey(static_cast<int>(wParam))); return 0;
    case UM_CANVAS_ALIGN:
      OnCanvasAlign(static_cast<int>(static_cast<std::intptr_t>(wParam)));
      return 0;
    case WM_COMMAND:
      if (wParam >= kCanvasMenuCopy && wParam <= kCanvasMenuDelete) {
        SendMessage(PaneWindows[kProjectPagePane], WM_COMMAND,
                    kPageCopy + (wParam - kCanvasMenuCopy), 0);
      }
      return 0;
    case UM_CANVAS_COMMAND:
      OnCanvasCommand(static_cast<int>(static_cast<std::intptr_t>(wParam)), lParam);
      return 0;
    case UM_CANVAS_RELOAD:
      if (mode_ == kCanvasEdit && editCanvas_) editCanvas_->RebuildLastArea();
      return 0;
    default: return MessageWindow::WindowProc(msg, wParam, lParam);
  }
}

void CPreviewDialog::SetCanvasSize(int width, int height, float zoom) {
  if (width == screenWidth_ && height == screenHeight_) return;
  screenWidth_ = width;
  screenHeight_ = height;
  view_.zoom = zoom;
  RebuildViewPictures();
}

void CPreviewDialog::SetZoom(float zoom) {
  if (zoom == view_.zoom) return;
  view_.zoom = zoom;
  RebuildViewPictures();
  zoomBadge_ = true;
  static_cast<void>(SetTimer(Handle(), kCanvasBadgeTimer, kBadgeIntervalMs));
}

void CPreviewDialog::SetScroll(int x, int y) {
  view_.scrollX = x;
  view_.scrollY = y;
  PlaceVisible();
}

QImage CPreviewDialog::Shown() const {
  QImage shown(std::max(view_.viewWidth, 1), std::max(view_.viewHeight, 1), QImage::Format_RGB32);
  QPainter painter(&shown);
  if (Zoomed()) {
    PaintFrom(painter, zoomed_, QPoint(0, 0), shown.width(), shown.height());
  } else {
    PaintFrom(painter, visible_.image, UnzoomedCorner(), shown.width(), shown.height());
  }
  return shown;
}

void CPreviewDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (Zoomed()) {
    PaintFrom(painter, zoomed_, QPoint(0, 0), width(), height());
  } else {
    PaintFrom(painter, visible_.image, UnzoomedCorner(), width(), height());
  }
}

void CPreviewDialog::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SyncViewSize();
}

void CPreviewDialog::SyncViewSize() {
  if (view_.viewWidth == width() && view_.viewHeight == height()) return;
  view_.viewWidth = width();
  view_.viewHeight = height();
  RebuildViewPictures();
}

void CPreviewDialog::OnTimer(WPARAM id) {
  if (id == kCanvasFrameTimer) {
    OnFrameTimer();
  } else if (id == kCanvasBadgeTimer) {
    static_cast<void>(KillTimer(Handle(), kCanvasBadgeTimer));
    zoomBadge_ = false;
  } else if (id == kCanvasHoverTimer) {
    static_cast<void>(KillTimer(Handle(), kCanvasHoverTimer));
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
      hoveredIndex_ = 0;
      if (editCanvas_) editCanvas_->SetHoveredArea(0);
    }
  }
}

void CPreviewDialog::OnFrameTimer() {
  SyncViewSize();
  if (!visible_.image.isNull()) {
    switch (mode_) {
      case kCanvasEdit: DrawEditFrame(); break;
      case kCanvasPlay: DrawPlayFrame(); break;
      case kCanvasLogo: DrawLogoFrame(); break;
      case kCanvasBlank: DrawBlankFrame(); break;
      default: break;
    }
    if (zoomBadge_) DrawZoomBadge();
  }
  repaint();
}

void CPreviewDialog::DrawEditFrame() {
  visible_.image.fill(kCanvasGrey);
  EnsureEditCanvas();
  static_cast<void>(editCanvas_->Draw());
  if (Zoomed()) Stretch();
  DrawOverlayOutlines();
}

void CPreviewDialog::DrawPlayFrame() {
  if (!listPlayer_) listPlayer_ = std::make_unique<CProgramListPlayer>(clock_);
  if (listPlayer_->Step() == 0) listPlayer_.reset();
  if (Zoomed()) Stretch();
}

void CPreviewDialog::DrawLogoFrame() {
  visible_.image.fill(kCanvasGrey);
  if (!CanvasAreaList.empty()) {
    const auto makePlayer = [this] {
      logoPlayer_ =
          std::make_unique<CAreaPlayer>(CanvasAreaList.front(), itemIndex_, &visible_, 0, clock_);
      logoPlayer_->SetTransparent(0);
      if (logoPlayer_->Border()) logoPlayer_->Border()->SetTransparent(0);
    };
    const bool madeNow = !logoPlayer_;
    if (madeNow) makePlayer();
    if (logoPlayer_->Render() == 0) {
      logoPlayer_.reset();
      if (!madeNow) {
        makePlayer();
        visible_.image.fill(kCanvasGrey);
        static_cast<void>(logoPlayer_->Render());
      }
    }
  }
  if (Zoomed()) Stretch();
  DrawLogoOutlines();
}

void CPreviewDialog::DrawBlankFrame() {
  if (!Zoomed()) {
    visible_.image.fill(Qt::black);
    return;
  }
  zoomed_.fill(Qt::black);
  DrawPixelGrid(zoomed_, dotPattern_, view_, screenWidth_, screenHeight_);
}

void CPreviewDialog::Stretch() {
  StretchToZoomed(visible_, zoomed_, view_);
  DrawPixelGrid(zoomed_, dotPattern_, view_, screenWidth_, screenHeight_);
}

void CPreviewDialog::DrawOverlayOutlines() {
  if (overlay_.isNull()) return;
  overlay_.fill(Qt::black);
  OutlineStyle style;
  style.zoom = view_.zoom;
  style.shiftX = view_.scrollX;
  style.shiftY = view_.scrollY;
  style.selected = selectedIndex_;
  style.hovered = hoveredIndex_;
  style.dragging = dragging_;
  DrawAreaOutlines(overlay_, CanvasAreaList, style);
  const QPoint at = Zoomed() ? QPoint(0, 0) : UnzoomedCorner();
  static_cast<void>(StretchNearest(
      overlay_, PixelRectOfSize(overlay_.width(), overlay_.height()), PictureInUse(),
      PixelRect{at.x(), at.y(), at.x() + overlay_.width(), at.y() + overlay_.height()},
      NearestCopy::kKeyedOnBlack));
}

void CPreviewDialog::DrawLogoOutlines() {
  OutlineStyle style;
  style.zoom = view_.zoom;
  // The zoomed picture starts at the scroll position, the unzoomed one at its origin.
  style.shiftX = Zoomed() ? view_.scrollX : visible_.origin.x();
  style.shiftY = Zoomed() ? view_.scrollY : visible_.origin.y();
  style.selected = 1;
  style.hovered = 1;
  style.dotted = false;
  style.dragging = dragging_;
  style.badgeAlpha = kLogoBadgeAlpha;
  DrawAreaOutlines(PictureInUse(), CanvasAreaList, style);
}

void CPreviewDialog::DrawZoomBadge() {
  QImage& picture = PictureInUse();
  if (picture.isNull()) return;
  // The badge stays at the screen's top-left corner.
  const QPoint at = QPoint(4, 4) - (Zoomed() ? ScrollPosition() : visible_.origin);
  const QString text = QStringLiteral("%1%").arg(static_cast<int>(view_.zoom * 100));
  QPainter painter(&picture);
  painter.setFont(CanvasFont());
  const QRect box(
      at, QSize(painter.fontMetrics().horizontalAdvance(text), painter.fontMetrics().height()));
  painter.fillRect(box, Qt::black);
  painter.setPen(Qt::white);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

void CPreviewDialog::RebuildViewPictures() {
  zoomed_ = Zoomed() ? MakeZoomedPicture(view_) : QImage();
  dotPattern_ = MakeDotPattern(view_);
  overlay_ = view_.viewWidth > 0 && view_.viewHeight > 0
                 ? QImage(view_.viewWidth, view_.viewHeight, QImage::Format_RGB32)
                 : QImage();
  PlaceVisible();
}

void CPreviewDialog::PlaceVisible() {
  // A size no card can drive gets no picture, whatever sent it.
  const PixelRect part = IsDrivableScreenSize(screenWidth_, screenHeight_)
                             ? VisibleScreenPart(view_, screenWidth_, screenHeight_)
                             : PixelRect{};
  const QSize size(part.Width(), part.Height());
  if (visible_.image.size() != size) {
    visible_.image = part.IsEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    if (!visible_.image.isNull()) visible_.image.fill(Qt::black);
  }
  visible_.origin = QPoint(part.left, part.top);
}

void CPreviewDialog::OnCanvasCommand(int operation, LPARAM argument) {
  switch (operation) {
    case -1:
      DeletePlayers();
      mode_ = kCanvasBlank;
      break;
    case 0:
      DeletePlayers();
      mode_ = kCanvasEdit;
      hoveredIndex_ = 0;
      selectedIndex_ = 0;
      break;
    case 1: SelectArea(static_cast<int>(argument)); break;
    case 2:
      EnsureEditCanvas();
      editCanvas_->ReplaceLastArea(static_cast<int>(argument));
      break;
    case 3:
      if (argument == 0) {
        savedMode_ = mode_;
        mode_ = kCanvasPlay;
        setEnabled(false);
      } else {
        listPlayer_.reset();
        mode_ = savedMode_;
        setEnabled(true);
      }
      break;
    case 7:
      logoPlayer_.reset();
      if (argument == -3) {
        savedMode_ = mode_;
        savedSelectedIndex_ = selectedIndex_;
        mode_ = kCanvasLogo;
        itemIndex_ = -2;
      } else {
        itemIndex_ = static_cast<int>(argument);
      }
      hoveredIndex_ = 1;
      selectedIndex_ = 1;
      break;
    case 8:
      logoPlayer_.reset();
      mode_ = savedMode_;
      selectedIndex_ = savedSelectedIndex_;
      break;
    case 4:
      if (editCanvas_) editCanvas_->AddLastArea();
      break;
    case 5:
      if (editCanvas_) editCanvas_->RemoveLastArea();
      break;
    case 6:
      if (editCanvas_) editCanvas_->Pause();
      break;
    default: break;
  }
}

void CPreviewDialog::OnContextMenu(const QPoint& at) {
  if (!CurrentSelection || CurrentSelection->Screen()) return;
  const QString section = QStringLiteral("IDR_MENU_TREE");
  const bool canPaste = SendMessage(PaneWindows[kProjectPagePane], UM_HAS_COPIED_ITEM, 0, 0) == 1;
  KvMenu menu;
  if (!menu.AppendItem(ReadLangText(section, 1004), 0, kCanvasMenuCopy) ||
      !menu.AppendItem(ReadLangText(section, 1005), canPaste ? 0 : MF_GRAYED, kCanvasMenuPaste) ||
      !menu.AppendItem(QString(), 0, 0) ||
      !menu.AppendItem(ReadLangText(section, 1006), 0, kCanvasMenuDelete)) {
    return;
  }
  hitKind_ = 0;
  OnSetCursor();
  const UINT chosen = hooks_.showMenu(menu, mapToGlobal(at));
  if (chosen != 0) SendMessage(Handle(), WM_COMMAND, chosen, 0);
}

void CPreviewDialog::OnSetCursor() {
  if (hitKind_ != 0) {
    setCursor(CursorOf(cursorId_));
  } else {
    unsetCursor();
  }
}

void CPreviewDialog::DeletePlayers() {
  listPlayer_.reset();
  logoPlayer_.reset();
  editCanvas_.reset();
}

void CPreviewDialog::EnsureEditCanvas() {
  if (editCanvas_) return;
  const ProgramRecord* program = nullptr;
  if (CurrentSelection) {
    const AreaRecord* area = CurrentSelection->Area();
    program = area ? area->OwnerProgram : CurrentSelection->Program();
  }
  editCanvas_ = std::make_unique<CEditCanvas>(clock_);
  static_cast<void>(editCanvas_->Build(program));
}

void CPreviewDialog::SelectArea(int position) {
  EnsureEditCanvas();
  editCanvas_->SetSelectedArea(position);
  if (position > 0) {
    editCanvas_->MoveAreaToEnd();
    selectedIndex_ = static_cast<int>(CanvasAreaList.size());
  } else {
    editCanvas_->SetHoveredArea(0);
    hoveredIndex_ = 0;
    selectedIndex_ = 0;
  }
}
