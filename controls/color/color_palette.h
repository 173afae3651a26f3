#pragma once
// The colour picker's pop-up: the full palette or a strip of pure colours, opened
// under the picker. It holds the mouse while open (a Qt popup), so it sees presses and
// moves outside itself too; every point it keeps is global. Moving previews the colour
// under the pointer (outside the full palette the screen pixel there); a release after
// a move, or a click, chooses it. The pop-up tells its picker once, when it closes.

#include <QAbstractButton>
#include <QFont>
#include <QPoint>
#include <QWidget>

#include "render/raster/color_ref.h"

class CColorPicker;

// How the pop-up ended.
enum class PaletteEnd { kCancelled, kChosen, kMoreColors };

class CColorPalette : public QWidget {
 public:
  // A pop-up of a palette kind (palette_layout.h) for the picker, which also owns it.
  // The caller places and shows it.
  CColorPalette(int kind, bool withoutBlack, CColorPicker* picker);

  int Kind() const { return kind_; }
  ColorRef CurrentColor() const { return current_; }
  int Cell() const { return cell_; }
  QAbstractButton* MoreColorsButton() const { return moreColors_; }

  // The picker's colour: the current colour and the colour at opening.
  void SetColors(ColorRef color);
  // The cell to frame.
  void SetCell(int cell);
  // The press on the picker that opened the pop-up, at a global point: its release
  // chooses only after a move.
  void OnOpeningPress(QPoint global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPoint ToClient(QPoint global) const;
  bool IsInside(QPoint global) const;
  // Previews the colour under the pointer; picks the cursor.
  void Track(QPoint global);
  // Returns whether the arrow was asked for.
  bool TrackFull(QPoint global);
  void TrackStrip(QPoint global);
  void SelectCell(int cell);
  void UpdateClient(const QRect& clientRect);
  void PaintFull(QPainter& painter) const;
  void PaintStrip(QPainter& painter) const;
  void PaintFocus(QPainter& painter) const;
  // Closes the pop-up and tells the picker how it ended.
  void Finish(PaletteEnd end);

  CColorPicker* picker_;
  int kind_;
  bool withoutBlack_;
  ColorRef current_ = 0;
  ColorRef atOpening_ = 0;
  int cell_ = -1;
  bool moved_ = false;         // the pointer moved since the last press
  bool everMoved_ = false;     // the pointer moved since the opening
  bool openingPress_ = false;  // the last press was the one on the picker
  QPoint pressPoint_;
  bool finished_ = false;
  QFont font_;
  QAbstractButton* moreColors_ = nullptr;
};
