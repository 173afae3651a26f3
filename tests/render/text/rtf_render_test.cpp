// The rich-text renderers, checked through the frame files they write: header fields,
// the ink boxes (bounding boxes of what is not background) and the colours present,
// which also shows that nothing is anti-aliased.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <set>
#include <vector>

#include "model/common/app_dir.h"
#include "render/frame/pak_frame_reader.h"
#include "render/raster/gdi_text.h"
#include "render/text/cell_painter.h"
#include "render/text/char_walk.h"
#include "render/text/rich_paragraph.h"
#include "render/text/rtf_render.h"
#include "render/text/rtf_writer.h"

using namespace Qt::StringLiterals;

namespace {

constexpr ColorRef kBack = 0x000000;
constexpr ColorRef kRed = 0x0000FF;
constexpr QRgb kBackRgb = 0xFF000000;

RichCharFormat Latin(int pixels, ColorRef color = kRed) {
  return {u"DejaVu Sans"_s, 0, pixels * 15, false, false, false, color, false};
}

RichParagraph Paragraph(const QString& text, const RichCharFormat& format,
                        RichParaFormat para = {}) {
  RichParagraph paragraph{{}, para, format};
  if (!text.isEmpty()) paragraph.runs.push_back({text, format});
  return paragraph;
}

// The cell height of a format's font, as the walk measures it.
int CellHeight(const RichCharFormat& format) {
  CharMeasure measure;
  return measure.MeasureCell(format, u"0", 0).CellHeight;
}

int Advance(const RichCharFormat& format, const QString& character) {
  CharMeasure measure;
  return measure.MeasureCell(format, character, 0).Width;
}

struct Pak {
  PakFileHeader header;
  std::vector<QImage> frames;
  qint64 fileSize = 0;
};

class RtfRenderTest : public testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(GetAppDir() + u"UserData"_s);
    QDir().mkpath(GetAppDir() + u"Temp"_s);
    RenderRichEdit = &text_;
  }
  void TearDown() override { RenderRichEdit = nullptr; }

  QString Source(const RichParagraphs& paragraphs) {
    const QString path = GetAppDir() + u"UserData/source.rtf"_s;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteRtf(paragraphs));
    return path;
  }
  QString PakPath() const { return GetAppDir() + u"Temp/out.pak"_s; }

  Pak Read() const {
    Pak pak;
    pak.fileSize = QFile(PakPath()).size();
    PakFrameReader reader;
    if (!reader.Open(PakPath()) || reader.ReadHeader() != PakCheck::Ok) return pak;
    pak.header = reader.Header();
    while (reader.ReadNextFrame()) pak.frames.push_back(reader.Frame().ToImage());
    return pak;
  }

  // Renders paragraphs into PakPath() and reads the file back.
  Pak Pages(const RichParagraphs& paragraphs, RtfRenderInput input, int* result = nullptr) {
    const int pages = RenderRtfPagesToPak(Source(paragraphs), PakPath(), input);
    if (result) *result = pages;
    return Read();
  }
  Pak Line(const RichParagraphs& paragraphs, RtfRenderInput input, int* result = nullptr) {
    const int value = RenderRtfSingleLineToPak(Source(paragraphs), PakPath(), input);
    if (result) *result = value;
    return Read();
  }

  RichText text_;
};

// The bounding box of what is not background, within the image or a part of it.
QRect InkBox(const QImage& image, QRect within = {}) {
  if (within.isNull()) within = image.rect();
  QRect box;
  for (int y = within.top(); y <= within.bottom(); ++y) {
    for (int x = within.left(); x <= within.right(); ++x) {
      if (image.pixel(x, y) != kBackRgb) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return colours;
}

RtfRenderInput Area(int width, int height) {
  RtfRenderInput input;
  input.width = width;
  input.height = height;
  input.backColor = kBack;
  return input;
}

TEST_F(RtfRenderTest, PagesBreakAtTheLineBottomAndSpacingRule) {
  const RichCharFormat format = Latin(16);
  const int h = CellHeight(format);
  auto twoLines = [&](RichParaFormat para) {
    return RichParagraphs{Paragraph(u"HH"_s, format, para), Paragraph(u"HH"_s, format, para)};
  };
  int result = 0;
  // A line whose bottom is exactly the page's height fits.
  Pak pak = Pages(twoLines({}), Area(100, 2 * h), &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(pak.header.FrameCount, 1);
  EXPECT_EQ(pak.header.LastExtent, 100);
  EXPECT_EQ(pak.header.Width, 100);
  EXPECT_EQ(Colours(pak.frames.at(0)), (std::set<QRgb>{kBackRgb, 0xFFFF0000}));
  EXPECT_EQ(Pages(twoLines({}), Area(100, 2 * h - 1)).header.FrameCount, 2);

  // Double spacing by twentieths adds a line height; single, less and other rules none.
  EXPECT_EQ(Pages(twoLines({RichAlign::kLeft, kSpacingTwentieths, 40}), Area(100, 2 * h))
                .header.FrameCount,
            2);
  pak = Pages(twoLines({RichAlign::kLeft, kSpacingTwentieths, 40}), Area(100, 3 * h));
  ASSERT_EQ(pak.header.FrameCount, 1);
  EXPECT_GE(InkBox(pak.frames[0], QRect(0, h, 100, 2 * h)).top(), 2 * h);
  for (RichParaFormat para : {RichParaFormat{RichAlign::kLeft, kSpacingTwentieths, 20},
                              RichParaFormat{RichAlign::kLeft, kSpacingTwentieths, 19},
                              RichParaFormat{RichAlign::kLeft, kSpacingExactly, 480}}) {
    EXPECT_EQ(Pages(twoLines(para), Area(100, 2 * h)).header.FrameCount, 1);
  }
}

TEST_F(RtfRenderTest, PagesCentreVerticallyAndGiveTallLinesTheirOwnPage) {
  const RichCharFormat format = Latin(16);
  const int h = CellHeight(format);
  const int height = h * 5 / 2;  // each line 40 % of the page
  const RichParagraphs three{Paragraph(u"H"_s, format), Paragraph(u"H"_s, format),
                             Paragraph(u"H"_s, format)};
  RtfRenderInput input = Area(60, height);
  const Pak plain = Pages(three, input);
  ASSERT_EQ(plain.header.FrameCount, 2);
  input.verticalCentre = true;
  const Pak centred = Pages(three, input);
  ASSERT_EQ(centred.header.FrameCount, 2);
  const QRect before = InkBox(plain.frames[1]);
  const QRect after = InkBox(centred.frames[1]);
  EXPECT_EQ(after.top() - before.top(), (height - h) / 2);
  EXPECT_EQ(InkBox(centred.frames[0]).top() - InkBox(plain.frames[0]).top(), (height - 2 * h) / 2);

  // A line taller than the page: a page of its own, cut at the bottom, not centred;
  // no empty page after it when it is the last.
  const RichCharFormat big = Latin(48);
  const RichParagraphs tall{Paragraph(u"H"_s, format), Paragraph(u"H"_s, big),
                            Paragraph(u"H"_s, format)};
  input = Area(60, 32);
  const Pak cut = Pages(tall, input);
  input.verticalCentre = true;
  const Pak cutCentred = Pages(tall, input);
  ASSERT_EQ(cut.header.FrameCount, 3);
  ASSERT_EQ(cutCentred.header.FrameCount, 3);
  EXPECT_EQ(cut.frames[1], cutCentred.frames[1]);
  EXPECT_EQ(InkBox(cut.frames[1]).bottom(), 31);
  EXPECT_EQ(Pages({Paragraph(u"H"_s, big)}, input).header.FrameCount, 1);
}

TEST_F(RtfRenderTest, ZoomStretchesTheMiddleRowsAndOffsetMovesUp) {
  const RichParagraphs blocks{Paragraph(u"█▒█"_s, Latin(30))};
  RtfRenderInput input = Area(64, 32);
  const QImage plain = Pages(blocks, input).frames.at(0);
  auto expectRows = [&](const QImage& frame, int zoom) {
    const int usable = 32 - 2 * zoom;
    for (int row = 0; row < 32; ++row) {
      const int source = zoom + row * usable / 32;
      if (source < 0 || source >= 32) {  // from outside the surface: background
        ASSERT_EQ(InkBox(frame, QRect(0, row, 64, 1)), QRect()) << "zoom " << zoom;
        continue;
      }
      ASSERT_EQ(frame.copy(0, row, 64, 1), plain.copy(0, source, 64, 1))
          << "zoom " << zoom << " row " << row;
    }
  };
  input.zoom = -4;  // the editor allows it: rows above and below the page
  expectRows(Pages(blocks, input).frames.at(0), -4);
  input.zoom = 5;
  expectRows(Pages(blocks, input).frames.at(0), 5);
  input.zoom = 16;  // becomes 15
  const QImage zoom16 = Pages(blocks, input).frames.at(0);
  expectRows(zoom16, 15);
  input.zoom = 15;
  EXPECT_EQ(Pages(blocks, input).frames.at(0), zoom16);

  input.zoom = 0;
  input.offset = 7;
  const QImage moved = Pages(blocks, input).frames.at(0);
  EXPECT_EQ(moved.copy(0, 0, 64, 25), plain.copy(0, 7, 64, 25));
  EXPECT_EQ(InkBox(moved, QRect(0, 25, 64, 7)), QRect());

  // On one row the clamp makes the zoom -1: the row comes from above the surface.
  input = Area(64, 1);
  int result = 0;
  const Pak one = Pages({Paragraph(u"█"_s, Latin(30))}, input, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Colours(one.frames.at(0)), std::set<QRgb>{kBackRgb});
}

TEST_F(RtfRenderTest, LinesAlignRestOnTheirBottomAndTabToMultiplesOf48) {
  const RichCharFormat format = Latin(16);
  const int h = CellHeight(format);
  RichParagraphs aligned;
  for (RichAlign align : {RichAlign::kLeft, RichAlign::kCenter, RichAlign::kRight}) {
    aligned.push_back(Paragraph(u"HxH"_s, format, {align, kSpacingSingle, 0}));
  }
  const Pak pak = Pages(aligned, Area(200, 3 * h));
  ASSERT_EQ(pak.header.FrameCount, 1);
  const int width = Advance(format, u"H"_s) * 2 + Advance(format, u"x"_s);
  const int left = InkBox(pak.frames[0], QRect(0, 0, 200, h)).left();
  EXPECT_EQ(InkBox(pak.frames[0], QRect(0, h, 200, h)).left() - left, (200 - width) / 2);
  EXPECT_EQ(InkBox(pak.frames[0], QRect(0, 2 * h, 200, h)).left() - left, 200 - width);

  // Runs of different sizes rest on the line's bottom edge; an empty line is as tall
  // as its paragraph mark's font.
  const RichCharFormat big = Latin(40);
  RichParagraph mixed = Paragraph(u"H"_s, format);
  mixed.runs.push_back({u"H"_s, big});
  const RichParagraphs lines{mixed, Paragraph({}, Latin(30)), Paragraph(u"H"_s, format)};
  const Pak mixedPak = Pages(lines, Area(100, 200));
  const QImage& page = mixedPak.frames.at(0);
  const int smallWidth = Advance(format, u"H"_s);
  const QRect small = InkBox(page, QRect(0, 0, smallWidth, CellHeight(big)));
  const QRect large = InkBox(page, QRect(smallWidth, 0, 60, CellHeight(big)));
  const int descentSmall = QFontMetrics(MakeLedFont(u"DejaVu Sans"_s, -16)).descent();
  const int descentBig = QFontMetrics(MakeLedFont(u"DejaVu Sans"_s, -40)).descent();
  EXPECT_EQ(large.bottom() + descentBig, small.bottom() + descentSmall);
  const QRect last = InkBox(page, QRect(0, CellHeight(big) + 1, 100, 199 - CellHeight(big)));
  EXPECT_EQ(last.top() - small.top(), h + CellHeight(Latin(30)));

  // A tab reaches the next multiple of 48: 46 wide after 50 pixels, 48 at 96.
  text_.SetBaseFormat(format);
  text_.SetText(u"\t\t\tH"_s);
  std::vector<RtfCharCell> cells;
  ASSERT_TRUE(WalkCells(text_, 0, -1, WalkKind::kPage, cells));
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[2].X, 96);
  EXPECT_EQ(cells[2].Width, 48);
  EXPECT_EQ(cells[3].X, 144);
  EXPECT_EQ(text_.Measure().MeasureCell(format, u"\t", 50).Width, 46);
}

TEST_F(RtfRenderTest, WalkFormatsAreThoseOfEachCharacter) {
  RichParagraph first = Paragraph(u"ab"_s, Latin(16));
  first.runs.push_back({u"cd"_s, Latin(20, 0x00FF00)});
  first.mark = Latin(30);
  text_.SetRtf(WriteRtf({first, Paragraph(u"e"_s, Latin(12))}));
  const int length = text_.TextLength();
  std::vector<RichCharFormat> spread;
  for (const RichText::FormatSpan& span : text_.FormatSpans(0, -1)) {
    for (int pos = span.start; pos < span.end; ++pos) spread.push_back(span.format);
  }
  ASSERT_EQ(static_cast<int>(spread.size()), length);
  for (int pos = 0; pos < length; ++pos) EXPECT_EQ(spread[pos], text_.CharFormatAt(pos)) << pos;
}

// DejaVu Sans at the first even pixel size (a whole number of RTF half-points) where
// the character's advance is wanted.
RichCharFormat SizeWhere(const QString& character, auto wanted) {
  for (int pixels = 12; pixels < 200; pixels += 2) {
    if (wanted(Advance(Latin(pixels), character))) return Latin(pixels);
  }
  ADD_FAILURE() << "no size found";
  return Latin(16);
}

TEST_F(RtfRenderTest, SingleLineStripAndPages) {
  const RichCharFormat format = SizeWhere(u"0"_s, [](int w) { return w > 0 && 100 % w == 0; });
  const QString digits(100 / Advance(format, u"0"_s), u'0');
  RtfRenderInput input = Area(64, 24);
  input.continuous = true;
  int result = 0;
  Pak pak = Line({Paragraph(digits, format)}, input, &result);
  EXPECT_EQ(result, 164);
  EXPECT_EQ(pak.header.FrameCount, 3);
  EXPECT_EQ(pak.header.LastExtent, 36);
  EXPECT_EQ(InkBox(pak.frames.at(2)), QRect());
  EXPECT_EQ(InkBox(pak.frames.at(1), QRect(36, 0, 28, 24)), QRect());
  input.noGap = true;
  pak = Line({Paragraph(digits, format)}, input, &result);
  EXPECT_EQ(result, 100);
  EXPECT_EQ(pak.header.FrameCount, 2);
  EXPECT_EQ(pak.header.LastExtent, 36);

  // Empty text is one space.
  pak = Line({Paragraph({}, format)}, input, &result);
  EXPECT_EQ(result, Advance(format, u" "_s));
  EXPECT_EQ(pak.header.FrameCount, 1);
  input.continuous = false;
  pak = Line({Paragraph({}, format)}, input, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Colours(pak.frames.at(0)), std::set<QRgb>{kBackRgb});

  // Pages: a character wider than the page is alone, centred and cut on both sides.
  const RichCharFormat wide = SizeWhere(u"█"_s, [](int w) { return w >= 70; });
  RichParagraph paragraph = Paragraph(u"0"_s, format);
  paragraph.runs.push_back({u"█"_s, wide});
  paragraph.runs.push_back({u"0"_s, format});
  input.effect = kEffectMoveDown;
  pak = Line({paragraph}, input, &result);
  EXPECT_EQ(result, 3);
  EXPECT_EQ(pak.header.LastExtent, 24);
  ASSERT_EQ(pak.frames.size(), 3u);
  const QRect block = InkBox(pak.frames[1]);
  EXPECT_EQ(block.left(), 0);
  EXPECT_EQ(block.right(), 63);
  const QRect digit = InkBox(pak.frames[0]);
  const int digitWidth = Advance(format, u"0"_s);
  EXPECT_NEAR(digit.center().x(), 32, digitWidth / 2 + 1);
  EXPECT_NEAR(digit.center().y(), 12, 3);
}

TEST_F(RtfRenderTest, StripFramesJoinLikeOneStrip) {
  RichCharFormat format = Latin(20);
  format.italic = true;
  QString text;
  for (int i = 0; i < 60; ++i) text += QChar(u'A' + i % 26);
  RtfRenderInput input = Area(50, 28);
  input.continuous = true;
  int strip = 0;
  const Pak pak = Line({Paragraph(text, format), Paragraph(u"中文WAV"_s, format)}, input, &strip);
  ASSERT_GT(strip, 0);

  // The same cells drawn at once on a surface as wide as the strip.
  std::vector<RtfCharCell> cells;
  ASSERT_TRUE(WalkCells(text_, 0, -1, WalkKind::kSingleLine, cells));
  QImage whole(strip, 28, QImage::Format_RGB32);
  {
    CellPainter painter(whole, text_.Measure());
    painter.Fill(kBack);
    for (const CellRun& run : SplitRuns(cells, 0, cells.size())) {
      painter.DrawRun(cells, run, 0, (28 - cells[run.first].CellHeight) / 2);
    }
  }
  ASSERT_EQ(static_cast<int>(pak.frames.size()), (strip + 49) / 50);
  for (size_t k = 0; k < pak.frames.size(); ++k) {
    const int columns = std::min(50, strip - static_cast<int>(k) * 50);
    EXPECT_EQ(pak.frames[k].copy(0, 0, columns, 28), whole.copy(k * 50, 0, columns, 28)) << k;
  }
}

TEST_F(RtfRenderTest, PagesWithoutEffectAreOneWhitenedFrame) {
  RichCharFormat black = Latin(16, 0);
  RichCharFormat automatic = Latin(16);
  automatic.autoColor = true;
  RichParagraphs paragraphs;
  for (int i = 0; i < 6; ++i) {
    RichParagraph paragraph = Paragraph(u"HH"_s, black);
    paragraph.runs.push_back({u"HH"_s, Latin(16, kRed)});
    paragraph.runs.push_back({u"HH"_s, automatic});
    paragraphs.push_back(paragraph);
  }
  RtfRenderInput input = Area(120, 40);
  input.effect = kEffectMoveUp;
  const int result = RenderRtfPagesNoEffectToPak(Source(paragraphs), PakPath(), input);
  EXPECT_EQ(result, 1);
  const Pak pak = Read();
  EXPECT_EQ(pak.header.FrameCount, 1);
  EXPECT_EQ(pak.header.LastExtent, 120);
  EXPECT_EQ(pak.fileSize, kPakHeaderSize + Dib24::PictureBytes(120, 40));
  EXPECT_EQ(Colours(pak.frames.at(0)), (std::set<QRgb>{kBackRgb, 0xFFFF0000, 0xFFFFFFFF}));
  EXPECT_EQ(Pages(paragraphs, input).header.LastExtent, 40);
}

TEST_F(RtfRenderTest, AutomaticColourIsLitWhiteByEveryRenderer) {
  RichCharFormat automatic = Latin(16);
  automatic.autoColor = true;
  RichParagraph paragraph = Paragraph(u"HH"_s, automatic);
  paragraph.runs.push_back({u"HH"_s, Latin(16, 0)});  // explicit black
  RtfRenderInput input = Area(120, 40);
  input.backColor = 0xFF0000;  // blue, so that black shows
  const QRgb blue = 0xFF0000FF, white = 0xFFFFFFFF, black = 0xFF000000;
  EXPECT_EQ(Colours(Pages({paragraph}, input).frames.at(0)), (std::set<QRgb>{blue, white, black}));
  EXPECT_EQ(Colours(Line({paragraph}, input).frames.at(0)), (std::set<QRgb>{blue, white, black}));
  ASSERT_EQ(RenderRtfPagesNoEffectToPak(Source({paragraph}), PakPath(), input), 1);
  EXPECT_EQ(Colours(Read().frames.at(0)), (std::set<QRgb>{blue, white}));
}

// What a frame shows within its ink box.
QImage Ink(const QImage& image) { return image.copy(InkBox(image)); }

// Where the references below draw: the top-left corner of their line.
constexpr int kAt = 10;

// text as Qt's text layout draws it in format's font, on the background.
QImage QtLayout(const QString& text, const RichCharFormat& format) {
  QImage image(400, 60, QImage::Format_RGB32);
  image.fill(kBackRgb);
  QTextLayout layout(text, MakeLedFont(format.face, PixelHeightFromTwips(format.twips)));
  layout.beginLayout();
  layout.createLine().setPosition({kAt, kAt});
  layout.endLayout();
  QPainter painter(&image);
  painter.setPen(QColor::fromRgb(ColorRefToQRgb(format.color)));
  layout.draw(&painter, {0, 0});
  return image;
}

// Each character drawn alone at the sum of the advances before it.
QImage CharByChar(const QString& text, const RichCharFormat& format) {
  const QFont font = MakeLedFont(format.face, PixelHeightFromTwips(format.twips));
  QImage image(400, 60, QImage::Format_RGB32);
  image.fill(kBackRgb);
  int x = kAt;
  for (const QChar c : text) {
    DrawTextTopLeft(image, x, kAt, QString(c), font, format.color);
    x += QFontMetrics(font).horizontalAdvance(c);
  }
  return image;
}

TEST_F(RtfRenderTest, RightToLeftTextShowsAsQtLaysItOutAndLatinAsBefore) {
  const RichCharFormat format = Latin(16);
  const int h = CellHeight(format);
  const QString hello = u"سلام"_s, world = u"دنیا"_s, book = u"کتاب"_s;
  const int space = Advance(format, u" "_s);
  const RichParagraphs paragraphs{
      Paragraph(hello + u" "_s + world, format),      // "hello world", right to left
      Paragraph(book + u" ABC 123 (نو )"_s, format),  // a Latin word, a number, brackets
      Paragraph(u"Hello (world) [1, 2]"_s, format)};
  const Pak pages = Pages(paragraphs, Area(300, 3 * h));
  ASSERT_EQ(pages.frames.size(), 1u);
  const QImage& page = pages.frames[0];
  // Part of line row of the page against part of a reference drawn at kAt.
  auto expectSame = [&](int row, int x, const QImage& reference, int width) {
    EXPECT_EQ(page.copy(x, row * h, width, h), reference.copy(kAt, kAt, width, h)) << row << x;
  };
  // Each word joined as Qt shapes it, the first on the right.
  expectSame(0, 0, QtLayout(world, format), Advance(format, world));
  expectSame(0, Advance(format, world) + space, QtLayout(hello, format), Advance(format, hello));
  // The bracket that ends the text shows first, mirrored; the first word last.
  expectSame(1, 0, CharByChar(u"("_s, format), Advance(format, u"("_s));
  int mixed = Advance(format, book) + Advance(format, u"نو"_s) + 4 * space;
  for (const QChar c : u"ABC123()"_s) mixed += Advance(format, c);
  expectSame(1, mixed - Advance(format, book), QtLayout(book, format), Advance(format, book));
  EXPECT_EQ(Ink(page.copy(0, 2 * h, 300, h)), Ink(CharByChar(paragraphs[2].runs[0].text, format)));

  // A word alone, in single-line pages and in the strip, as Qt draws it.
  RtfRenderInput input = Area(300, 40);
  EXPECT_EQ(Ink(Line({Paragraph(book, format)}, input).frames.at(0)), Ink(QtLayout(book, format)));
  input.continuous = true;
  EXPECT_EQ(Ink(Line({Paragraph(book, format)}, input).frames.at(0)), Ink(QtLayout(book, format)));
}

TEST_F(RtfRenderTest, FailuresWriteNothing) {
  const QString source = Source({Paragraph(u"text"_s, Latin(16))});
  const RtfRenderInput input = Area(64, 32);
  ASSERT_GT(RenderRtfPagesToPak(source, PakPath(), input), 0);
  const QByteArray before = [&] {
    QFile file(PakPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  auto expectUntouched = [&] {
    QFile file(PakPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
  };
  using Renderer = int (*)(const QString&, const QString&, const RtfRenderInput&, bool*);
  for (Renderer render :
       {&RenderRtfPagesToPak, &RenderRtfPagesNoEffectToPak, &RenderRtfSingleLineToPak}) {
    EXPECT_EQ(render(GetAppDir() + u"UserData/missing.rtf"_s, PakPath(), input, nullptr), 0);
    expectUntouched();
    EXPECT_EQ(render(source, PakPath(), Area(70000, 32), nullptr), 0);
    expectUntouched();
    RenderRichEdit = nullptr;
    EXPECT_EQ(render(source, PakPath(), input, nullptr), 0);
    expectUntouched();
    RenderRichEdit = &text_;
    // A Temp that cannot hold files: here a plain file in its place.
    const QString blocked = GetAppDir() + u"blocked"_s;
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(render(source, blocked + u"/out.pak"_s, input, nullptr), 0);
    EXPECT_FALSE(QFile::exists(blocked + u"/out.pak"_s));
  }
  // A failed load never renders what the text held before.
  EXPECT_EQ(RenderRtfSingleLineToPak(u"/nonexistent.rtf"_s, GetAppDir() + u"Temp/b.pak"_s, input),
            0);
  EXPECT_FALSE(QFile::exists(GetAppDir() + u"Temp/b.pak"_s));
}

}  // namespace

namespace {

TEST(RtfPageLimit, FewerOfTheAreaFramesAndTheFramesThatFitOneGigabyte) {
  EXPECT_EQ(MaxTextPages(4, 4), kMaxAreaFrames);
  // A row of 16384 bytes still fits 65535 frames in the file; one of 16388 does not.
  EXPECT_EQ(MaxTextPages(5461, 1), 65535);
  EXPECT_EQ(MaxTextPages(5462, 1), 65520);
  EXPECT_EQ(MaxTextPages(4096, 4096), 21);
  EXPECT_EQ(MaxTextPages(65535, 1365), 4);  // the largest picture
  EXPECT_EQ(MaxTextPages(0, 4), 0);
}

TEST_F(RtfRenderTest, LongTextStopsAtThePageLimitWithTheReport) {
  // Lines taller than the area: each paragraph is a page of its own.
  const RichParagraphs many(100'000, Paragraph(u"x"_s, Latin(12)));
  const QString source = Source(many);
  const RtfRenderInput input = Area(4, 4);
  const int limit = MaxTextPages(4, 4);
  auto header = [&] {
    PakFrameReader reader;
    return reader.Open(PakPath()) && reader.ReadHeader() == PakCheck::Ok ? reader.Header()
                                                                         : PakFileHeader{0};
  };
  bool cut = false;
  EXPECT_EQ(RenderRtfPagesToPak(source, PakPath(), input, &cut), limit);
  EXPECT_TRUE(cut);
  EXPECT_EQ(QFile(PakPath()).size(), kPakHeaderSize + limit * Dib24::PictureBytes(4, 4));
  EXPECT_TRUE(ReachesTextPageLimit(PakPath()));

  cut = false;
  EXPECT_EQ(RenderRtfSingleLineToPak(source, PakPath(), input, &cut), limit);
  EXPECT_TRUE(cut);
  EXPECT_EQ(header().FrameCount, limit);

  RtfRenderInput strip = input;
  strip.continuous = true;
  cut = false;
  EXPECT_EQ(RenderRtfSingleLineToPak(source, PakPath(), strip, &cut), limit * 4);
  EXPECT_TRUE(cut);
  EXPECT_EQ(header().FrameCount, limit);
  EXPECT_EQ(header().LastExtent, 4);

  // Just inside the limit nothing is reported.
  EXPECT_EQ(RenderRtfPagesToPak(Source(RichParagraphs(3, many[0])), PakPath(), input, &cut), 3);
  EXPECT_FALSE(cut);
  EXPECT_FALSE(ReachesTextPageLimit(PakPath()));
}

// LibreOffice 7.4 wrote the file from a document of its own: a price list of three
// columns 1.25 inches wide (1800 twips, 120 pixels) whose last row wraps, a table of
// 1.25 and 2.5 inch columns with a table of two 1.1 inch columns and a paragraph in
// its second cell, a numbered and a bulleted list, and a red 24 x 12 PNG picture at
// 0.25 x 0.125 inches.
TEST_F(RtfRenderTest, WordProcessorTablesListsAndPicture) {
  QFile fixture(u":/rtf/word_processor.rtf"_s);
  ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
  const QString source = GetAppDir() + u"UserData/source.rtf"_s;
  QFile copy(source);
  ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
  copy.write(fixture.readAll());
  copy.close();
  auto redBoxes = [this] {
    std::vector<QRect> boxes;
    for (const QImage& frame : Read().frames) {
      QRect box;
      for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
          if (frame.pixel(x, y) == 0xFFFF0000) box |= QRect(x, y, 1, 1);
        }
      }
      if (!box.isNull()) boxes.push_back(box);
    }
    return boxes;
  };
  // Narrower than the tables, which are cut at its edge.
  ASSERT_EQ(RenderRtfPagesToPak(source, PakPath(), Area(330, 300)), 1);
  const QImage page = Read().frames.at(0);
  const int h = CellHeight({u"Liberation Sans"_s, 0, 240});
  // Where the ink of line (of 12-point lines) starts within columns [x, x + width).
  auto inkLeft = [&](int line, int x, int width) {
    return InkBox(page, QRect(x, line * h, width, h)).left();
  };
  for (const int line : {1, 2, 3}) {  // the price list's columns at 120 and 240
    EXPECT_LT(InkBox(page, QRect(0, line * h, 120, h)).left(), 2) << line;
    EXPECT_THAT(inkLeft(line, 120, 120), testing::AllOf(testing::Ge(120), testing::Le(122)));
    EXPECT_THAT(inkLeft(line, 240, 90), testing::AllOf(testing::Ge(240), testing::Le(242)));
  }
  EXPECT_TRUE(InkBox(page, QRect(100, 2 * h, 20, h)).isNull());
  // The long name wraps inside its cell; the row is two lines tall.
  EXPECT_FALSE(InkBox(page, QRect(0, 4 * h, 120, h)).isNull());
  EXPECT_TRUE(InkBox(page, QRect(120, 4 * h, 210, h)).isNull());
  // The nested table's cells at 120 and 120 + 1584 twips, the paragraph below it.
  EXPECT_THAT(inkLeft(6, 120, 105), testing::AllOf(testing::Ge(120), testing::Le(122)));
  EXPECT_THAT(inkLeft(6, 225, 105), testing::AllOf(testing::Ge(225), testing::Le(227)));
  EXPECT_THAT(inkLeft(7, 120, 210), testing::AllOf(testing::Ge(120), testing::Le(122)));
  EXPECT_TRUE(InkBox(page, QRect(0, 7 * h, 120, h)).isNull());
  // List numbers and bullets start their paragraphs, the text at the tab.
  const QString text = text_.Text(0, -1);
  EXPECT_TRUE(text.contains(u" 1.\tOpen the door\r 2.\tClose it\r \u2022\tMilk"_s))
      << text.toStdString();
  EXPECT_THAT(inkLeft(8, 40, 100), testing::AllOf(testing::Ge(48), testing::Le(50)));
  // On one line, a row's cells stand a tab apart; its last one does not.
  std::vector<RtfCharCell> cells;
  ASSERT_TRUE(WalkCells(text_, 0, -1, WalkKind::kSingleLine, cells));
  ASSERT_EQ(cells.size(), static_cast<std::size_t>(text.size()));  // one a unit here
  EXPECT_GT(cells[text.indexOf(u"Fruit\r"_s) + 5].Width, 0);
  EXPECT_EQ(cells[text.indexOf(u"Qty\r"_s) + 3].Width, 0);
  // The picture at its size after "Logo ", resting on the line's bottom; the writer
  // keeps it all.
  int logo = 0;
  for (const QChar c : u"Logo "_s) logo += Advance({u"Liberation Sans"_s, 0, 240}, c);
  EXPECT_EQ(redBoxes(), (std::vector<QRect>{QRect(logo, 13 * h - 12, 24, 12)}));
  RichText again;
  again.SetRtf(text_.Rtf());
  EXPECT_EQ(DocumentParagraphs(again.Document()), DocumentParagraphs(text_.Document()));
  // Wider than the line (16 pixels here), the picture is scaled down to it.
  ASSERT_GT(RenderRtfPagesToPak(source, PakPath(), Area(12, 300)), 1);
  const std::vector<QRect> scaled = redBoxes();
  ASSERT_EQ(scaled.size(), 1u);
  EXPECT_EQ(scaled[0].size(), QSize(12, 8));  // 16 x 8, cut at the area's edge
}

}  // namespace
