// The rich-text editor as its openers use it: what opening, typing and the page's
// fields send and save; the character and paragraph formats both ways; files opened,
// saved and saved as; the close paths and failed saves; the typed text in frames.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_edit_ids.h"
#include "controls/support/command_action.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/rich_text_editor/plain_text.h"
#include "editors/rich_text_editor/rtf_edit_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/area_items.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_frame_reader.h"
#include "render/text/code_page.h"
#include "render/text/rtf_render.h"
#include "render/text/text_bounds.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

using testsupport::Message;

const Message kRender{UM_RERENDER_ITEM, 0, 0};
const RichCharFormat kDefault{u"宋体"_s, 134, 240, false, false, false, 0x0000FF, false};

struct Asked {
  QString text;
  int style;
};

class RtfEditTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
    path = AppFilePath(AppFolder::UserData, u"page.rtf");
    CopyBoundedText(item.FileName, u"Page 1");
    item.BackColor = 0x202020;
  }

  void Write(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
  }
  QByteArray Read(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  // The page's file as a document.
  RichText& Saved() {
    saved_ = std::make_unique<RichText>();
    EXPECT_TRUE(saved_->LoadRtfFile(path));
    return *saved_;
  }

  // The editor over the page, its pickers' echoes delivered unless told otherwise.
  CRtfEditDialog& OpenEditor(int width = 64, bool deliver = true) {
    RtfEditHooks hooks{[this](const QString& text, int style) {
                         asked.push_back({text, style});
                         return answer;
                       },
                       [this](const QString& filter) {
                         filters.push_back(filter);
                         return openPath;
                       },
                       [this](const QString& filter) {
                         filters.push_back(filter);
                         return savePath;
                       }};
    dialog = std::make_unique<CRtfEditDialog>(path, width, 32, item, owner.Handle(), nullptr,
                                              std::move(hooks));
    if (deliver) Deliver();
    return *dialog;
  }
  // Runs the posted messages (the pickers' commands).
  void Deliver() { QCoreApplication::sendPostedEvents(); }
  void Command(UINT id) { SendMessage(dialog->Handle(), WM_COMMAND, id, 0); }
  CRichEditEx& Edit() { return dialog->TextEdit(); }
  CharFormatControls& Formats() { return dialog->Formats(); }
  void TypeInto(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
  }

  testsupport::RecordingWindow owner;
  FileItem item{};
  QString path;
  std::unique_ptr<CRtfEditDialog> dialog;
  std::vector<Asked> asked;
  int answer = kIdOk;
  QString openPath;
  QStringList filters;  // of each file chooser, in order
  QString savePath;

 private:
  std::unique_ptr<RichText> saved_;
};

TEST_F(RtfEditTest, OpeningTypingAndThePageFields) {
  Write(path, {});
  item.IsVertical = 1;
  OpenEditor(64, false);
  EXPECT_TRUE(owner.Take().empty());  // opening neither renders
  Deliver();
  EXPECT_EQ(owner.Take(), std::vector<Message>{kRender});  // the background's echo
  EXPECT_TRUE(Read(path).isEmpty());                       // nor saves
  EXPECT_EQ(Edit().palette().color(QPalette::Base), QColor(0x20, 0x20, 0x20));
  EXPECT_EQ(Formats().FaceCombo().currentText(), u"宋体");
  EXPECT_EQ(Formats().SizeCombo().currentText(), u"12");
  EXPECT_EQ(dialog->NameEdit().text(), u"Page 1");
  EXPECT_EQ(Edit().GetRect(), QRect(0, 0, 68, 1000));  // the inner width and the inset
  // Labels and tooltips by their keys.
  const int labels[][2] = {{1322, 1001}, {1326, 1002}, {1325, 1003}};
  for (const auto& [id, key] : labels) {
    EXPECT_EQ(FindControl(dialog.get(), id)->property("text"),
              ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, key));
  }
  const int tips[][2] = {{1157, 1005}, {1158, 1006}, {1159, 1007}, {1177, 1008}, {1178, 1009},
                         {1160, 1010}, {1162, 1011}, {1161, 1012}, {1163, 1013}, {1445, 1014},
                         {1447, 1015}, {1448, 1016}, {1450, 1017}};
  for (const auto& [id, key] : tips) {
    EXPECT_TRUE(FindControl(dialog.get(), id)
                    ->toolTip()
                    .contains(ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, key).toHtmlEscaped()))
        << id;
  }

  QTest::keyClicks(&Edit(), u"x"_s);
  EXPECT_EQ(owner.Take(), std::vector<Message>{kRender});
  EXPECT_EQ(Saved().Text(0, -1), u"x");
  EXPECT_EQ(Saved().CharFormatAt(0), kDefault);

  TypeInto(dialog->NameEdit(), QString(33, u'n'));
  EXPECT_EQ(ReadBoundedText(item.FileName), QString(32, u'n'));
  EXPECT_TRUE(owner.Take().empty());

  item.ZoomValue = -50;
  item.OffsetValue = 0;
  dialog->StepButton(CRtfEditDialog::kZoomDown).click();
  dialog->StepButton(CRtfEditDialog::kOffsetDown).click();
  dialog->StepButton(CRtfEditDialog::kOffsetUp).click();
  dialog->StepButton(CRtfEditDialog::kOffsetUp).click();
  EXPECT_EQ(std::tuple(item.ZoomValue, item.OffsetValue, dialog->ZoomStatic().text(),
                       dialog->OffsetStatic().text()),
            std::tuple(-51, 1, u"-51"_s, u"1"_s));
  EXPECT_EQ(dialog->VerticalButton().GetCheck(), 1);
  dialog->VerticalButton().click();
  EXPECT_EQ(item.IsVertical, 0);
  EXPECT_EQ(owner.Take(), std::vector<Message>(5, kRender));
}

TEST_F(RtfEditTest, FormatsReachTheFileAndTheSelectionShowsThem) {
  Write(path, {});
  OpenEditor();
  Edit().insertPlainText(u"Hello 世界\nsecond"_s);
  Edit().SetSel(0, 5);
  QComboBox& face = Formats().FaceCombo();
  const int dejaVu = face.findText(u"DejaVu Sans"_s);
  ASSERT_GE(dejaVu, 0);
  emit face.activated(dejaVu);
  TypeInto(*Formats().SizeCombo().lineEdit(), u"20"_s);
  Formats().EffectButton(CharFormatControls::kBold).click();
  Formats().EffectButton(CharFormatControls::kUnderline).click();
  Formats().ColorPicker().SetColor(0x00A000);
  Deliver();
  // Paragraph formats reach every paragraph the selection touches, one render each.
  Edit().SetSel(3, 12);
  owner.Take();
  dialog->AlignButton(RichAlign::kCenter).click();
  EXPECT_EQ(owner.Take(), std::vector<Message>{kRender});
  TypeInto(dialog->LineSpacing().Edit(), u"10"_s);

  const RichCharFormat word{u"DejaVu Sans"_s, 134, 400, true, false, true, 0x00A000, false};
  EXPECT_EQ(Saved().CharFormatAt(0), word);
  EXPECT_EQ(Saved().CharFormatAt(5), kDefault);
  const RichParaFormat centred{RichAlign::kCenter, kSpacingTwentieths, 30};
  EXPECT_EQ(Saved().ParaFormatAt(0), centred);
  EXPECT_EQ(Saved().ParaFormatAt(12), centred);

  Edit().SetSel(7, 7);
  Edit().SetSel(0, 5);
  Deliver();  // the echoes of the shown colours change nothing
  EXPECT_EQ(Saved().CharFormatAt(0), word);
  EXPECT_EQ(face.currentText(), u"DejaVu Sans");
  EXPECT_EQ(Formats().SizeCombo().currentText(), u"20");
  EXPECT_EQ(std::tuple(Formats().EffectButton(CharFormatControls::kBold).GetCheck(),
                       Formats().EffectButton(CharFormatControls::kItalic).GetCheck(),
                       Formats().EffectButton(CharFormatControls::kUnderline).GetCheck()),
            std::tuple(1, 0, 1));
  EXPECT_EQ(Formats().ColorPicker().GetColor(), 0x00A000u);
  EXPECT_EQ(std::tuple(dialog->AlignButton(RichAlign::kLeft).GetCheck(),
                       dialog->AlignButton(RichAlign::kCenter).GetCheck(),
                       dialog->AlignButton(RichAlign::kRight).GetCheck()),
            std::tuple(0, 1, 0));
  EXPECT_EQ(dialog->LineSpacing().Edit().text(), u"10");

  // Spacing past its bound is corrected in the edit; sizes only when they are sizes.
  TypeInto(dialog->LineSpacing().Edit(), u"257"_s);
  EXPECT_EQ(dialog->LineSpacing().Edit().text(), u"256");
  EXPECT_EQ(Saved().ParaFormatAt(0).lineSpacing, 276);
  TypeInto(dialog->LineSpacing().Edit(), u"255"_s);
  dialog->LineSpacing().UpButton().click();  // the arrows step within 0-256
  dialog->LineSpacing().UpButton().click();
  EXPECT_EQ(Saved().ParaFormatAt(0).lineSpacing, 276);
  TypeInto(dialog->LineSpacing().Edit(), u"1"_s);
  dialog->LineSpacing().DownButton().click();
  dialog->LineSpacing().DownButton().click();
  EXPECT_EQ(std::pair(dialog->LineSpacing().Edit().text(), Saved().ParaFormatAt(0).lineSpacing),
            std::pair(u"0"_s, 20));
  for (const QString& notASize : {u"0"_s, u"abc"_s}) {
    TypeInto(*Formats().SizeCombo().lineEdit(), notASize);
    EXPECT_EQ(Saved().CharFormatAt(0).twips, 400) << notASize.toStdString();
  }
  TypeInto(*Formats().SizeCombo().lineEdit(), u"12abc"_s);
  EXPECT_EQ(Saved().CharFormatAt(0).twips, 240);
  TypeInto(*Formats().SizeCombo().lineEdit(), u"99999"_s);
  EXPECT_EQ(Saved().CharFormatAt(0).twips, kMaxFontTwips);

  RichCharFormat shell;
  shell.face = u"MS Shell Dlg"_s;
  Edit().SetSelectionCharFormat(shell, kCharFace);
  Edit().SetSel(8, 8);
  Edit().SetSel(0, 5);
  EXPECT_EQ(face.currentText(), u"Tahoma");
  dialog->AlignButton(RichAlign::kRight).click();
  Edit().SetSel(8, 8);
  Edit().SetSel(0, 5);
  EXPECT_EQ(std::pair(dialog->AlignButton(RichAlign::kLeft).GetCheck(),
                      dialog->AlignButton(RichAlign::kRight).GetCheck()),
            std::pair(0, 1));
}

TEST_F(RtfEditTest, EchoesOfShownColoursNeverPaintTheSelection) {
  RichText start;
  start.SetText(u"RG"_s);
  RichCharFormat green = kDefault;
  green.color = 0x00FF00;
  start.SetCharFormat(1, 2, green, kCharColor);
  start.SetParaFormat(0, -1, {RichAlign::kLeft, kSpacingTwentieths, 10});
  Write(path, start.Rtf());
  OpenEditor();
  EXPECT_EQ(dialog->LineSpacing().Edit().text(), u"0");  // closer than single shows 0
  owner.Take();
  // A quick run of selection changes, each showing its colour, the last a mixed one.
  Edit().SetSel(1, 2);
  Edit().SetSel(0, 2);
  Deliver();
  EXPECT_TRUE(owner.Take().empty());
  EXPECT_EQ(Saved().CharFormatAt(1).color, 0x00FF00u);
  // The user's colour then applies.
  Formats().ColorPicker().SetColor(0xFF0000);
  Deliver();
  EXPECT_EQ(Saved().CharFormatAt(0).color, 0xFF0000u);
  EXPECT_EQ(Saved().CharFormatAt(1).color, 0xFF0000u);
}

TEST_F(RtfEditTest, OpenReplacesTheTextAndSaveAsNamesAnRtfFile) {
  Write(path, {});
  const QString text = u"中文 text\n第二行"_s;
  const QString dir = GetAppDir();
  Write(dir + "utf16.txt",
        QByteArray("\xFF\xFE") +
            QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
  Write(dir + "utf8.txt", QString(text).replace(u'\n', u'\r').toUtf8());  // old Mac lines
  Write(dir + "gbk.txt", *EncodeCodePage(text, 936));
  SelectLanguageFile(1);
  OpenEditor();
  for (const char* name : {"utf16.txt", "utf8.txt", "gbk.txt"}) {
    Edit().clear();
    openPath = dir + name;
    Command(ID_RTF_TOOL_OPEN);
    EXPECT_EQ(Edit().Content().Text(0, -1), u"中文 text\r第二行") << name;
  }
  EXPECT_EQ(Saved().Text(0, -1), u"中文 text\r第二行");  // opened text is saved

  RichText other;
  other.SetText(u"Replaced"_s);
  Write(dir + "other.rtf", other.Rtf());
  openPath = dir + "other.rtf";
  Command(ID_RTF_MENU_OPEN);
  EXPECT_EQ(Edit().Content().Text(0, -1), u"Replaced");
  Write(dir + "letter.doc", "plain words");
  for (const QString& unopened : {dir + "letter.doc", dir + "missing.rtf", dir + "missing.txt"}) {
    openPath = unopened;
    Command(ID_RTF_TOOL_OPEN);
    EXPECT_EQ(Edit().Content().Text(0, -1), u"Replaced");
  }

  // Save as from the toolbar and from the menu bar.
  savePath = dir + "x";
  dialog->ToolBar().ButtonAction(dialog->ToolBar().CommandToIndex(ID_RTF_TOOL_SAVE_AS))->trigger();
  savePath = dir + "y.RTF";
  for (QAction* menu : dialog->MenuBar().actions()) {
    for (QAction* action : menu->menu()->actions()) {
      if (CommandIdOf(action) == ID_RTF_MENU_SAVE_AS) action->trigger();
    }
  }
  EXPECT_EQ(Read(dir + "x.rtf"), other.Rtf());
  const auto name = [](int key) { return ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, key); };
  const QString rtf = name(1030) + u"(*.rtf) (*.rtf *.RTF)"_s;
  EXPECT_EQ(filters.mid(filters.size() - 3),
            (QStringList{name(1029) + u"(*.rtf;*.txt) (*.txt *.rtf *.TXT *.RTF);;"_s + rtf +
                             u";;"_s + name(1031) + u"(*.txt) (*.txt *.TXT)"_s,
                         rtf, rtf}));
  EXPECT_EQ(Read(dir + "y.RTF"), other.Rtf());  // an extension in any case is kept
  EXPECT_FALSE(QFile::exists(dir + "y.RTF.rtf"));

  // A text longer than a page keeps is cut there, and the user is told.
  Write(dir + "long.txt", QByteArray(kMaxRichTextUnits + 10, 'z'));
  openPath = dir + "long.txt";
  Command(ID_RTF_TOOL_OPEN);
  EXPECT_EQ(Edit().Content().Text(0, -1).count(u'z'), kMaxRichTextUnits);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back().text, ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, 1032));
}

TEST(PlainTextTest, MarksAndCodePages) {
  EXPECT_EQ(DecodePlainText("\xFF\xFE", 2), u"\u00FF\u00FE");  // two bytes are no mark
  EXPECT_EQ(DecodePlainText(QByteArrayView("\xFF\xFE"
                                           "A",
                                           4),
                            2),
            u"A"_s);
  EXPECT_EQ(DecodePlainText("\xEF\xBB\xBF\xC3\xA9", 2), u"é");
  EXPECT_EQ(DecodePlainText("caf\xE9", 2), u"café");      // not UTF-8: 1252
  EXPECT_EQ(DecodePlainText("\xCF\xF0\xE8", 4), u"При");  // 1251
  // By language: automatic, simplified Chinese, English, traditional Chinese, Russian,
  // Turkish, Persian; a number outside the list reads as Western.
  const int codePages[] = {1252, 1252, 936, 1252, 950, 1251, 1254, 1256, 1252};
  for (int language = -1; language <= 7; ++language) {
    EXPECT_EQ(LegacyCodePage(language), codePages[language + 1]) << language;
  }
}

TEST_F(RtfEditTest, EveryClosePathSaves) {
  RichText start;
  start.SetText(u"Hi"_s);
  Write(path, start.Rtf());
  const std::function<void(CRtfEditDialog&)> closes[] = {
      [](CRtfEditDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
      [](CRtfEditDialog& d) { d.close(); },
      [](CRtfEditDialog& d) { SendMessage(d.Handle(), WM_COMMAND, ID_RTF_MENU_EXIT, 0); }};
  for (const auto& close : closes) {
    OpenEditor().show();
    Command(ID_RTF_MENU_UNDO);  // nothing to undo after the load
    EXPECT_EQ(Edit().Content().Text(0, -1), u"Hi");
    QFile::remove(path);
    close(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Saved().Text(0, -1), u"Hi");
  }
  EXPECT_TRUE(asked.empty());
}

TEST_F(RtfEditTest, FailedSavesAreShownOnceAndClosingAsks) {
  Write(path, {});
  OpenEditor().show();
  // The folder becomes a file: no save can succeed, whoever runs the test.
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::UserData)).removeRecursively());
  Write(GetAppDir() + "UserData", "not a folder");
  QTest::keyClicks(&Edit(), u"abc"_s);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, 1027));
  EXPECT_EQ(asked[0].style, 0x10);
  answer = kIdCancel;
  dialog->close();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].text, ReadLangText(u"IDD_RTFEDIT_DIALOG"_s, 1028));
  EXPECT_EQ(asked[1].style, 0x41);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(Edit().Content().Text(0, -1), u"abc");
  answer = kIdOk;
  QTest::keyClick(dialog.get(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(RtfEditTest, EditMenuOnRightButtonRelease) {
  Write(path, {});
  OpenEditor().show();
  QTest::keyClicks(&Edit(), u"Hello"_s);
  Edit().SetSel(1, 3);
  QStringList shown;
  QTimer::singleShot(0, [&shown] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      for (const QAction* action : popup->actions()) shown.push_back(action->text());
      popup->close();
    }
  });
  QWidget* viewport = Edit().viewport();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                      viewport->mapToGlobal(QPointF(5, 5)), Qt::RightButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(viewport, &release);
  EXPECT_EQ(shown, (QStringList{u"Undo"_s, QString(), u"Cut"_s, u"Copy"_s, u"Paste"_s, u"Delete"_s,
                                QString(), u"Select all"_s}));
  Command(ID_RTF_MENU_DELETE);
  EXPECT_EQ(Edit().Content().Text(0, -1), u"Hlo");
  Command(ID_RTF_TOOL_UNDO);
  EXPECT_EQ(Edit().Content().Text(0, -1), u"Hello");
}

TEST_F(RtfEditTest, TypedLinesReachTheFrames) {
  Write(path, {});
  OpenEditor(64);
  QTest::keyClicks(&Edit(), u"AB"_s);
  QTest::keyClick(&Edit(), Qt::Key_Return);
  QTest::keyClicks(&Edit(), u"CD"_s);

  RichText renderText;
  RenderRichEdit = &renderText;
  RtfRenderInput input;
  input.width = 64;
  input.height = 48;
  const QString pak = AppFilePath(AppFolder::Temp, u"page.pak");
  ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
  EXPECT_EQ(RenderRtfPagesToPak(path, pak, input), 1);
  RenderRichEdit = nullptr;
  PakFrameReader reader;
  ASSERT_TRUE(reader.Open(pak));
  ASSERT_EQ(reader.ReadHeader(), PakCheck::Ok);
  ASSERT_TRUE(reader.ReadNextFrame());
  int bands = 0;
  bool inked = false;
  for (int y = 0; y < input.height; ++y) {
    bool row = false;
    for (int x = 0; x < input.width && !row; ++x) row = reader.Frame().Pixel(x, y) != 0;
    if (row && !inked) ++bands;
    inked = row;
  }
  EXPECT_EQ(bands, 2);
}

// The editor holding formatted Chinese and Latin text, in each language.
TEST_F(RtfEditTest, Screenshots) {
  RichText text;
  text.SetText(u"Quendra LED\r文本编辑 示例"_s);
  const RichCharFormat latin{u"DejaVu Sans"_s, 0, 360, true, false, false, 0x00C0FF, false};
  const RichCharFormat chinese{
      u"WenQuanYi Micro Hei"_s, 134, 320, false, false, true, 0x40FF40, false};
  text.SetCharFormat(0, 12, latin, kCharAll);
  text.SetCharFormat(12, -1, chinese, kCharAll);
  text.SetParaFormat(12, -1, {RichAlign::kCenter, kSpacingTwentieths, 30});
  Write(path, text.Rtf());
  for (const auto& [language, name] :
       {std::pair(1, u"rtf_edit_dialog_chinese"_s), std::pair(2, u"rtf_edit_dialog_english"_s)}) {
    SelectLanguageFile(language);
    OpenEditor(300).show();
    Edit().SetSel(0, 7);
    Deliver();
    EXPECT_FALSE(SaveScreenshot(*dialog, name).isEmpty());
  }
  const std::string cut = CutTextsInTranslations(
      *dialog, [this] { dialog->ApplyLanguage(); }, u"rtf_edit_dialog"_s);
  EXPECT_EQ(cut, "");
}

}  // namespace
