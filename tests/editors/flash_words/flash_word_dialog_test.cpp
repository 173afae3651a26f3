#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

#include "controls/bars/my_tool_bar.h"
#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "editors/flash_words/flash_word_dialog.h"
#include "editors/flash_words/flash_word_edit_dialog.h"
#include "model/common/app_paths.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

using editortest::Message;
using editortest::RecordingWindow;

class FlashWordsTest : public editortest::PageTest {
 protected:
  // A flash-words area with count items "A", "B", ... selected on the project page.
  void OpenFlash(int count) {
    Open(64, 32, 0);
    area->AreaType = kFlashWordArea;
    area->Kind = MakeKindRecord(kFlashWordArea);
    for (int i = 0; i < count; ++i) {
      FlashWordItem item{};
      item.FileName = QString(QChar(u'A' + i));
      CopyBoundedText(item.guid, QStringLiteral("0000000%1-0000-0000-0000-000000000000").arg(i));
      CopyBoundedText(item.FontProp_FontName, u"宋体");
      item.FontProp_FontSize = 12;
      item.FontProp_FontColor = 255;
      Items().push_back(item);
    }
    page->BuildTreeFromModel();
    Select(AreaItem());
    Flash().SetEditorRunner([this](CFlashWordEditDialog& editor) {
      ++editorRuns;
      if (onEditor) onEditor(editor);
    });
    canvas.Take();
  }
  std::vector<FlashWordItem>& Items() { return std::get<std::vector<FlashWordItem>>(area->Kind); }
  CFlashWordDialog& Flash() { return PageAt<CFlashWordDialog>(PageSlot::FlashWords); }
  void Command(UINT id) { SendMessage(Flash().Handle(), WM_COMMAND, id, 0); }
  void ClearMarks() {
    for (FlashWordItem& item : Items()) item.IsChanged = 0;
    canvas.Take();
  }
  static Message Show(LPARAM row) { return {UM_CANVAS_COMMAND, 2, row}; }

  int editorRuns = 0;
  std::function<void(CFlashWordEditDialog&)> onEditor;
};

TEST_F(FlashWordsTest, AddNamesTheItemAndOpensTheEditor) {
  // A translator's format with a stray directive shows it as written.
  const QString file = GetAppDir() + QStringLiteral("language/english.ini");
  QFile ini(file);
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(ini.readAll());
  ini.close();
  text.replace(QStringLiteral("1008=Flash words %d"), QStringLiteral("1008=%s%n"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_GT(ini.write(text.toUtf8()), 0);
  ini.close();

  OpenFlash(0);
  QString nameInEditor;
  onEditor = [&](CFlashWordEditDialog& editor) {
    nameInEditor = editor.NameEdit().text();
    editor.NameEdit().setText(QStringLiteral("Hello"));
    emit editor.NameEdit().textEdited(QStringLiteral("Hello"));
  };
  Command(ID_FLASH_WORDS_ADD);
  ASSERT_EQ(Items().size(), 1u);
  EXPECT_EQ(editorRuns, 1);
  EXPECT_EQ(nameInEditor, QStringLiteral("1%n"));
  const FlashWordItem& item = Items()[0];
  EXPECT_EQ(item.ShowStr, QStringLiteral("1%n"));
  EXPECT_EQ(ReadBoundedText(item.FontProp_FontName), QStringLiteral("宋体"));
  EXPECT_EQ(item.FontProp_FontSize, 12);
  EXPECT_EQ(item.FontProp_FontColor, 255u);
  EXPECT_EQ(item.IsChanged, 1);
  EXPECT_FALSE(PakFramePath(ReadBoundedText(item.guid)).isEmpty());
  EXPECT_EQ(Flash().List().item(0)->text(), QStringLiteral("Hello"));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(0)});

  // Only the two Chinese settings give the toolbar buttons their texts.
  const UINT tools[] = {ID_FLASH_WORDS_ADD, ID_FLASH_WORDS_EDIT, ID_FLASH_WORDS_DELETE,
                        ID_FLASH_WORDS_CLEAR, ID_FLASH_WORDS_APPLY_TO_ALL};
  const QStringList texts = {u"Add"_s, u"Edit"_s, u"Delete"_s, u"Clear"_s, u"Apply to all"_s};
  for (int language = 0; language <= 6; ++language) {
    Flash().ApplyLanguage(language);
    EXPECT_EQ(std::pair(Flash().UpButton().toolTip(), Flash().DownButton().toolTip()),
              std::pair(u"Move up"_s, u"Move down"_s));
    QStringList shown;
    for (UINT tool : tools) {
      shown << Flash().ToolBar().ButtonAction(Flash().ToolBar().CommandToIndex(tool))->text();
    }
    EXPECT_EQ(shown, language == 1 || language == 3 ? texts : QStringList(5, QString()))
        << language;
  }
  QStringList sizes;
  for (int i = 0; i < Flash().SizeCombo().count(); ++i) sizes << Flash().SizeCombo().itemText(i);
  EXPECT_EQ(sizes.join(u' '), u"8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72 100");
}

TEST_F(FlashWordsTest, DeleteOrderAndApplyToAll) {
  OpenFlash(1);
  const QString pak = PakFramePath(ReadBoundedText(Items()[0].guid));
  ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
  QFile frames(pak);
  ASSERT_TRUE(frames.open(QIODevice::WriteOnly));
  frames.close();
  Command(ID_FLASH_WORDS_DELETE);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Flash().List().count(), 0);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_FALSE(QFile::exists(pak));
  SendMessage(Flash().Handle(), UM_RERENDER_ITEM, 0, 0);  // no row: the canvas is not told
  Flash().StyleButton(CFlashWordDialog::kBold).click();   // nor by a style with no item
  EXPECT_TRUE(canvas.Take().empty());

  page.reset();  // a fresh page over three items
  ClearProjectModel();
  OpenFlash(3);
  Flash().UpButton().click();  // on the first row: nothing
  Flash().List().setCurrentRow(2);
  Flash().DownButton().click();  // on the last row: nothing
  EXPECT_EQ(Items()[0].FileName, QStringLiteral("A"));
  EXPECT_EQ(Items()[2].FileName, QStringLiteral("C"));
  Flash().UpButton().click();
  EXPECT_EQ(Items()[1].FileName, QStringLiteral("C"));
  EXPECT_EQ(Flash().List().currentRow(), 1);
  EXPECT_EQ(Flash().List().item(1)->text(), QStringLiteral("C"));

  // Every field of the style block, the distance, effect and speed pass; names stay.
  ClearMarks();
  FlashWordItem& source = Items()[1];
  CopyBoundedText(source.FontProp_FontName, u"Serif");
  source.FontProp_FontSize = 30;
  source.FontProp_FontColor = 0xABCDEF;
  source.FontProp_FontBold = source.FontProp_FontItalic = source.FontProp_FontUnderLined = 1;
  source.FontDistance = 4;
  source.PlayStyle = 21;
  source.Speed = 31;
  const auto copied = [](const FlashWordItem& item) {
    return std::tuple(ReadBoundedText(item.FontProp_FontName), item.FontProp_FontSize,
                      item.FontProp_FontColor, item.FontProp_FontBold, item.FontProp_FontItalic,
                      item.FontProp_FontUnderLined, item.FontDistance, item.PlayStyle, item.Speed);
  };
  Command(ID_FLASH_WORDS_APPLY_TO_ALL);
  for (const auto& [row, name] : {std::pair{0, 'A'}, {2, 'B'}}) {
    const FlashWordItem& item = Items()[static_cast<std::size_t>(row)];
    EXPECT_EQ(copied(item), copied(source)) << row;
    EXPECT_EQ(std::pair(item.FileName, item.IsChanged), std::pair(QString(QChar(name)), 1)) << row;
    EXPECT_NE(ReadBoundedText(item.guid), ReadBoundedText(source.guid)) << row;
  }
  EXPECT_EQ(source.IsChanged, 0);
  EXPECT_TRUE(canvas.Take().empty());
  Flash().List().setCurrentRow(2);
  canvas.Take();
  Command(ID_FLASH_WORDS_DELETE);  // the last: the one before it is loaded
  EXPECT_EQ(Flash().List().currentRow(), 1);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(1)}));
}

TEST_F(FlashWordsTest, ClearAsksAndCancelKeepsEveryItem) {
  OpenFlash(2);
  const QString pak = PakFramePath(ReadBoundedText(Items()[1].guid));
  ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
  ASSERT_TRUE(QFile(pak).open(QIODevice::WriteOnly));
  int answer = kIdcMessageCancel;
  QImage asked;  // the question's picture
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget())) {
      asked = box->Background();
      qobject_cast<QPushButton*>(FindControl(box, answer))->click();
    }
  });
  closer.start(5);
  Command(ID_FLASH_WORDS_CLEAR);
  EXPECT_EQ(asked, CStyleMessageDialog(u"Clear all flash words?"_s, 0x31).Background());
  EXPECT_EQ(std::pair(Items().size(), Flash().List().count()), std::pair(std::size_t(2), 2));
  EXPECT_TRUE(canvas.Take().empty() && QFile::exists(pak));
  answer = kIdcMessageOk;
  Command(ID_FLASH_WORDS_CLEAR);
  EXPECT_EQ(std::pair(Items().size(), Flash().List().count()), std::pair(std::size_t(0), 0));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_FALSE(QFile::exists(pak));
}

TEST_F(FlashWordsTest, ChangesMarkTheItemWhenTheyAlterItsPicture) {
  OpenFlash(2);
  CFlashWordDialog& flash = Flash();
  FlashWordItem& item = Items()[0];
  ClearMarks();
  emit flash.SpeedCombo().activated(7);
  EXPECT_EQ(item.Speed, 7);
  EXPECT_EQ(item.IsChanged, 0);

  // Face, size, colour and effect mark only a change.
  emit flash.FaceCombo().textActivated(QStringLiteral("宋体"));
  emit flash.SizeCombo().textActivated(QStringLiteral("12"));
  flash.ColorPicker().SetColor(255);
  QCoreApplication::processEvents();
  ASSERT_EQ(flash.EffectCombo().count(), CFlashWordDialog::kPageEffectCount);
  EXPECT_EQ(flash.EffectCombo().itemText(21),
            ReadLangText(QStringLiteral("IDD_FLASHWORDEDIT_DIALOG"), 2021));
  emit flash.EffectCombo().activated(0);
  EXPECT_EQ(item.IsChanged, 0);
  EXPECT_TRUE(canvas.Take().empty());
  emit flash.EffectCombo().activated(3);
  EXPECT_EQ(item.PlayStyle, 3);
  EXPECT_EQ(item.IsChanged, 1);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(0)});

  for (const auto& [typed, size] : {std::pair{"0", 9}, {"abc", 9}, {"20x", 20}}) {
    emit flash.SizeCombo().lineEdit()->textEdited(QString::fromLatin1(typed));
    EXPECT_EQ(item.FontProp_FontSize, size) << typed;
  }
  ClearMarks();
  flash.ColorPicker().SetColor(0x00FF00);
  QCoreApplication::processEvents();
  EXPECT_EQ(item.FontProp_FontColor, 0x00FF00u);
  EXPECT_EQ(item.IsChanged, 1);

  // Bold, italic and underline mark every click, setting or clearing.
  for (auto style :
       {CFlashWordDialog::kBold, CFlashWordDialog::kItalic, CFlashWordDialog::kUnderline}) {
    for (int expected : {1, 0}) {
      ClearMarks();
      flash.StyleButton(style).click();
      EXPECT_EQ(item.IsChanged, 1);
      const std::int32_t flags[] = {item.FontProp_FontBold, item.FontProp_FontItalic,
                                    item.FontProp_FontUnderLined};
      EXPECT_EQ(flags[style], expected);
    }
  }

  // The first play style shows as loaded;
  Items()[1].PlayStyle = 0;
  flash.List().setCurrentRow(1);
  EXPECT_EQ(flash.EffectCombo().currentIndex(), 0);
  flash.List().setCurrentRow(0);
  // loading marks nothing; a play style past the page's list shows none.
  Items()[1].PlayStyle = 22;
  Items()[1].FontProp_FontSize = 28;
  ClearMarks();
  flash.List().setCurrentRow(1);
  EXPECT_EQ(std::pair(flash.EffectCombo().currentIndex(), flash.SizeCombo().currentText()),
            std::pair(-1, u"28"_s));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(1)});
  EXPECT_EQ(Items()[1].IsChanged, 0);
  EXPECT_EQ(item.IsChanged, 0);
}

TEST_F(FlashWordsTest, EditorWritesAtOnceAndCancelKeepsIt) {
  OpenFlash(1);
  FlashWordItem& item = Items()[0];
  item.FontProp_FontUnderLined = item.FontProp_FontItalic = 1;
  ClearMarks();
  item.Speed = 31;  // the last of each list shows
  item.PlayStyle = 73;
  RecordingWindow owner;
  CFlashWordEditDialog editor(owner.Handle(), item, nullptr);
  EXPECT_EQ(std::tuple(editor.SpeedCombo().currentIndex(), editor.EffectCombo().currentIndex(),
                       editor.BoldButton().GetCheck(), editor.ItalicButton().GetCheck()),
            std::tuple(31, 73, 0, 1));
  for (int label = 0; label < 4; ++label) {
    EXPECT_EQ(FindControl(&editor, 1495 + label)->property("text"),
              ReadLangText(u"IDD_FLASHWORDEDIT_DIALOG"_s, 1000 + label));
  }
  const auto text = [](int key) { return ReadLangText(u"IDD_FLASHWORDEDIT_DIALOG"_s, key); };
  const auto plain = [](const QWidget& control) {  // the tip's text without its markup
    return QTextDocumentFragment::fromHtml(control.toolTip()).toPlainText();
  };
  EXPECT_EQ(std::tuple(plain(editor.BoldButton()), plain(editor.ItalicButton()),
                       plain(editor.ColorPicker()), editor.windowTitle()),
            std::tuple(text(1004), text(1005), text(1006), text(1007)));
  // The style buttons' letters show their own style.
  EXPECT_EQ(std::tuple(editor.BoldButton().font().bold(), editor.BoldButton().font().italic(),
                       editor.ItalicButton().font().bold(), editor.ItalicButton().font().italic()),
            std::tuple(true, false, false, true));
  editor.show();
  QTest::keyClicks(&editor.NameEdit(), QStringLiteral("xy"));
  EXPECT_EQ(item.FileName, QStringLiteral("Axy"));
  EXPECT_TRUE(owner.Take().empty());
  EXPECT_EQ(item.IsChanged, 0);
  // A size marks and renders a change only: 0 stands for 9.
  for (const auto& [typed, size, renders] : {std::tuple{"12", 12, 0}, {"0", 9, 1}, {"20", 20, 1}}) {
    item.IsChanged = 0;
    emit editor.SizeCombo().lineEdit()->textEdited(QString::fromLatin1(typed));
    EXPECT_EQ(std::pair(item.FontProp_FontSize, item.IsChanged), std::pair(size, renders)) << typed;
    EXPECT_EQ(owner.Take().size(), std::size_t(renders)) << typed;
  }
  item.IsChanged = 0;
  emit editor.FaceCombo().textActivated(u"DejaVu Sans"_s);  // a new face marks and renders
  EXPECT_EQ(std::pair(item.IsChanged, owner.Take().size()), std::pair(1, std::size_t{1}));
  item.IsChanged = 0;

  editor.TextEdit().setFocus();
  QTest::keyClicks(&editor.TextEdit(), QStringLiteral("Hi"));
  EXPECT_EQ(item.ShowStr, QStringLiteral("Hi"));
  EXPECT_EQ(item.IsChanged, 1);
  EXPECT_EQ(owner.Take(),
            (std::vector<Message>{{UM_RERENDER_ITEM, 0, 0}, {UM_RERENDER_ITEM, 0, 0}}));

  // 74 effects, keys 2000-2073.
  ASSERT_EQ(editor.EffectCombo().count(), 74);
  EXPECT_EQ(editor.EffectCombo().itemText(73),
            ReadLangText(QStringLiteral("IDD_FLASHWORDEDIT_DIALOG"), 2073));
  for (int style = 0; style < 74; ++style) {
    emit editor.EffectCombo().activated(style);
    EXPECT_EQ(item.PlayStyle, style);
  }
  editor.BoldButton().click();
  EXPECT_EQ(item.FontProp_FontBold, 1);
  emit editor.SpeedCombo().activated(31);
  owner.Take();
  emit editor.SpeedCombo().activated(4);
  EXPECT_TRUE(owner.Take().empty());
  editor.reject();
  EXPECT_EQ(item.Speed, 4);
  EXPECT_EQ(item.ShowStr, QStringLiteral("Hi"));
  EXPECT_EQ(item.FontProp_FontUnderLined, 1);
}

TEST_F(FlashWordsTest, Screenshots) {
  // Chinese, English and the three longer translations, whose texts must fit.
  const char* const tags[] = {"", "zh", "en", "", "ru", "tr", "fa"};
  for (int language : {1, 2, 4, 5, 6}) {
    SelectLanguageFile(language);
    OpenFlash(3);
    Flash().ApplyLanguage(language);
    Flash().resize(518, 215);
    Flash().show();
    const QString tag = QString::fromLatin1(tags[language]);
    EXPECT_FALSE(SaveScreenshot(Flash(), QStringLiteral("flash_words_page_") + tag).isEmpty());
    CFlashWordEditDialog editor(Flash().Handle(), Items()[0], nullptr);
    editor.show();
    EXPECT_FALSE(SaveScreenshot(editor, QStringLiteral("flash_word_editor_") + tag).isEmpty());
    EXPECT_EQ((CutTexts(Flash()) + CutTexts(editor)).join(u'|').toStdString(), "")
        << tags[language];
    page.reset();
    ClearProjectModel();
  }
}

}  // namespace
