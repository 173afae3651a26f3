// The rich-edit control as the renderers and editors use it: a file of the Windows
// control loaded, shown and walked; a new page made and saved; failures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>

#include <algorithm>

#include "controls/rich_edit/rich_edit_ex.h"
#include "model/common/app_dir.h"
#include "render/text/text_bounds.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

void WriteFile(const QString& path, const QByteArray& data) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

const QByteArray kWindowsFile =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil"
    "\\fcharset134 WenQuanYi Micro Hei;}{\\f1\\fswiss\\fcharset0 DejaVu Sans;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green160\\blue0;}\r\n"
    "{\\*\\generator Riched20 5.50.99.2014;}\\viewkind4\\uc1\\pard\\qc\\sl480\\slmult1"
    "\\cf1\\lang2052\\f0\\fs32\\'c4\\'e3\\'ba\\'c3\\f1  LED \\cf2\\b bold\\b0\\par\r\n"
    "\\pard\\cf0\\fs24 a second paragraph that wraps\\tab x\\par\r\n}\r\n";

TEST(RichEditEx, LoadsShowsAndAnswersTheRenderersQueries) {
  const QString path = GetAppDir() + "page.rtf";
  WriteFile(path, kWindowsFile);
  CRichEditEx edit;
  edit.resize(180, 140);
  edit.SetRect(QRect(0, 0, 124, 140));
  ASSERT_EQ(edit.LoadRtfFile(path), 1);
  edit.show();
  EXPECT_FALSE(SaveScreenshot(edit, u"rich_edit_windows_file"_s).isEmpty());

  const QString text = u"你好 LED bold\ra second paragraph that wraps\tx"_s;
  EXPECT_EQ(edit.GetTextLength(), text.size());
  edit.SetSel(0, 1);
  EXPECT_EQ(edit.GetSelText(), u"你");
  const RichCharFormat cjk = edit.GetSelectionCharFormat();
  EXPECT_EQ(cjk.face, u"WenQuanYi Micro Hei");
  EXPECT_EQ(cjk.charSet, 134);
  EXPECT_EQ(cjk.twips, 320);
  EXPECT_EQ(cjk.color, 0x0000FFu);
  EXPECT_EQ(edit.GetParaFormat(), (RichParaFormat{RichAlign::kCenter, kSpacingTwentieths, 40}));
  const int mark = static_cast<int>(text.indexOf(u'\r'));
  edit.SetSel(mark, mark + 1);
  EXPECT_EQ(edit.GetSelText(), u"\r");
  EXPECT_TRUE(edit.GetSelectionCharFormat().bold == false);
  edit.SetSel(mark + 1, mark + 2);
  EXPECT_EQ(edit.GetParaFormat().align, RichAlign::kLeft);
  EXPECT_TRUE(edit.GetSelectionCharFormat().autoColor);

  // Lines as the renderer walks them: each from its index, for its length.
  EXPECT_GT(edit.GetLineCount(), 3);
  int walked = 0;
  for (int line = 0; line < edit.GetLineCount(); ++line) {
    EXPECT_EQ(edit.LineIndex(line), walked);
    walked += edit.LineLength(walked);
    if (walked < text.size() && text[walked] == u'\r') ++walked;
  }
  EXPECT_EQ(walked, text.size());
  const int lines = edit.GetLineCount();
  edit.SetRect(QRect(0, 0, 400, 140));
  EXPECT_LT(edit.GetLineCount(), lines);
}

TEST(RichEditEx, NewPageAsTheEditorsMakeIt) {
  const QString path = GetAppDir() + "new.rtf";
  WriteFile(path, {});
  CRichEditEx edit;
  ASSERT_EQ(edit.LoadRtfFile(path), 1);
  edit.SetWindowText(u"Page 1"_s);
  edit.SetSel(0, -1);
  const RichCharFormat red{u"宋体"_s, 134, 240, false, false, false, 0x0000FF, false};
  edit.SetSelectionCharFormat(red, kCharFace | kCharSize | kCharColor);
  // What is typed at the end takes the format set there.
  edit.SetSel(edit.GetTextLength(), -1);
  RichCharFormat bold;
  bold.bold = true;
  edit.SetSelectionCharFormat(bold, kCharBold);
  edit.insertPlainText(u"!"_s);
  ASSERT_EQ(edit.SaveRtfFile(path), 1);

  CRichEditEx again;
  ASSERT_EQ(again.LoadRtfFile(path), 1);
  EXPECT_EQ(again.Content().Text(0, -1), u"Page 1!");
  EXPECT_EQ(again.Content().CharFormatAt(0), red);
  RichCharFormat redBold = red;
  redBold.bold = true;
  EXPECT_EQ(again.Content().CharFormatAt(6), redBold);
  EXPECT_EQ(again.Content().CharFormatAt(7), redBold);  // the paragraph's mark
  again.resize(200, 60);
  again.show();
  EXPECT_FALSE(SaveScreenshot(again, u"rich_edit_new_page"_s).isEmpty());
}

TEST(RichEditEx, FailuresAndSurrogatePairs) {
  CRichEditEx edit;
  edit.SetWindowText(u"a\U0001F60Ab"_s);
  EXPECT_EQ(edit.LoadRtfFile(GetAppDir() + "missing.rtf"), 0);
  EXPECT_EQ(edit.SaveRtfFile(GetAppDir()), 0);  // a folder
  EXPECT_EQ(edit.GetTextLength(), 4);
  edit.SetSel(2, 3);
  EXPECT_EQ(edit.GetSel(), std::make_pair(1, 3));
  edit.SetSel(0, 2);
  EXPECT_EQ(edit.GetSelText(), u"a\U0001F60A");
}

// What is pasted or dropped: a fragment of the program's own with its formats, any
// other text in the format where it goes, never a picture.
TEST(RichEditEx, PasteKeepsOwnFragmentsAndTakesOtherTextPlain) {
  const RichCharFormat red{u"DejaVu Sans"_s, 0, 240, true, false, false, 0x0000FF, false};
  const RichCharFormat green{u"DejaVu Sans"_s, 0, 480, false, true, false, 0x00FF00, false};
  CRichEditEx source;
  source.SetWindowText(u"ab\rcd"_s);
  source.Content().SetCharFormat(0, 2, red, kCharAll);
  source.Content().SetCharFormat(2, -1, green, kCharAll);
  source.Content().SetParaFormat(0, 0, {RichAlign::kRight, kSpacingSingle, 0});
  source.SetSel(1, 4);
  source.copy();

  CRichEditEx target;
  target.SetWindowText(u"XY"_s);
  target.SetSel(1, 1);
  target.paste();
  EXPECT_EQ(target.Content().Text(0, -1), u"XbrcY"_s.replace(u'r', u'\r'));
  EXPECT_EQ(target.Content().CharFormatAt(1), red);
  EXPECT_EQ(target.Content().CharFormatAt(3), green);
  // The pasted mark ends a paragraph in the pasted format; the rest keeps its own.
  EXPECT_EQ(target.Content().ParaFormatAt(0).align, RichAlign::kRight);
  EXPECT_EQ(target.Content().ParaFormatAt(3).align, RichAlign::kLeft);

  auto* foreign = new QMimeData;
  foreign->setHtml(u"<p>in<img src=\"x.png\"><table><tr><td>cell</td></tr></table></p>"_s);
  foreign->setText(u"in cell"_s);
  foreign->setImageData(QImage(4, 4, QImage::Format_RGB32));
  QApplication::clipboard()->setMimeData(foreign);
  target.SetSel(0, 0);
  const RichCharFormat typed = target.GetSelectionCharFormat();
  target.paste();
  EXPECT_EQ(target.Content().Text(0, 7), u"in cell");
  EXPECT_EQ(target.Content().CharFormatAt(0), typed);
  EXPECT_FALSE(target.toHtml().contains(u"<img"_s));
  EXPECT_FALSE(target.toHtml().contains(u"<table"_s));

  // A megabyte without a break, pasted or opened (half of it as hex escapes), is held
  // to what a page keeps and reaches the layout broken into lines it takes at once.
  const auto expectBounded = [](const QString& text, QChar filler) {
    const QStringList lines = text.split(u'\v');
    qsizetype longest = 0;
    for (const QString& line : lines) longest = std::max(longest, line.size());
    EXPECT_EQ(longest, kMaxUnbrokenRun);
    EXPECT_EQ(text.size() - (lines.size() - 1), kMaxRichTextUnits);
    EXPECT_EQ(text.count(filler), kMaxRichTextUnits);
  };
  auto* megabyte = new QMimeData;
  megabyte->setText(QString(1 << 20, u'x') + u"tail"_s);
  QApplication::clipboard()->setMimeData(megabyte);
  int cuts = 0;
  target.textCut = [&cuts] { ++cuts; };
  target.SetSel(0, -1);
  target.paste();
  expectBounded(target.Content().Text(0, -1), u'x');
  target.paste();  // no room left: nothing more comes in
  expectBounded(target.Content().Text(0, -1), u'x');
  EXPECT_EQ(cuts, 2);

  const QString rtf = GetAppDir() + u"line.rtf"_s;
  QFile file(rtf);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("{\\rtf1 " + QByteArray(1 << 19, 'y') + QByteArray("\\'79").repeated(1 << 19) + "}");
  file.close();
  ASSERT_EQ(target.LoadRtfFile(rtf), 1);
  expectBounded(target.Content().Text(0, -1), u'y');
  EXPECT_TRUE(target.Content().Cut());
}

}  // namespace
