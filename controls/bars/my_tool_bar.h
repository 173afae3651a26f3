#pragma once
// CMyToolBar: the dialogs' toolbar. Its buttons come from a toolbar resource (see
// toolbar_resources.h) and show true-colour images from an image list of its own
// instead of a 16-colour strip; buttons and images are square, of the sizes the owner
// chooses. Each button is a QAction carrying its command id (CommandIdOf of
// controls/support/command_action.h); a click sends WM_COMMAND (wParam the id, lParam 0)
// to the nearest ancestor that is a MessageWindow, the toolbar frame or the dialog.
//
// The owner's order: create the image list, add one bitmap per button in the
// resource's button order, then CreateBar. A button's image is its position among the
// buttons, separators not counted.

#include <QImage>
#include <QMargins>
#include <QToolBar>

#include <optional>

#include "controls/support/image_list.h"
#include "platform/window_handle.h"

class CMyToolBar : public QToolBar {
 public:
  explicit CMyToolBar(QWidget* parent = nullptr);

  // The list the buttons show, made empty with its image size; the toolbar owns it.
  ImageList& CreateImageList(QSize imageSize);
  // nullptr until CreateImageList.
  ImageList* GetImageList();
  // A second list the owner may use for its own images; the toolbar owns it too.
  ImageList& CreateSecondImageList(QSize imageSize);
  ImageList* GetSecondImageList();

  // Adds the program's bitmap resource (":/images/<id>.png") to the image list with
  // white as the transparent colour. Its index in the list, or -1 when there is no
  // image list or no readable bitmap of that number.
  [[nodiscard]] int AddBitmap(int bitmapId);
  // The same for a bitmap the caller has in hand.
  [[nodiscard]] int AddBitmap(const QImage& bitmap);

  // Makes the toolbar a visible child at the top of parent, with the borders as its
  // margins, the buttons of the toolbar resource (replacing any earlier ones), buttons
  // at least buttonSize square and images imageSize square. 1 on success; 0 when the
  // parent is null or the resource is unknown.
  [[nodiscard]] int CreateBar(QWidget* parent, const QMargins& borders, int toolbarId,
                              int buttonSize, int imageSize);

  // Widens the parent (never below minParentWidth) and the toolbar so that every button
  // holds its whole text: called after the texts change, as longer translations need.
  // The parent's new width (minParentWidth before CreateBar).
  int FitParentToTexts(int minParentWidth);

  // The action of the button at a position of the resource (separators counted, as
  // the owners number their buttons); nullptr outside.
  QAction* ButtonAction(int index) const;
  // The position of the first button with the command id; -1 when none has it.
  int CommandToIndex(UINT commandId) const;

 private:
  void ShowImages();
  // The window the buttons' commands go to; null when no ancestor is a MessageWindow.
  HWND OwnerWindow() const;

  std::optional<ImageList> images_;
  std::optional<ImageList> secondImages_;
};
