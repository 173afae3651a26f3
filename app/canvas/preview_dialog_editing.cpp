// The editing half of the preview canvas: the mouse, the keys and the align commands
// on the areas of CanvasAreaList. Every change goes straight into the area's record;
// the page that shows it is told to load it again.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/canvas/preview_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "model/project/project_globals.h"
#include "platform/input_codes.h"
#include "render/canvas/edit_canvas.h"

namespace {

constexpr UINT kHoverIntervalMs = 200;

AreaBox BoxOf(const AreaRecord& area) {
  return {area.AreaRect_Left, area.AreaRect_Top, area.AreaRect_Right, area.AreaRect_Bottom};
}

void StoreBox(AreaRecord& area, const AreaBox& box) {
  area.AreaRect_Left = box.left;
  area.AreaRect_Top = box.top;
  area.AreaRect_Right = box.right;
  area.AreaRect_Bottom = box.bottom;
}

int ProgramBorderOf(const AreaRecord& area) {
  return area.OwnerProgram ? area.OwnerProgram->BorderWidth : 0;
}

// Makes the project tree's item of a record the current one, which runs the tree's
// selection road. The handle is only compared, never followed: an item that is gone
// is simply not found.
void SelectInTree(TreeItemHandle handle) {
  if (!ProjectTreeControl || !handle) return;
  for (QTreeWidgetItemIterator it(ProjectTreeControl); *it; ++it) {
    if (static_cast<const void*>(*it) == handle) {
      ProjectTreeControl->setCurrentItem(*it);
      return;
    }
  }
}

}  // namespace

// Qt events, passed on to the handlers ---------------------------------------------

bool CPreviewDialog::event(QEvent* event) {
  // Tab would otherwise move the focus before the canvas sees it.
  if (event->type() == QEvent::KeyPress) {
    const int key = CanvasKeyOf(static_cast<QKeyEvent*>(event)->key());
    if (key != 0 && OnCanvasKey(key)) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void CPreviewDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    OnButtonDown(event->position().toPoint(), event->button() == Qt::LeftButton);
  } else {
    QWidget::mousePressEvent(event);
  }
}

void CPreviewDialog::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(MouseKeyFlags(event->buttons(), event->modifiers()), event->position().toPoint());
}

void CPreviewDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLeftButtonUp(event->position().toPoint());
  } else if (event->button() == Qt::RightButton) {
    OnContextMenu(event->position().toPoint());
  } else {
    QWidget::mouseReleaseEvent(event);
  }
}

// The mouse ------------------------------------------------------------------------

void CPreviewDialog::HitTest(const QPoint& point) {
  std::vector<AreaBox> boxes;
  boxes.reserve(CanvasAreaList.size());
  for (const AreaRecord* area : CanvasAreaList) boxes.push_back(BoxOf(*area));
  const QPoint at = point + ScrollPosition();  // a point of the zoomed screen
  const AreaHit hit = HitTestAreas(boxes, at.x(), at.y(), view_.zoom);
  hitKind_ = hit.kind;
  cursorId_ = CursorOfHit(hit.kind);
  hoveredIndex_ = hit.index;
  OnSetCursor();
  if (mode_ == kCanvasEdit && editCanvas_) editCanvas_->SetHoveredArea(hoveredIndex_);
}

void CPreviewDialog::OnMouseMove(UINT flags, const QPoint& point) {
  // Only the exact flags count: a key or another button held does neither.
  if (flags == 0 || flags == MK_RBUTTON) {
    HitTest(point);
    static_cast<void>(SetTimer(Handle(), kCanvasHoverTimer, kHoverIntervalMs));
  } else if (flags == MK_LBUTTON) {
    DragTo(point);
  }
}

void CPreviewDialog::OnButtonDown(const QPoint& point, bool left) {
  // The press grabs the mouse until the button is released.
  anchorX_ = point.x();
  anchorY_ = point.y();
  HitTest(point);
  SelectUnderMouse();
  if (left && hitKind_ > kHitNone) dragging_ = true;
}

void CPreviewDialog::SelectUnderMouse() {
  if (mode_ != kCanvasEdit || !editCanvas_ || CanvasAreaList.empty()) return;
  if (hoveredIndex_ == 0) {
    if (!CurrentSelection) return;
    const AreaRecord* area = CurrentSelection->Area();
    const ProgramRecord* program = area ? area->OwnerProgram : CurrentSelection->Program();
    if (program) SelectInTree(program->TreeItem);
    return;
  }
  if (const AreaRecord* area = AreaAt(hoveredIndex_)) SelectInTree(area->TreeItem);
  // The tree's road has moved the area to the end of the list.
  hoveredIndex_ = static_cast<int>(CanvasAreaList.size());
  selectedIndex_ = hoveredIndex_;
}

void CPreviewDialog::OnLeftButtonUp(const QPoint& point) {
  if (hitKind_ >= kHitTopLeft && hitKind_ <= kHitLeft) AfterResize();
  HitTest(point);
  dragging_ = false;
}

void CPreviewDialog::DragTo(const QPoint& point) {
  AreaRecord* area = AreaAt(hoveredIndex_);
  if (hitKind_ == kHitNone || !area) return;
  DragState state;
  state.areas.reserve(CanvasAreaList.size());
  for (const AreaRecord* each : CanvasAreaList) state.areas.push_back(BoxOf(*each));
  state.dragged = hoveredIndex_ - 1;
  state.anchorX = anchorX_;
  state.anchorY = anchorY_;
  state.view = view_;
  state.screenWidth = screenWidth_;
  state.screenHeight = screenHeight_;
  state.border = ProgramBorderOf(*area);
  state.areaBorder = area->BorderWidth;
  DragStep(state, hitKind_, point.x(), point.y());
  StoreBox(*area, state.areas[static_cast<std::size_t>(state.dragged)]);
  anchorX_ = state.anchorX;
  anchorY_ = state.anchorY;
  LoadSelection();
}

// Keys and commands ----------------------------------------------------------------

bool CPreviewDialog::OnCanvasKey(int key) {
  if (key == VK_TAB) {
    if (!editCanvas_ || CanvasAreaList.empty()) return false;
    // The road moves the first area to the end, so Tab after Tab visits every area.
    SelectInTree(CanvasAreaList.front()->TreeItem);
    hoveredIndex_ = static_cast<int>(CanvasAreaList.size());
    selectedIndex_ = hoveredIndex_;
    return true;
  }
  AreaRecord* area = AreaAt(selectedIndex_);
  if (!area) return false;
  AreaBox box = BoxOf(*area);
  if (!ArrowKeyStep(box, key, BoundsOf(*area))) return false;
  StoreBox(*area, box);
  LoadAreaPage();
  return true;
}

void CPreviewDialog::OnCanvasAlign(int type) {
  AreaRecord* area = AreaAt(selectedIndex_);
  if (!area) return;
  AreaBox box = BoxOf(*area);
  AlignArea(box, type, BoundsOf(*area));
  StoreBox(*area, box);
  if (AlignChangesSize(type)) AfterResize();
  LoadSelection();
}

void CPreviewDialog::AfterResize() {
  if (mode_ == kCanvasEdit && editCanvas_) {
    editCanvas_->RebuildLastArea();
  } else if (mode_ == kCanvasLogo) {
    SendMessage(PaneWindows[kLogoPane], UM_RERENDER_ITEM, 1, 0);
  }
}

void CPreviewDialog::LoadSelection() {
  if (mode_ == kCanvasLogo) {
    SendMessage(PaneWindows[kLogoPane], UM_LOAD_SELECTION, 0, 0);
  } else {
    LoadAreaPage();
  }
}

void CPreviewDialog::LoadAreaPage() {
  if (CurrentSelection && CurrentSelection->Area()) {
    SendMessage(AreaPageWindow, UM_LOAD_SELECTION, 0, 0);
  }
}

AreaRecord* CPreviewDialog::AreaAt(int position) const {
  if (position < 1 || position > static_cast<int>(CanvasAreaList.size())) return nullptr;
  return CanvasAreaList[static_cast<std::size_t>(position - 1)];
}

EditBounds CPreviewDialog::BoundsOf(const AreaRecord& area) const {
  const ScreenRecord* screen = area.OwnerScreen;
  if (!screen && area.OwnerProgram) screen = area.OwnerProgram->OwnerScreen;
  // An area without a screen is kept on the canvas's screen.
  return {ProgramBorderOf(area), screen ? screen->LedWidth : screenWidth_,
          screen ? screen->LedHeight : screenHeight_};
}
