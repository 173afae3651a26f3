// The RTF reader on files in the Windows control's style, the writer through the
// reader, and input that is damaged or hostile.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "model/common/app_dir.h"
#include "render/text/rich_text.h"
#include "render/text/rtf_reader.h"
#include "render/text/rtf_writer.h"

using namespace Qt::StringLiterals;

namespace {

QString Plain(const RichParagraph& paragraph) {
  QString text;
  for (const RichRun& run : paragraph.runs) text += run.text;
  return text;
}

QString Plain(const RichParagraphs& paragraphs) {
  QStringList texts;
  for (const RichParagraph& paragraph : paragraphs) texts << Plain(paragraph);
  return texts.join(u'|');
}

QByteArray Rtf(const char* body) {
  return QByteArray("{\\rtf1\\ansi\\ansicpg936\\deff0") + body + "}";
}

TEST(RtfReader, CodePagesOfFontsAndUnicode) {
  const RichParagraphs chinese =
      ReadRtf(Rtf("{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                  "\\pard\\f0\\fs24 \\'c4\\'e3\\'ba\\'c3\\par}"));
  ASSERT_EQ(chinese.size(), 1u);
  EXPECT_EQ(Plain(chinese), u"你好");
  EXPECT_EQ(chinese[0].runs[0].format.face, u"宋体");
  EXPECT_EQ(chinese[0].runs[0].format.charSet, 134);

  // \uc1 skips one fallback, \uc2 two \'hh; surrogate pairs come as two \u.
  EXPECT_EQ(Plain(ReadRtf(Rtf("\\uc1\\u20320?a\\uc2\\u22909\\'ba\\'c3b\\uc1\\u-10179?\\u-8694?"))),
            u"你a好b\U0001F60A");

  const RichParagraphs scripts = ReadRtf(
      Rtf("{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset162 Arial;}{\\f2\\fcharset178 "
          "Arial;}{\\f3\\fcharset2 Symbol;}}"
          "\\f0\\'cf\\'f0\\'e8 \\f1\\'f0\\'fe \\f2\\'c7\\'e1 \\f3\\'41\\par"));
  EXPECT_EQ(Plain(scripts), u"При ğş ال \uF041");
}

TEST(RtfReader, FormatsTablesAndParagraphs) {
  const RichParagraphs paragraphs = ReadRtf(Rtf(
      "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
      "\\pard\\qc\\sl480\\slmult1\\cf1\\b\\fs32 a\\cf0\\b0 b{\\i\\ulwave c{\\plain d}e}\\ulnone f"
      "\\par\\pard\\qr\\f1\\cf2\\ul\\ulc1 g\\tab h\\line i\\par}"));
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_EQ(Plain(paragraphs), u"abcdef|g\th\u2028i");
  const RichParagraph& first = paragraphs[0];
  EXPECT_EQ(first.format, (RichParaFormat{RichAlign::kCenter, kSpacingTwentieths, 40}));
  ASSERT_EQ(first.runs.size(), 6u);
  EXPECT_EQ(first.runs[0].format.color, 0x0000FFu);
  EXPECT_FALSE(first.runs[0].format.autoColor);
  EXPECT_TRUE(first.runs[0].format.bold);
  EXPECT_EQ(first.runs[0].format.twips, 320);
  EXPECT_TRUE(first.runs[1].format.autoColor);  // \cf0
  EXPECT_TRUE(first.runs[2].format.italic && first.runs[2].format.underline);
  // \plain inside the group resets to the default font and size; the group's end
  // restores what it reset.
  EXPECT_EQ(first.runs[3].format, (RichCharFormat{u"Arial"_s, 1}));
  EXPECT_EQ(first.runs[4].format, first.runs[2].format);
  EXPECT_FALSE(first.runs[5].format.underline);
  const RichParagraph& second = paragraphs[1];
  EXPECT_EQ(second.format.align, RichAlign::kRight);
  EXPECT_EQ(second.format.lineSpacingRule, kSpacingSingle);
  EXPECT_EQ(second.runs[0].format.face, u"Times");
  EXPECT_EQ(second.runs[0].format.color, 0xFF8000u);
  EXPECT_TRUE(second.runs[0].format.underline);  // \ulc is a colour, not "no underline"
  EXPECT_EQ(second.mark, second.runs[0].format);
}

// Each paragraph's text and table depth, "c" where it ends a cell, and where it ends
// a row "r" and the row's left edge, gap and cell edges.
QString Places(const RichParagraphs& paragraphs) {
  QStringList texts;
  for (const RichParagraph& paragraph : paragraphs) {
    QString text = Plain(paragraph) + u'/' + QString::number(paragraph.cell.depth);
    if (paragraph.cell.cellEnd) text += u'c';
    if (const auto& row = paragraph.cell.rowEnd) {
      text += u"r%1,%2"_s.arg(row->left).arg(row->gap);
      for (const int edge : row->edges) text += u',' + QString::number(edge);
    }
    texts << text;
  }
  return texts.join(u'|');
}

TEST(RtfReader, TablesReadAsTheParagraphsOfTheirCells) {
  // As LibreOffice writes a table: each row's properties, then its cells.
  EXPECT_EQ(Places(ReadRtf(
                Rtf("\\trowd\\cellx2000\\cellx4000\\cellx6000"
                    "\\pard\\intbl Name\\cell\\pard\\intbl Price\\cell\\pard\\intbl Qty\\cell\\row"
                    "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000"
                    "\\pard\\intbl Apple\\cell 1.50\\cell\\row\\pard After\\par"))),
            u"Name/1c|Price/1c|Qty/1cr0,0,2000,4000,6000|Apple/1c|1.50/1cr-108,108,2000,4000|"
            u"After/0");
  // As Word writes one: cells in groups, the row's properties again in a group that
  // ends the row; an empty cell, a cell of two paragraphs, and text after the row
  // that no \pard took out of the table.
  EXPECT_EQ(Places(ReadRtf(Rtf("\\pard\\intbl{A\\cell}{\\cell}{x\\par y\\cell}"
                               "{\\trowd\\cellx1\\cellx2\\cellx3\\row}B"))),
            u"A/1c|/1c|x/1|y/1cr0,0,1,2,3|B/0");
  // A nested table: its row's properties at its end, the paragraph for readers
  // without nested tables skipped.
  EXPECT_EQ(
      Places(ReadRtf(Rtf("\\trowd\\cellx1000\\cellx3000\\pard\\intbl "
                         "Outer\\cell\\pard\\intbl\\itap2 In 1\\nestcell "
                         "In 2\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\cellx1800\\nestrow}"
                         "{\\nonesttables\\par}\\pard\\intbl Below\\cell\\row"))),
      u"Outer/1c|In 1/2c|In 2/2cr0,0,900,1800|Below/1cr0,0,1000,3000");
  // Depths, cells and positions past any table are bounded.
  QByteArray many = "{\\*\\nesttableprops\\trowd\\cellx99999999";
  for (int i = 0; i < 100; ++i) many += "\\cellx1";
  const RichParagraphs deep =
      ReadRtf(Rtf("\\pard\\intbl\\itap99 a\\nestcell" + many + "\\nestrow}"));
  ASSERT_EQ(deep.size(), 1u);
  EXPECT_EQ(deep[0].cell.depth, kMaxTableDepth);
  ASSERT_TRUE(deep[0].cell.rowEnd);
  EXPECT_EQ(deep[0].cell.rowEnd->edges.size(), static_cast<std::size_t>(kMaxRowCells));
  EXPECT_EQ(deep[0].cell.rowEnd->edges[0], kMaxTableTwips);
}

TEST(RtfReader, ListTextAndPictures) {
  // List text as Word 97 and as older writers keep it for readers without lists.
  EXPECT_EQ(Plain(ReadRtf(Rtf("{\\listtext\\pard\\plain 1.\\tab}Open\\par"
                              "{\\pntext\\f0 -\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb -}}Milk\\par"))),
            u"1.\tOpen|-\tMilk");
  // The picture for readers that know shapes, not the one for those that do not; a
  // metafile keeps a gap, \bin data is a picture's too, sizes are bounded, and a
  // picture of no size is none.
  const RichParagraphs read = ReadRtf(
      Rtf("a{\\*\\shppict{\\pict{\\*\\picprop x}\\pngblip\\picwgoal360\\pichgoal180\\picscalex200 "
          "89504e\r\n47 0}}{\\nonshppict{\\pict\\wmetafile8 00}}b"
          "{\\pict\\wmetafile8\\picwgoal99999999999\\pichgoal150 0102}"
          "{\\pict\\jpegblip\\picw10\\pich5\\bin3 xyz}{\\pict\\emfblip}"));
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(Plain(read), u"a\uFFFCb\uFFFC\uFFFC");
  const std::vector<RichRun>& runs = read[0].runs;
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[1].format.picture,
            (RichPicture{RichPictureKind::kPng, QByteArray::fromHex("89504e47"), 48, 12}));
  EXPECT_EQ(runs[3].format.picture,
            (RichPicture{RichPictureKind::kOther, {}, kMaxPictureSide, 10}));
  EXPECT_EQ(runs[4].format.picture, (RichPicture{RichPictureKind::kJpeg, "xyz", 10, 5}));
  EXPECT_FALSE(runs[2].format.picture);
}

TEST(RtfReader, SkipsWhatIsNotText) {
  EXPECT_EQ(
      Plain(ReadRtf(
          Rtf("{\\*\\generator Riched20 10.0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}"
              "a{\\pict\\pngblip 89504e47}{\\object{\\objdata 01}}\\bin3 {}}b"
              "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt c}}\\-d\\~e\\{\\}\\\\\r\nf\\par"))),
      u"ab"
      u"cd\u00A0e{}\\f");
}

TEST(RtfReader, FinalParagraphMarkAndPlainText) {
  EXPECT_EQ(Plain(ReadRtf(Rtf("a\\par b\\par\r\n"))), u"a|b");
  EXPECT_EQ(Plain(ReadRtf(Rtf("a\\par\\par "))), u"a|");
  EXPECT_EQ(Plain(ReadRtf(Rtf("a\\par b"))), u"a|b");
  EXPECT_EQ(ReadRtf(Rtf("")).size(), 1u);
  const RichCharFormat base{u"Base"_s, 0, 300};
  const RichParagraphs plain = ReadRtf("line 1\r\n\xc4\xe3", base);  // not UTF-8: GBK
  EXPECT_EQ(Plain(plain), u"line 1|你");
  EXPECT_EQ(plain[1].runs[0].format, base);
}

TEST(RtfReader, HostileInputReadsWithoutHarm) {
  const QByteArray deep = "{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}');
  EXPECT_EQ(Plain(ReadRtf(deep)), u"deep");
  EXPECT_EQ(Plain(ReadRtf(Rtf("}}}a{{{b"))), u"ab");
  EXPECT_EQ(Plain(ReadRtf("{\\rtf1{\\fonttbl{\\f0\\fcharset134 \\'c4")), u"");
  EXPECT_EQ(Plain(ReadRtf("{\\rtf1 a\\'c4")), u"a\uFFFD");  // a lead byte alone
  EXPECT_EQ(Plain(ReadRtf("{\\rtf1 a\\'c")), u"a");
  // Numbers past any range are clamped; \bin cannot reach beyond the data.
  const RichParagraphs huge =
      ReadRtf(Rtf("\\fs99999999999999999999 a\\cf-99999999999999\\uc99999999 "
                  "\\u99999999999b\\bin99999999999 c"));
  ASSERT_EQ(huge.size(), 1u);
  EXPECT_EQ(huge[0].runs[0].format.twips, kMaxFontTwips);
  EXPECT_EQ(ReadRtf(Rtf("\\fs0 a"))[0].runs[0].format.twips, kMinFontTwips);
}

RichParagraphs Sample() {
  RichCharFormat song{u"宋体"_s, 134, 240, true, false, true, 0x0000FF, false};
  RichCharFormat latin{u"Arial"_s, 0, 330, false, true, false, 0, true};
  RichCharFormat cyrillic{u"Times {x}"_s, 204, 180, false, false, false, 0x123456, false};
  RichCharFormat picture = latin;
  picture.picture = RichPicture{RichPictureKind::kPng, QByteArray(100, '\x89'), 24, 12};
  return {
      {{{u"你好 \\{}"_s, song}, {u"tab\tline\u2028end\U0001F60A"_s, latin}},
       {RichAlign::kCenter, kSpacingTwentieths, 40},
       cyrillic},
      {{}, {RichAlign::kRight, kSpacingSingle, 0}, song},
      {{{u"Привет"_s, cyrillic}}, {RichAlign::kLeft, kSpacingSingle, 0}, latin},
      // A row of a cell and a nested table, whose cell is a picture, and a last cell.
      {{{u"cell"_s, latin}}, {}, latin, {1, true}},
      {{{u"\uFFFC"_s, picture}}, {}, latin, {2, true, RichRowFormat{-108, 108, {900, 1800}}}},
      {{{u"x"_s, latin}}, {RichAlign::kRight}, latin, {1, true, RichRowFormat{0, 0, {1000, 3000}}}},
  };
}

TEST(RtfWriter, ReaderGetsBackWhatWasWritten) {
  const RichParagraphs sample = Sample();
  const QByteArray rtf = WriteRtf(sample);
  for (const char byte : rtf) ASSERT_LT(static_cast<unsigned char>(byte), 0x80) << rtf.constData();
  EXPECT_TRUE(
      rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
                     "\\'cb\\'ce\\'cc\\'e5;}"));
  EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red255\\green0\\blue0;"));
  EXPECT_TRUE(rtf.contains("\\sl480\\slmult1"));
  EXPECT_EQ(ReadRtf(rtf), sample);
}

TEST(RtfWriter, LoadAndSaveIsStable) {
  RichText text;
  text.SetRtf(WriteRtf(Sample()));
  const QByteArray once = text.Rtf();
  text.SetRtf(once);
  EXPECT_EQ(text.Rtf(), once);
  EXPECT_EQ(text.Document().blockCount(), 6);
  text.SetRtf({});
  text.SetRtf(text.Rtf());
  EXPECT_EQ(text.Document().blockCount(), 1);
  EXPECT_EQ(text.TextLength(), 0);
}

TEST(RtfFiles, FailuresLeaveFileAndContentAsTheyWere) {
  const QString folder = GetAppDir() + "locked";
  const QString path = folder + "/page.rtf";
  ASSERT_TRUE(QDir().mkpath(folder));
  RichText text;
  text.SetText(u"old"_s);
  ASSERT_TRUE(text.SaveRtfFile(path));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray old = file.readAll();
  file.close();
  // A read-only folder, and the temporary name taken, since root may write anyway.
  ASSERT_TRUE(QDir().mkdir(path + ".tmp"));
  ASSERT_EQ(::chmod(folder.toLocal8Bit().constData(), 0555), 0);
  text.SetText(u"new"_s);
  EXPECT_FALSE(text.SaveRtfFile(path));
  ::chmod(folder.toLocal8Bit().constData(), 0755);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), old);

  EXPECT_FALSE(text.LoadRtfFile(GetAppDir() + "missing.rtf"));
  EXPECT_FALSE(text.LoadRtfFile(folder));
  EXPECT_EQ(text.Text(0, -1), u"new");
  EXPECT_TRUE(text.LoadRtfFile(path));
  EXPECT_EQ(text.Text(0, -1), u"old");
}

}  // namespace
