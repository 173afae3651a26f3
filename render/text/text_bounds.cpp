#include "render/text/text_bounds.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// At most `room` units of text, one less where the cut would split a surrogate pair.
QStringView Cut(QStringView text, qsizetype room) {
  if (text.size() <= room) return text;
  if (room > 0 && text[room - 1].isHighSurrogate()) --room;
  return text.first(std::max<qsizetype>(room, 0));
}

// The text with a line break after every kMaxUnbrokenRun units in which no line may
// break. `sinceBreak` counts the units since the last place a line may break, also
// across the runs of a paragraph.
QString Broken(QStringView text, qsizetype& sinceBreak) {
  if (sinceBreak + text.size() <= kMaxUnbrokenRun) {
    sinceBreak += text.size();
    return text.toString();
  }
  QString out;
  out.reserve(text.size() + text.size() / kMaxUnbrokenRun + 1);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text.toString());
  qsizetype from = 0;
  while (from < text.size()) {
    qsizetype to = finder.toNextBoundary();
    if (to <= from || to > text.size()) to = text.size();
    while (from < to) {
      if (sinceBreak >= kMaxUnbrokenRun) {
        out += kLineBreak;
        sinceBreak = 0;
      }
      qsizetype take = std::min(to - from, kMaxUnbrokenRun - sinceBreak);
      if (from + take < to && text[from + take - 1].isHighSurrogate() && take > 1) --take;
      out += text.sliced(from, take);
      sinceBreak += take;
      from += take;
    }
    // A line may break here; where the text merely ends, only after a space or a
    // line break (the next run goes on the same stretch otherwise).
    if (to < text.size() || text.back().isSpace()) sinceBreak = 0;
  }
  return out;
}

}  // namespace

bool BoundParagraphs(RichParagraphs& paragraphs, qsizetype room) {
  for (std::size_t p = 0; p < paragraphs.size(); ++p) {
    if (p > 0 && --room < 0) {  // no room for the mark before this paragraph
      paragraphs.resize(p);
      return true;
    }
    qsizetype sinceBreak = 0;
    std::vector<RichRun>& runs = paragraphs[p].runs;
    for (std::size_t r = 0; r < runs.size(); ++r) {
      const bool cut = runs[r].text.size() > room;
      const QStringView kept = Cut(runs[r].text, room);
      room -= kept.size();
      runs[r].text = Broken(kept, sinceBreak);
      if (cut) {
        runs.resize(r + 1);
        paragraphs.resize(p + 1);
        return true;
      }
    }
  }
  return false;
}

QString BoundedPlainText(QStringView text, qsizetype room, bool* cut) {
  const QStringView kept = Cut(text, room);
  if (cut != nullptr) *cut = kept.size() < text.size();
  QString out;
  out.reserve(kept.size());
  qsizetype sinceBreak = 0;
  for (qsizetype from = 0; from <= kept.size();) {
    qsizetype end = kept.indexOf(u'\n', from);
    if (end < 0) end = kept.size();
    out += Broken(kept.sliced(from, end - from), sinceBreak);
    if (end < kept.size()) out += u'\n';
    sinceBreak = 0;
    from = end + 1;
  }
  return out;
}
