#pragma once
// Draws runs of measured cells onto a drawing surface the way GDI draws a run with
// the advances it was given: every character at its cell's X, whatever ligatures or
// kerning a shaped run would do, in the run's font (with the glyphs of fallback fonts
// where the face has none), aliased, in the cell's colour, placed by the cell's
// top-left corner. A right-to-left word's cell is drawn as Qt's text layout shapes it
// (joined letters, right to left); the cells' order is the walk's (VisualOrder). A
// picture's cell shows the picture stretched to the cell, nearest neighbour.

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRawFont>

#include <memory>
#include <vector>

#include "render/raster/color_ref.h"
#include "render/text/char_cell.h"
#include "render/text/char_walk.h"

class CellPainter {
 public:
  // Paints on surface (Format_RGB32) for the painter's lifetime; fonts come from
  // measure, so they are the fonts the cells were measured with.
  CellPainter(QImage& surface, CharMeasure& measure);
  ~CellPainter();
  CellPainter(const CellPainter&) = delete;
  CellPainter& operator=(const CellPainter&) = delete;

  void Fill(ColorRef color);
  // Draws cells [run.first, run.last) of one run, each with its cell's top-left corner
  // at (X + dx, top). Cells without text or picture draw nothing, nor a picture whose
  // data does not decode.
  void DrawRun(const std::vector<RtfCharCell>& cells, const CellRun& run, int dx, int top);

 private:
  // The glyphs of one character laid out alone, relative to its cell's left edge and
  // its font's baseline.
  struct Glyph {
    QRawFont font;
    quint32 index;
    QPointF position;
  };
  struct Face;
  Face& FaceOf(const RtfCharCell& cell);
  const std::vector<Glyph>& GlyphsOf(Face& face, const QString& character);
  void DrawPicture(const RtfCharCell& cell, int dx, int top);

  QImage& surface_;
  QPainter painter_;
  CharMeasure& measure_;
  QHash<QString, std::shared_ptr<Face>> faces_;  // by the cell's font fields
  QHash<QByteArray, QImage> pictures_;           // decoded, by their data
};
