#include "controls/support/draw_text.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace {

struct LaidLine {
  QString text;
  int width = 0;
};

bool WrapsWords(std::uint32_t format) {
  return (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
}

// The lines of the text: split at line feeds and, with word breaks, wrapped at width.
std::vector<LaidLine> LayOut(const QFont& font, const QString& text, int width,
                             std::uint32_t format) {
  const QFontMetrics metrics(font);
  std::vector<LaidLine> lines;
  if (!WrapsWords(format)) {
    QString line = text;
    line.replace(u'\n', u' ').remove(u'\r');
    lines.push_back({line, metrics.horizontalAdvance(line)});
    return lines;
  }
  for (const QString& paragraph : text.split(u'\n')) {
    const QString clean = QString(paragraph).remove(u'\r');
    QTextLayout layout(clean, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(std::max(1, width));
      const QString part = clean.mid(line.textStart(), line.textLength());
      lines.push_back({part, metrics.horizontalAdvance(part.trimmed())});
    }
    layout.endLayout();
    if (clean.isEmpty()) lines.push_back({});
  }
  return lines;
}

}  // namespace

void DrawTextInRect(QPainter& painter, const QString& text, const PixelRect& rect,
                    std::uint32_t format) {
  if (rect.IsEmpty()) return;
  const QFontMetrics metrics(painter.font());
  std::vector<LaidLine> lines = LayOut(painter.font(), text, rect.Width(), format);
  const int lineHeight = metrics.height();
  if ((format & DT_EDITCONTROL) != 0 && lines.size() > 1) {
    const auto whole = static_cast<std::size_t>(std::max(1, rect.Height() / lineHeight));
    if (lines.size() > whole) lines.resize(whole);
  }
  if (!WrapsWords(format) && (format & DT_END_ELLIPSIS) != 0) {
    lines[0].text = metrics.elidedText(lines[0].text, Qt::ElideRight, rect.Width());
    lines[0].width = metrics.horizontalAdvance(lines[0].text);
  }
  int y = rect.top;
  if ((format & DT_SINGLELINE) != 0) {
    if ((format & DT_VCENTER) != 0) y = rect.top + (rect.Height() - lineHeight) / 2;
    if ((format & DT_BOTTOM) != 0) y = rect.bottom - lineHeight;
  }
  painter.save();
  painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
  for (const LaidLine& line : lines) {
    int x = rect.left;
    if ((format & DT_CENTER) != 0) x = rect.left + (rect.Width() - line.width) / 2;
    else if ((format & DT_RIGHT) != 0) x = rect.right - line.width;
    painter.drawText(x, y + metrics.ascent(), line.text);
    y += lineHeight;
  }
  painter.restore();
}

QSize MeasureTextInRect(const QFont& font, const QString& text, int width,
                        std::uint32_t format) {
  const std::vector<LaidLine> lines = LayOut(font, text, width, format);
  int widest = 0;
  for (const LaidLine& line : lines) widest = std::max(widest, line.width);
  return {widest, static_cast<int>(lines.size()) * QFontMetrics(font).height()};
}
