// The lines rich text breaks into, checked against the measure the renderers use.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTextCursor>

#include <optional>
#include <utility>
#include <vector>

#include "render/raster/gdi_text.h"
#include "render/text/rich_paragraph.h"
#include "render/text/rich_text.h"

using namespace Qt::StringLiterals;

namespace {

const RichCharFormat kLatin{u"DejaVu Sans"_s, 0, 240};  // 16 px
const RichCharFormat kCjk{u"WenQuanYi Micro Hei"_s, 134, 240};

bool IsMark(QChar c) { return c == u'\r' || c == u'\v'; }

// Lines follow each other without gaps, their lengths and the marks add up to the
// text, and no line is wider than the formatting width without its hanging spaces
// unless it holds one character.
void ExpectSoundLines(RichText& text) {
  const QString all = text.Text(0, -1);
  int expectedStart = 0;
  int total = 0;
  for (int line = 0; line < text.LineCount(); ++line) {
    const int start = text.LineIndex(line);
    const int length = text.LineLength(start);
    SCOPED_TRACE(testing::Message()
                 << "line " << line << ": " << all.mid(start, length).toStdString());
    EXPECT_EQ(start, expectedStart);
    EXPECT_EQ(text.LineFromChar(start), line);
    const QString body = all.mid(start, length);
    int x = 0;
    for (int i = 0; i < body.size(); ++i) {
      if (body[i].isLowSurrogate()) continue;
      x += text.Measure()
               .MeasureCell(text.CharFormatAt(start + i), QStringView(body).mid(i, 1), x)
               .Width;
    }
    int hanging = 0;
    for (qsizetype i = body.size() - 1; i >= 0 && body[i] == u' '; --i) {
      hanging += text.Measure().MeasureCell(text.CharFormatAt(start + int(i)), u" ", 0).Width;
    }
    if (QStringView(body).trimmed().toUcs4().size() > 1) {
      EXPECT_LE(x - hanging, text.FormattingWidth());
    }
    total += length;
    expectedStart = start + length;
    if (expectedStart < all.size() && IsMark(all[expectedStart])) {
      ++total;
      ++expectedStart;
    }
  }
  EXPECT_EQ(total, text.TextLength());
  EXPECT_EQ(expectedStart, text.TextLength());
}

RichText& Fill(RichText& text, const QString& content, int width) {
  text.SetBaseFormat(kLatin);
  text.SetText(content);
  text.SetFormattingWidth(width);
  return text;
}

TEST(LineLayout, WordsSpacesAndLongWords) {
  RichText text;
  Fill(text,
       u"The quick brown fox jumps over the lazy dog.      Spaces hang\r"
       u"Supercalifragilisticexpialidocious x"_s,
       80);
  ExpectSoundLines(text);
  // Lines of the first paragraph end after a space (between words).
  EXPECT_GT(text.LineCount(), 6);
  EXPECT_EQ(text.Text(text.LineIndex(0), text.LineIndex(1)).back(), u' ');
  // The long word is cut at characters, every line full but the last.
  const int word = text.LineFromChar(text.Text(0, -1).indexOf(u"Super"));
  EXPECT_LT(text.LineLength(text.LineIndex(word)), 34);

  const int before = text.LineCount();
  text.SetFormattingWidth(2000);
  EXPECT_EQ(text.LineCount(), 2);
  ExpectSoundLines(text);
  text.SetFormattingWidth(1);  // one character a line, spaces hanging
  EXPECT_GT(text.LineCount(), before);
  ExpectSoundLines(text);
}

TEST(LineLayout, CjkTabsLineBreaksAndEmptyParagraphs) {
  RichText text;
  Fill(text, u"你好世界，这是一段很长的中文文本。Mixed 中文 text\r\r\ta\tbb\tccc\tdddd"_s, 100);
  text.SetCharFormat(0, 30, kCjk, kCharFace);
  QTextCursor cursor(&text.Document());
  cursor.setPosition(text.TextLength());
  cursor.insertText(QString(QChar::LineSeparator) + u"end\U0001F60A"_s);
  ExpectSoundLines(text);
  // Ideographs break between each other: the first line is full of them.
  EXPECT_GE(text.LineLength(0), 5);
  EXPECT_LT(text.LineLength(0), 10);
  // The empty paragraph is a line of its own, of length 0.
  const int empty = text.Text(0, -1).indexOf(u"\r\r") + 1;
  EXPECT_EQ(text.LineLength(empty), 0);
  EXPECT_EQ(text.LineIndex(text.LineFromChar(empty)), empty);
  // The line break ends a line without being in it.
  const int end = text.Text(0, -1).indexOf(u"end");
  EXPECT_EQ(text.LineIndex(text.LineFromChar(end)), end);

  Fill(text, QString(), 100);
  EXPECT_EQ(text.LineCount(), 1);
  EXPECT_EQ(text.LineLength(0), 0);
  EXPECT_EQ(text.LineIndex(1), -1);
}

TEST(LineLayout, TableRowsOfAnyShapeAreOneLineEach) {
  auto cell = [](const QString& text, int depth, bool end,
                 std::optional<RichRowFormat> row = std::nullopt) {
    return RichParagraph{{{text, kLatin}}, {}, kLatin, {depth, end, std::move(row)}};
  };
  // A row with a gap and fewer edges than cells; then as an editor may leave a table:
  // a nested cell with no outer one around it, and a row whose end is missing.
  RichText text;
  SetDocumentParagraphs(text.Document(),
                        {cell(u"a"_s, 1, true), cell(u"b"_s, 1, true),
                         cell(u"c"_s, 1, true, RichRowFormat{0, 60, {1500}}), cell(u"d"_s, 2, true),
                         cell(u"e"_s, 1, false), cell(u"f"_s, 0, false)});
  text.SetFormattingWidth(1000);
  ExpectSoundLines(text);
  const int h = text.Measure().MeasureCell(kLatin, u"0", 0).CellHeight;
  auto places = [](const TextLine& line) {
    std::vector<std::pair<int, QPoint>> placed;
    for (const PlacedLine& part : line.placed) placed.push_back({part.start, {part.x, part.y}});
    return placed;
  };
  const std::vector<TextLine>& lines = text.Lines();
  ASSERT_EQ(lines.size(), 3u);
  // 60 twips of gap (4 pixels) inside 1500-twip and then inch-wide cells.
  using Places = std::vector<std::pair<int, QPoint>>;
  EXPECT_EQ(places(lines[0]), (Places{{0, {4, 0}}, {2, {104, 0}}, {4, {200, 0}}}));
  EXPECT_EQ(lines[0].placed[0].width, 92);
  EXPECT_EQ(lines[0].height, h);
  EXPECT_EQ(places(lines[1]), (Places{{6, {0, 0}}, {8, {0, h}}}));
  EXPECT_EQ(lines[1].height, 2 * h);
  EXPECT_TRUE(lines[2].placed.empty());
}

TEST(CharMeasure, CellsAsTheRendererWalksThem) {
  CharMeasure measure;
  EXPECT_EQ(measure.MeasureCell(kLatin, u"\t", 50).Width, 46);
  EXPECT_EQ(measure.MeasureCell(kLatin, u"\t", 96).Width, 48);
  EXPECT_EQ(measure.MeasureCell(kLatin, u"\t", 0).Height, 0);
  EXPECT_EQ(PixelHeightFromTwips(220), -14);  // truncated, where rounding gives 15
  RichCharFormat bold = kLatin;
  bold.bold = true;
  const RtfCharCell cell = measure.MeasureCell(bold, u"W", 7);
  EXPECT_EQ(cell.Text, u"W");
  EXPECT_EQ(cell.Height, -16);
  EXPECT_EQ(cell.Weight, 700);
  EXPECT_EQ(cell.X, 7);
  EXPECT_GT(cell.Width, measure.MeasureCell(kLatin, u"i", 0).Width);
  const RtfCharCell mark = measure.MeasureCell(kLatin, u"\r", 30);
  EXPECT_TRUE(mark.Text.isEmpty());
  EXPECT_EQ(mark.Width, 0);
  EXPECT_EQ(mark.CellHeight, measure.MeasureCell(kLatin, u"0", 0).CellHeight);
  EXPECT_FALSE(IsSameCharFormat(cell, measure.MeasureCell(kLatin, u"W", 0)));
}

TEST(CharMeasure, RightToLeftWordsAreOneCellAndNeverBroken) {
  const std::pair<QString, int> cases[] = {
      {u"abc"_s, 1},          {u"\U0001F60A!"_s, 2}, {u"سلام دنیا"_s, 4},
      {u"کتاب\u200Cها"_s, 7}, {u"بِسم"_s, 4},         {u"שלום!"_s, 4},
      {u"عدد١٢"_s, 3},        {u"\u0301x"_s, 1},     {QString(), 0}};
  for (const auto& [text, units] : cases) EXPECT_EQ(CellUnits(text), units) << text.toStdString();
  CharMeasure measure;
  const RtfCharCell word = measure.MeasureCell(kLatin, u"سلام", 0);
  EXPECT_EQ(word.Text, u"سلام");
  EXPECT_EQ(word.Width,
            QFontMetrics(MakeLedFont(u"DejaVu Sans"_s, 16)).horizontalAdvance(u"سلام"_s));

  // Lines break between the words, however narrow.
  RichText text;
  Fill(text, u"سلام دنیا سلام دنیا"_s, 1);
  EXPECT_EQ(text.LineCount(), 4);
  for (int line = 0; line < text.LineCount(); ++line) {
    EXPECT_EQ(text.LineLength(text.LineIndex(line)), line < 3 ? 5 : 4);
  }
}

}  // namespace
