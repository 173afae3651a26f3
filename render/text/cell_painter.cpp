#include "render/text/cell_painter.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

struct CellPainter::Face {
  QFont font;
  int ascent;
  int underlineTop;  // below the cell's top
  int underlineHeight;
  QHash<QString, std::vector<Glyph>> glyphs;
};

CellPainter::CellPainter(QImage& surface, CharMeasure& measure)
    : surface_(surface), painter_(&surface), measure_(measure) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

CellPainter::~CellPainter() = default;

void CellPainter::Fill(ColorRef color) {
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  painter_.fillRect(surface_.rect(), QColor::fromRgb(ColorRefToQRgb(color)));
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

CellPainter::Face& CellPainter::FaceOf(const RtfCharCell& cell) {
  const QString key = QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(cell.FaceName)
                          .arg(cell.Height)
                          .arg(cell.Weight)
                          .arg(cell.Italic)
                          .arg(cell.Underline);
  std::shared_ptr<Face>& face = faces_[key];
  if (!face) {
    const QFont font = measure_.CellFont(cell);
    const QFontMetrics metrics(font);
    face = std::make_shared<Face>(Face{font,
                                       metrics.ascent(),
                                       metrics.ascent() + metrics.underlinePos(),
                                       std::max(1, metrics.lineWidth()),
                                       {}});
  }
  return *face;
}

const std::vector<CellPainter::Glyph>& CellPainter::GlyphsOf(Face& face, const QString& character) {
  const auto found = face.glyphs.constFind(character);
  if (found != face.glyphs.constEnd()) return *found;
  QTextLayout layout(character, face.font);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setPosition({0, 0});
  layout.endLayout();
  std::vector<Glyph> glyphs;
  const qreal baseline = line.ascent();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
      glyphs.push_back({run.rawFont(), indexes[i], positions[i] - QPointF(0, baseline)});
    }
  }
  return *face.glyphs.insert(character, std::move(glyphs));
}

void CellPainter::DrawPicture(const RtfCharCell& cell, int dx, int top) {
  const QByteArray& data = cell.Picture->data;
  if (data.isEmpty()) return;  // a kind that keeps a gap
  auto found = pictures_.constFind(data);
  if (found == pictures_.constEnd()) found = pictures_.insert(data, QImage::fromData(data));
  if (found->isNull()) return;
  painter_.drawImage(QRect(cell.X + dx, top, cell.Width, cell.CellHeight), *found);
}

void CellPainter::DrawRun(const std::vector<RtfCharCell>& cells, const CellRun& run, int dx,
                          int top) {
  if (run.first < run.last && cells[run.first].Picture) {
    DrawPicture(cells[run.first], dx, top);
    return;
  }
  if (run.first >= run.last || cells[run.first].Text.isEmpty()) return;
  const RtfCharCell& first = cells[run.first];
  Face& face = FaceOf(first);
  const QColor color = QColor::fromRgb(ColorRefToQRgb(first.Color));
  painter_.setPen(color);
  const QPointF baseline(dx, top + face.ascent);
  // One glyph run per font the characters use, in the order they come.
  QGlyphRun glyphRun;
  QList<quint32> indexes;
  QList<QPointF> positions;
  auto flush = [&] {
    if (indexes.isEmpty()) return;
    glyphRun.setGlyphIndexes(indexes);
    glyphRun.setPositions(positions);
    painter_.drawGlyphRun({0, 0}, glyphRun);
    indexes.clear();
    positions.clear();
  };
  for (std::size_t i = run.first; i < run.last; ++i) {
    for (const Glyph& glyph : GlyphsOf(face, cells[i].Text)) {
      if (!indexes.isEmpty() && !(glyph.font == glyphRun.rawFont())) flush();
      if (indexes.isEmpty()) glyphRun.setRawFont(glyph.font);
      indexes.push_back(glyph.index);
      positions.push_back(baseline + QPointF(cells[i].X, 0) + glyph.position);
    }
  }
  flush();
  if (first.Underline) {
    const RtfCharCell& last = cells[run.last - 1];
    painter_.fillRect(first.X + dx, top + face.underlineTop, last.X + last.Width - first.X,
                      face.underlineHeight, color);
  }
}
