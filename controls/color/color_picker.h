#pragma once
// A colour button: it shows its colour as a swatch with a drop-down mark and opens a
// palette pop-up (color_palette.h) when pressed. A click opens the pop-up and leaves it
// open; a press, drag and release chooses in one go. Each change of colour is posted
// as WM_COMMAND (the control id of SetControlId in the low word, 0 in the high word,
// the picker as lParam) to the nearest ancestor that is a MessageWindow, and written as
// "#RRGGBB" into the buddy widget when there is one.

#include <QAbstractButton>
#include <QCursor>
#include <QPointer>

#include "controls/color/color_palette.h"
#include "render/raster/color_ref.h"

class CColorPicker : public QAbstractButton {
 public:
  explicit CColorPicker(QWidget* parent = nullptr);

  // Stores the colour, posts the command, writes the buddy's text and repaints.
  void SetColor(ColorRef color);
  ColorRef GetColor() const { return color_; }

  // The widget that shows the colour's text (a label, button or line edit); null for
  // none.
  void SetBuddy(QWidget* buddy) { buddy_ = buddy; }
  // The strips leave out their black cell.
  void SetStripWithoutBlack(bool withoutBlack) { stripWithoutBlack_ = withoutBlack; }
  // The kind the picker opens while the program-wide PaletteKind is negative.
  void SetOwnPaletteKind(int kind) { ownPaletteKind_ = kind; }

  // Opens the pop-up under the picker, on the screen that holds it, unless one is open.
  void OpenPalette();

  bool IsPaletteOpen() const { return paletteOpen_; }
  CColorPalette* Palette() const { return palette_; }
  int PaletteKindInUse() const { return paletteKindInUse_; }
  // The cell under the pointer when the pop-up last closed; -1 before.
  int LastCell() const { return lastCell_; }
  // The cursor over the pop-up: the eyedropper while it is open, unless the arrow is
  // asked for.
  QCursor PaletteCursor(bool arrow) const;

  // The eyedropper cursor the picker builds.
  static QCursor MakeEyedropperCursor();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  friend class CColorPalette;
  // The pop-up closed: keeps its cell and applies how it ended.
  void OnPaletteClosed(PaletteEnd end, ColorRef color, int cell);
  // Asks for a colour with the colour dialog and takes an accepted one.
  void RunColorDialog();
  void NotifyParent();

  bool stripWithoutBlack_ = false;
  QPointer<QWidget> buddy_;
  ColorRef color_;
  QPointer<CColorPalette> palette_;
  bool paletteOpen_ = false;
  QCursor eyedropper_;
  int paletteKindInUse_ = 0;
  int ownPaletteKind_ = 0;
  int lastCell_ = -1;
};
