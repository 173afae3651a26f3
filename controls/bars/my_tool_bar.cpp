#include "controls/bars/my_tool_bar.h"

#include <algorithm>

#include <QIcon>
#include <QPixmap>

#include "controls/bars/toolbar_resources.h"
#include "controls/support/command_action.h"
#include "controls/support/message_owner.h"
#include "platform/message_window.h"

namespace {

constexpr ColorRef kTransparentWhite = MakeColorRef(255, 255, 255);

}  // namespace

CMyToolBar::CMyToolBar(QWidget* parent) : QToolBar(parent) {
  // Embedded in dialogs: no gripper, never torn off.
  setMovable(false);
  setFloatable(false);
}

ImageList& CMyToolBar::CreateImageList(QSize imageSize) { return images_.emplace(imageSize); }

ImageList* CMyToolBar::GetImageList() { return images_ ? &*images_ : nullptr; }

ImageList& CMyToolBar::CreateSecondImageList(QSize imageSize) {
  return secondImages_.emplace(imageSize);
}

ImageList* CMyToolBar::GetSecondImageList() { return secondImages_ ? &*secondImages_ : nullptr; }

int CMyToolBar::AddBitmap(int bitmapId) {
  return AddBitmap(QImage(QStringLiteral(":/images/%1.png").arg(bitmapId)));
}

int CMyToolBar::AddBitmap(const QImage& bitmap) {
  if (!images_ || bitmap.isNull()) return -1;
  const int index = images_->AddMasked(bitmap, kTransparentWhite);
  ShowImages();
  return index;
}

int CMyToolBar::CreateBar(QWidget* parent, const QMargins& borders, int toolbarId, int buttonSize,
                          int imageSize) {
  const auto commands = FindToolbarResource(toolbarId);
  if (parent == nullptr || !commands) return 0;
  setParent(parent);
  setContentsMargins(borders);
  setIconSize(QSize(imageSize, imageSize));
  clear();
  for (const UINT command : *commands) {
    if (command == 0) {
      addSeparator();
      continue;
    }
    QAction* action = addAction(QString());
    SetCommandId(*action, command);
    RouteCommand(*action, [this] { return OwnerWindow(); });
    widgetForAction(action)->setMinimumSize(buttonSize, buttonSize);
  }
  ShowImages();
  setGeometry(0, 0, parent->width(), sizeHint().height());
  show();
  return 1;
}

int CMyToolBar::FitParentToTexts(int minParentWidth) {
  if (parentWidget() == nullptr) return minParentWidth;  // no bar made
  const int width = std::max(minParentWidth, sizeHint().width());
  parentWidget()->setFixedWidth(width);
  resize(width, sizeHint().height());
  return width;
}

QAction* CMyToolBar::ButtonAction(int index) const {
  const QList<QAction*> all = actions();
  return index >= 0 && index < all.size() ? all[index] : nullptr;
}

int CMyToolBar::CommandToIndex(UINT commandId) const {
  if (commandId == 0) return -1;
  const QList<QAction*> all = actions();
  for (int index = 0; index < all.size(); ++index) {
    if (CommandIdOf(all[index]) == commandId) return index;
  }
  return -1;
}

void CMyToolBar::ShowImages() {
  if (!images_) return;
  int image = 0;
  for (QAction* action : actions()) {
    if (action->isSeparator()) continue;
    const QImage picture = images_->GetImage(image++);
    if (!picture.isNull()) action->setIcon(QIcon(QPixmap::fromImage(picture)));
  }
}

HWND CMyToolBar::OwnerWindow() const {
  const MessageWindow* owner = NearestMessageWindow(this);
  return owner == nullptr ? nullptr : owner->Handle();
}
