#pragma once
// The project page's pictures, drawn by the program itself: the tree's images (also
// the add-area buttons'), the toolbar's buttons and the two tab images.

#include <QImage>

// The tree's images in image-list order: 0 screen, 1 program, then one per area kind
// (image kind + 1 for kinds 1-7).
constexpr int kTreeImageCount = 9;
constexpr int kTreeImageSize = 24;

enum class PageArt {
  AddProgram,  // toolbar ID_TREE_ADD_PROGRAM
  AddArea,     // toolbar ID_TREE_ADD_AREA
  Delete,      // toolbar ID_TREE_DELETE
  MoveUp,      // toolbar ID_TREE_MOVE_UP
  MoveDown,    // toolbar ID_TREE_MOVE_DOWN
  BorderTab,
  BackgroundTab,
};

// Tree image 0-8 at size x size pixels on a transparent background; a null image for
// another index.
QImage PaintTreeImage(int image, int size = kTreeImageSize);

// A toolbar or tab picture; toolbar pictures (onWhite) on white, the toolbar's
// transparent colour.
QImage PaintPageArt(PageArt art, int size, bool onWhite = false);
