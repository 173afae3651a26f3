#include "render/text/char_cell.h"

#include <algorithm>

#include "render/raster/gdi_text.h"

struct CharMeasure::Face {
  QFont font;
  QFontMetrics metrics;
  QHash<char32_t, QSize> extents;  // of single characters
  QHash<QString, QSize> words;     // of right-to-left words
};

namespace {

// The code point at text[i] and its units: a high surrogate takes the unit after it,
// as the walk has always counted it.
char32_t CodeAt(QStringView text, qsizetype i, int* units) {
  *units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  return *units == 2 && text[i + 1].isLowSurrogate() ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                                     : text[i].unicode();
}

bool IsRightToLeftLetter(char32_t code) {
  const QChar::Direction direction = QChar::direction(code);
  return direction == QChar::DirR || direction == QChar::DirAL;
}

// Marks and the zero-width joiner and non-joiner stay with the letters they shape.
bool StaysInWord(char32_t code) {
  return IsRightToLeftLetter(code) || QChar::direction(code) == QChar::DirNSM || code == 0x200C ||
         code == 0x200D;
}

}  // namespace

int CellUnits(QStringView text) {
  if (text.isEmpty()) return 0;
  int units = 0;
  if (!IsRightToLeftLetter(CodeAt(text, 0, &units))) return units;
  qsizetype end = units;
  while (end < text.size() && StaysInWord(CodeAt(text, end, &units))) end += units;
  return static_cast<int>(end);
}

int PixelHeightFromTwips(int twips) { return (kLogPixelsY * twips) / -1440; }

bool IsSameCharFormat(const RtfCharCell& a, const RtfCharCell& b) {
  return a.CharSet == b.CharSet && a.Color == b.Color && a.Height == b.Height &&
         a.Italic == b.Italic && a.FaceName == b.FaceName && a.Underline == b.Underline &&
         a.Weight == b.Weight;
}

CharMeasure::CharMeasure() = default;
CharMeasure::~CharMeasure() = default;

QFont CharMeasure::CellFont(const RtfCharCell& cell) {
  return MakeLedFont(cell.FaceName, cell.Height, cell.Weight, cell.Italic, cell.Underline);
}

CharMeasure::Face& CharMeasure::FaceOf(const RtfCharCell& cell) {
  FontKey key{cell.FaceName, cell.Height, cell.Weight, cell.Italic, cell.Underline};
  if (lastFace_ && key == lastKey_) return *lastFace_;
  std::shared_ptr<Face>& face = faces_[key];
  if (!face) {
    const QFont font = CellFont(cell);
    face = std::make_shared<Face>(Face{font, QFontMetrics(font), {}, {}});
  }
  lastKey_ = std::move(key);
  lastFace_ = face.get();
  return *face;
}

// TextExtent of the character, kept per code point, or of the right-to-left word,
// shaped as a whole.
QSize CharMeasure::Extent(Face& face, QStringView character) {
  int units = 0;
  const char32_t code = character.isEmpty() ? 0 : CodeAt(character, 0, &units);
  if (character.size() > units) {
    const QString word = character.toString();
    const auto found = face.words.constFind(word);
    if (found != face.words.constEnd()) return *found;
    return *face.words.insert(word, {face.metrics.horizontalAdvance(word), face.metrics.height()});
  }
  const auto found = face.extents.constFind(code);
  if (found != face.extents.constEnd()) return *found;
  const QString text = character.toString();
  const QSize extent(face.metrics.horizontalAdvance(text), face.metrics.height());
  face.extents.insert(code, extent);
  return extent;
}

RtfCharCell CharMeasure::MeasureCell(const RichCharFormat& format, QStringView character, int x,
                                     int widthLimit) {
  RtfCharCell cell;
  cell.FaceName = format.face;
  cell.CharSet = format.charSet;
  cell.Height = PixelHeightFromTwips(format.twips);
  cell.Weight = format.bold ? 700 : 400;
  cell.Italic = format.italic;
  cell.Underline = format.underline;
  cell.Color = format.autoColor ? kAutoTextColor : format.color;
  cell.X = x;
  const char16_t first = character.isEmpty() ? 0 : character.front().unicode();
  Face& face = FaceOf(cell);
  if (format.picture && first == QChar::ObjectReplacementCharacter) {
    const RichPicture& picture = *format.picture;
    cell.Width = std::clamp(widthLimit, 1, picture.width);
    cell.CellHeight = static_cast<int>(
        std::max<std::int64_t>(1, std::int64_t{picture.height} * cell.Width / picture.width));
    cell.Picture = std::make_shared<const RichPicture>(picture);
  } else if (first == u'\t') {
    cell.Width = kTabStepPixels - x % kTabStepPixels;
    cell.CellHeight = face.metrics.height();
    cell.Height = 0;
  } else if (first == u'\r' || first == u'\v' || first == QChar::ParagraphSeparator ||
             first == QChar::LineSeparator) {
    cell.CellHeight = Extent(face, u"0").height();
  } else {
    const QSize extent = Extent(face, character);
    cell.Text = character.toString();
    cell.Width = extent.width();
    cell.CellHeight = extent.height();
  }
  return cell;
}
