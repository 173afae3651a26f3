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

TEST(RtfReader, TablesReadAsLinesOfTabSeparatedCells) {
  // As LibreOffice writes a table: each row's properties, then its cells.
  EXPECT_EQ(Plain(ReadRtf(
                Rtf("\\trowd\\cellx2000\\cellx4000\\cellx6000"
                    "\\pard\\intbl Name\\cell\\pard\\intbl Price\\cell\\pard\\intbl Qty\\cell\\row"
                    "\\trowd\\cellx2000\\cellx4000\\cellx6000"
                    "\\pard\\intbl Apple\\cell 1.50\\cell 10\\cell\\row\\pard After\\par"))),
            u"Name\tPrice\tQty|Apple\t1.50\t10|After");
  // As Word writes one: cells in groups, the row's properties again in a group that
  // ends the row; an empty cell, and a cell of two paragraphs.
  EXPECT_EQ(Plain(ReadRtf(Rtf("\\pard\\intbl{A\\cell}{\\cell}{x\\par y\\cell}"
                              "{\\trowd\\cellx1\\cellx2\\cellx3\\row}B"))),
            u"A\t\tx|y|B");
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
  return {
      {{{u"你好 \\{}"_s, song}, {u"tab\tline\u2028end\U0001F60A"_s, latin}},
       {RichAlign::kCenter, kSpacingTwentieths, 40},
       cyrillic},
      {{}, {RichAlign::kRight, kSpacingSingle, 0}, song},
      {{{u"Привет"_s, cyrillic}}, {RichAlign::kLeft, kSpacingSingle, 0}, latin},
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
  EXPECT_EQ(text.Document().blockCount(), 3);
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
