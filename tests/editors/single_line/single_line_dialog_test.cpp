// The single-line page on the project page: what loading, typing and the display
// controls save and render, and what one area's text never does to another's.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/language/language_texts.h"
#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_edit_ids.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/single_line/single_line_dialog.h"
#include "model/common/app_paths.h"
#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "render/text/text_bounds.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

using editortest::Message;

const Message kHide{UM_CANVAS_COMMAND, 2, -2};
const Message kShow{UM_CANVAS_COMMAND, 2, 0};

struct Render {
  QString rtf;
  RtfRenderInput input;
  std::vector<Message> canvasBefore;  // what the canvas had been sent by then
};

class SingleLineTest : public editortest::PageTest {
 protected:
  // A 64 x 32 screen with one single-line area at rect, or two.
  void OpenLine(QRect rect = QRect(4, 4, 40, 20), bool second = false) {
    Open(64, 32, 0, rect);
    if (second) testsupport::PlaceArea(*program, kSingleLineArea, 0, 0, 10, 10);
    page->BuildTreeFromModel();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    Line().SetRenderer([this](const QString& rtf, const QString&, const RtfRenderInput& input) {
      renders.push_back({rtf, input, canvas.received});
      return 5;
    });
    Line().SetAsk([this](const QString& text, int) {
      asked.push_back(text);
      return 1;
    });
  }
  CSingleLineDialog& Line() { return PageAt<CSingleLineDialog>(PageSlot::SingleLine); }
  static SingleLineAreaInfo& Info(AreaRecord& record) {
    return std::get<SingleLineAreaInfo>(record.Kind);
  }
  static QString Rtf(AreaRecord& record) {
    return AppFilePath(AppFolder::UserData, ReadBoundedText(Info(record).guid) + u".rtf"_s);
  }
  // Selects the area's tree item and delivers the posted echoes.
  void SelectArea(int index) {
    Select(ProgramItem()->child(index));
    QCoreApplication::sendPostedEvents();
  }
  void Take() {
    canvas.Take();
    renders.clear();
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  static QString SavedText(const QString& path) {
    RichText text;
    return text.LoadRtfFile(path) ? text.Text(0, -1) : u"(unreadable)"_s;
  }
  // A frame file of one frame that is current for the area.
  void WriteCurrentFrames(AreaRecord& record) {
    PakFileHeader header;
    header.Width = record.AreaRect_Right - record.AreaRect_Left;
    header.Height = record.AreaRect_Bottom - record.AreaRect_Top;
    header.BackColor = Info(record).BackColor;
    header.FrameCount = 1;
    const PakHeaderBytes head = EncodePakHeader(header);
    QByteArray bytes(reinterpret_cast<const char*>(head.data()), kPakHeaderSize);
    bytes.append(QByteArray(static_cast<qsizetype>(PakFrameBytes(header)), '\0'));
    Write(PakFramePath(ReadBoundedText(Info(record).guid)), bytes);
  }
  void Choose(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
  }
  void TypeStay(const QString& text) {
    Line().StayEdit().Edit().selectAll();
    QTest::keyClicks(&Line().StayEdit().Edit(), text);
  }

  std::vector<Render> renders;
  QStringList asked;
};

TEST_F(SingleLineTest, LoadingRendersOnlyAnOutdatedFrameFile) {
  OpenLine();
  Info(*area).BackColor = 0x112233;
  RichText text;
  text.SetText(u"Hi"_s);
  Write(Rtf(*area), text.Rtf());
  const QByteArray stored = Read(Rtf(*area));
  WriteCurrentFrames(*area);
  EXPECT_EQ(Line().Formats().ColorPicker().GetColor(), 0x0000FFu);  // red until a text shows

  SelectArea(0);
  Choose(Line().SpeedCombo(), 7);  // the frames stay current
  EXPECT_TRUE(renders.empty());
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{kHide, kShow, kHide, kShow}));
  EXPECT_EQ(Line().TextEdit().Content().Text(0, -1), u"Hi");
  EXPECT_EQ(Line().BackPicker().GetColor(), 0x112233u);
  EXPECT_EQ(Line().TextEdit().palette().color(QPalette::Base), QColor(0x33, 0x22, 0x11));

  ASSERT_TRUE(QFile::remove(PakFramePath(ReadBoundedText(Info(*area).guid))));
  Select(ProgramItem());
  SelectArea(0);
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(renders[0].canvasBefore, std::vector<Message>{kHide});
  EXPECT_EQ(Info(*area).PageCount, 5);
  EXPECT_EQ(Read(Rtf(*area)), stored);
  EXPECT_TRUE(asked.empty());

  // A file longer than a page keeps, written elsewhere: the user is told it was cut.
  Write(Rtf(*area), "{\\rtf1 " + QByteArray(kMaxRichTextUnits + 1, 'a') + "}");
  Select(ProgramItem());
  SelectArea(0);
  EXPECT_EQ(asked, QStringList{ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, 1032)});
  EXPECT_EQ(Line().TextEdit().Content().Text(0, -1).count(u'a'), kMaxRichTextUnits);
}

TEST_F(SingleLineTest, AnotherAreasTextIsNeverShownOrSaved) {
  OpenLine(QRect(4, 4, 40, 20), true);
  AreaRecord& second = *program->Areas[1];
  RichText text;
  text.SetText(u"Alpha"_s);
  Write(Rtf(*area), text.Rtf());
  const QByteArray first = Read(Rtf(*area));

  SelectArea(0);
  EXPECT_EQ(Line().TextEdit().Content().Text(0, -1), u"Alpha");
  SelectArea(1);  // its file is missing
  EXPECT_EQ(Line().TextEdit().Content().Text(0, -1), u"");
  SendMessage(Line().Handle(), WM_COMMAND, ID_RTF_MENU_UNDO, 0);  // nothing to undo
  EXPECT_EQ(Line().TextEdit().Content().Text(0, -1), u"");
  EXPECT_FALSE(QFile::exists(Rtf(second)));

  QTest::keyClicks(&Line().TextEdit(), u"x"_s);
  EXPECT_EQ(SavedText(Rtf(second)), u"x");
  EXPECT_EQ(Line().TextEdit().GetSelectionCharFormat().color, 0xFFFFFFu);  // the default
  EXPECT_EQ(Read(Rtf(*area)), first);

  // Hidden, the page forgets the area: a change saves nothing.
  Select(ProgramItem());
  Line().TextEdit().Content().SetText(u"stray"_s);
  EXPECT_EQ(SavedText(Rtf(second)), u"x");
}

TEST_F(SingleLineTest, AFailedSaveIsShownOnceUntilASaveSucceeds) {
  OpenLine();
  ASSERT_TRUE(QDir().mkpath(Rtf(*area)));  // a folder where the file should be
  SelectArea(0);
  Take();
  QTest::keyClicks(&Line().TextEdit(), u"ab"_s);
  EXPECT_EQ(asked, QStringList{ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, 1027)});
  EXPECT_EQ(renders.size(), 2u);  // the frames still follow the text
  ASSERT_TRUE(QDir().rmdir(Rtf(*area)));
  QTest::keyClicks(&Line().TextEdit(), u"c"_s);
  EXPECT_EQ(SavedText(Rtf(*area)), u"abc");
  ASSERT_TRUE(QFile::remove(Rtf(*area)));
  ASSERT_TRUE(QDir().mkpath(Rtf(*area)));
  QTest::keyClicks(&Line().TextEdit(), u"d"_s);
  EXPECT_EQ(asked.size(), 2);
}

TEST_F(SingleLineTest, EachTextChangeSavesAndRendersOnceWithTheAreasInputs) {
  OpenLine(QRect(4, 4, 40, 20));
  area->IsUseBorder = 1;
  area->BorderWidth = 2;
  SingleLineAreaInfo& info = Info(*area);
  info.BackColor = 0x000080;
  info.InStyle = 6;
  info.IsLeftMove = 1;
  info.ZoomValue = 2;
  info.OffsetValue = -1;
  SelectArea(0);
  Take();

  QTest::keyClicks(&Line().TextEdit(), u"A"_s);
  EXPECT_EQ(SavedText(Rtf(*area)), u"A");
  ASSERT_EQ(renders.size(), 1u);
  const RtfRenderInput& input = renders[0].input;
  EXPECT_EQ(renders[0].rtf, Rtf(*area));
  EXPECT_EQ(std::tuple(input.width, input.height, input.backColor, input.continuous, input.noGap,
                       input.effect, input.zoom, input.offset),
            std::tuple(36, 16, 0x000080u, true, true, 6, 2, -1));
  EXPECT_EQ(renders[0].canvasBefore, std::vector<Message>{kHide});
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{kHide, kShow}));

  // Enter types a line break; a format change is a change of the text.
  renders.clear();
  QTest::keyClick(&Line().TextEdit(), Qt::Key_Return);
  QTest::keyClicks(&Line().TextEdit(), u"B"_s);
  EXPECT_EQ(SavedText(Rtf(*area)), u"A\rB");
  Line().TextEdit().SetSel(0, -1);
  renders.clear();
  Line().Formats().EffectButton(CharFormatControls::kBold).click();
  EXPECT_EQ(renders.size(), 1u);
  RichText saved;
  ASSERT_TRUE(saved.LoadRtfFile(Rtf(*area)));
  EXPECT_TRUE(saved.CharFormatAt(0).bold);

  // An area smaller than its border renders at 1 x 1.
  area->AreaRect_Right = area->AreaRect_Left + 3;
  renders.clear();
  QTest::keyClicks(&Line().TextEdit(), u"C"_s);
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_EQ(std::pair(renders[0].input.width, renders[0].input.height), std::pair(1, 16));
}

TEST_F(SingleLineTest, DisplayControls) {
  OpenLine();
  Info(*area).DelayTime = 5;
  Info(*area).IsLeftMove = 1;
  Info(*area).InSpeed = 31;  // the last of each list
  Info(*area).InStyle = 39;
  SelectArea(0);
  Take();
  CSingleLineDialog& line = Line();
  SingleLineAreaInfo& info = Info(*area);
  EXPECT_EQ(std::tuple(line.EndToEndCheck().isChecked(), line.SpeedCombo().currentIndex(),
                       line.EffectCombo().currentIndex(), line.StayEdit().isEnabled()),
            std::tuple(true, 31, 39, true));

  Choose(line.EffectCombo(), 6);
  EXPECT_EQ(info.InStyle, 6);
  EXPECT_TRUE(line.EndToEndCheck().isVisibleTo(&line));
  EXPECT_FALSE(line.StayEdit().isEnabled());
  EXPECT_EQ(renders.size(), 1u);
  line.EndToEndCheck().click();
  EXPECT_EQ(info.IsLeftMove, 0);
  EXPECT_EQ(renders.size(), 2u);
  // Effects 6-9 play without a stay time; every other effect stays.
  for (int effect = 39; effect >= 0; --effect) {
    Choose(line.EffectCombo(), effect);
    EXPECT_EQ(line.EndToEndCheck().isVisibleTo(&line), effect == 6) << effect;
    EXPECT_EQ(line.StayEdit().isEnabled(), effect < 6 || effect > 9) << effect;
  }

  // Stay time: corrected into 1-255, three digits at most; the up arrow raises it.
  TypeStay(u"0"_s);
  EXPECT_EQ(std::pair(line.StayEdit().Edit().text(), info.DelayTime), std::pair(u"1"_s, 1));
  TypeStay(u"256"_s);
  EXPECT_EQ(std::pair(line.StayEdit().Edit().text(), info.DelayTime), std::pair(u"255"_s, 255));
  TypeStay(u"1234"_s);
  EXPECT_EQ(std::pair(line.StayEdit().Edit().text(), info.DelayTime), std::pair(u"123"_s, 123));
  line.StayEdit().UpButton().click();
  EXPECT_EQ(std::pair(line.StayEdit().Edit().text(), info.DelayTime), std::pair(u"124"_s, 124));
  TypeStay(u"255"_s);
  line.StayEdit().UpButton().click();
  EXPECT_EQ(info.DelayTime, 255);
  TypeStay(u"1"_s);
  line.StayEdit().DownButton().click();
  EXPECT_EQ(info.DelayTime, 1);
  for (const int speed : {7, 0}) {
    Choose(line.SpeedCombo(), speed);
    EXPECT_EQ(info.InSpeed, speed);
  }

  // Zoom and offset step, show and render.
  renders.clear();
  line.StepButton(CSingleLineDialog::kZoomUp).click();
  line.StepButton(CSingleLineDialog::kOffsetDown).click();
  EXPECT_EQ(std::pair(info.ZoomValue, info.OffsetValue), std::pair(1, -1));
  EXPECT_EQ(std::pair(line.ZoomStatic().text(), line.OffsetStatic().text()),
            std::pair(u"1"_s, u"-1"_s));
  ASSERT_EQ(renders.size(), 2u);
  EXPECT_EQ(std::pair(renders[1].input.zoom, renders[1].input.offset), std::pair(1, -1));

  // A size of "0" changes nothing; "MS Shell" faces show as Tahoma.
  QTest::keyClicks(&line.TextEdit(), u"ab"_s);
  line.TextEdit().SetSel(0, -1);
  renders.clear();
  line.Formats().SizeCombo().lineEdit()->selectAll();
  QTest::keyClicks(line.Formats().SizeCombo().lineEdit(), u"0"_s);
  EXPECT_TRUE(renders.empty());
  EXPECT_EQ(line.TextEdit().GetSelectionCharFormat().twips, 240);
  RichCharFormat shell;
  shell.face = u"MS Shell Dlg"_s;
  line.TextEdit().SetSelectionCharFormat(shell, kCharFace);
  line.TextEdit().SetSel(0, 1);
  EXPECT_EQ(line.Formats().FaceCombo().currentText(), u"Tahoma");
}

// The page with text in two faces and colours, effect 6, in each language.
TEST_F(SingleLineTest, Screenshots) {
  OpenLine();
  Info(*area).InStyle = 6;
  Info(*area).IsLeftMove = 1;
  Info(*area).BackColor = 0x202020;
  RichText text;
  text.SetText(u"Quendra LED 单行文本"_s);
  text.SetCharFormat(0, 12, {u"DejaVu Sans"_s, 0, 280, true, false, false, 0x00C0FF, false},
                     kCharAll);
  text.SetCharFormat(
      12, -1, {u"WenQuanYi Micro Hei"_s, 134, 280, false, false, true, 0x40FF40, false}, kCharAll);
  Write(Rtf(*area), text.Rtf());
  page->show();
  for (const auto& [language, name] :
       {std::pair(1, u"single_line_page_chinese"_s), std::pair(2, u"single_line_page_english"_s)}) {
    SelectLanguageFile(language);
    ReloadAllTexts();  // every page, the area page too, as a language switch does
    SelectArea(0);
    // Labels and tooltips by their keys.
    for (const auto& [id, section, key] : {std::tuple{1529, "IDD_RTFEDIT_DIALOG", 1001},
                                           {1530, "IDD_IMAGEWORD_DIALOG", 1000},
                                           {1531, "IDD_IMAGEWORD_DIALOG", 1001},
                                           {1532, "IDD_IMAGEWORD_DIALOG", 1002},
                                           {1096, "IDD_IMAGEWORD_DIALOG", 1012}}) {
      EXPECT_EQ(FindControl(&Line(), id)->property("text").toString(),
                ReadLangText(QString::fromLatin1(section), key))
          << id;
    }
    for (const auto& [id, key] : {std::pair{1103, 1005},
                                  {1097, 1006},
                                  {1098, 1007},
                                  {1104, 1008},
                                  {1105, 1009},
                                  {1440, 1014},
                                  {1441, 1015},
                                  {1003, 1016},
                                  {1442, 1017}}) {
      EXPECT_TRUE(
          FindControl(&Line(), id)
              ->toolTip()
              .contains(ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, key).toHtmlEscaped()))
          << id;
    }
    Line().TextEdit().SetSel(12, 14);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(SaveScreenshot(*page, name).isEmpty());
  }
}

}  // namespace
