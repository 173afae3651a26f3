#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "controls/bars/my_tool_bar.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/table_editor_opener.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/image_text/image_text_art.h"
#include "editors/image_text/image_word_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/guid_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "render/frame/pak_reader.h"
#include "render/table/table_file.h"
#include "render/text/rtf_reader.h"
#include "render/text/rtf_render.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

using editortest::Message;

PakFileHeader Header(const FileItem& page) {
  PakFrameReader reader;
  if (!reader.Open(PakFramePath(ReadBoundedText(page.guid))) ||
      reader.ReadHeader() != PakCheck::Ok) {
    return {};
  }
  return reader.Header();
}

QString FileOf(const FileItem& page, const char* extension) {
  return AppFilePath(AppFolder::UserData,
                     QString(ReadBoundedText(page.guid) + QString::fromLatin1(extension)));
}

// The row heights and column widths of the page's table file.
using Sizes = std::pair<std::vector<std::int32_t>, std::vector<std::int32_t>>;
Sizes TableSizes(const FileItem& page) {
  TableFile table;
  if (ReadTableFile(FileOf(page, ".kqg"), &table) != TableRead::Ok) return {};
  return {table.rowHeights, table.colWidths};
}

class ImageTextTest : public editortest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    RenderRichEdit = &richText_;
    // The clear question is answered by answer_ (OK or Cancel).
    QObject::connect(&closer_, &QTimer::timeout, [this] {
      auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget());
      if (!box) return;
      ++questions;
      asked = box->Background();
      const int button = answer_ == kIdOk ? kIdcMessageOk : kIdcMessageCancel;
      qobject_cast<QPushButton*>(FindControl(box, button))->click();
    });
    closer_.start(5);
  }
  void TearDown() override {
    closer_.stop();
    RenderRichEdit = nullptr;
    PageTest::TearDown();
  }

  // An image-text area of width x height (border of the program 0) selected on the
  // project page, with the given pages added through the page's commands.
  void OpenPages(std::initializer_list<UINT> adds, QRect rect = QRect(4, 4, 64, 32)) {
    Open(128, 64, 0, rect);
    area->AreaType = kImageTextArea;
    area->Kind = MakeKindRecord(kImageTextArea);
    page->BuildTreeFromModel();
    Select(AreaItem());
    Text().SetRtfEditorRunner([this](const RtfEditRequest& request) {
      requests.push_back(request);
      if (onEditor) onEditor(request);
    });
    for (UINT add : adds) Command(add);
    canvas.Take();
  }
  std::vector<FileItem>& Pages() { return std::get<std::vector<FileItem>>(area->Kind); }
  CImageWordDialog& Text() { return PageAt<CImageWordDialog>(PageSlot::ImageText); }
  void Command(UINT id) { SendMessage(Text().Handle(), WM_COMMAND, id, 0); }
  void TypeStay(const QString& text) {
    Text().StayTime().Edit().setText(text);
    emit Text().StayTime().Edit().textEdited(text);
  }
  static Message Show(LPARAM row) { return {UM_CANVAS_COMMAND, 2, row}; }
  // Marks every page's count, so that a render shows as a changed count.
  void MarkCounts() {
    for (FileItem& item : Pages()) item.PageCount = -1;
    canvas.Take();
  }

  std::vector<RtfEditRequest> requests;
  std::function<void(const RtfEditRequest&)> onEditor;
  int questions = 0;
  QImage asked;  // the last question's picture
  int answer_ = kIdCancel;

 private:
  RichText richText_;
  QTimer closer_;
};

TEST_F(ImageTextTest, NewPagesTakeTheirKindsDefaultsAndFiles) {
  OpenPages({});
  // The window hidden and shown again, as around the preview's play: the page keeps
  // its area.
  page->show();
  page->hide();
  page->show();
  for (UINT add : {ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_DOCUMENT,
                   ID_IMAGE_TEXT_ADD_CAPTION, ID_IMAGE_TEXT_ADD_TEXT, ID_IMAGE_TEXT_ADD_TABLE})
    Command(add);
  ASSERT_EQ(Pages().size(), 5u);
  // Every kind's name, kind, file type, effect, speed, stay, end to end, line colour
  // and list icon.
  using Defaults = std::tuple<QString, int, int, int, int, int, int, ColorRef, int>;
  const Defaults kinds[] = {{u"Document1"_s, 1, 6, 0, 3, 3, 0, 0, 0},
                            {u"Document2"_s, 1, 6, 0, 3, 3, 0, 0, 0},
                            {u"Caption3"_s, 2, 6, 6, 3, 1, 1, 0, 2},
                            {u"Text4"_s, 4, 6, 0, 0, 3, 0, 0, 1},
                            {u"Table5"_s, 3, 0, 0, 3, 3, 0, 255, 3}};
  for (int row = 0; row < 10; ++row) {  // as added, then as loaded again
    if (row == 5) SendMessage(Text().Handle(), UM_LOAD_SELECTION, 0, 0);
    const FileItem& item = Pages()[static_cast<std::size_t>(row % 5)];
    EXPECT_EQ(Defaults(ReadBoundedText(item.FileName), item.AddType, item.FileType, item.InStyle,
                       item.InSpeed, item.DelayTime, item.IsLeftMove, item.LineColor,
                       Text().List().GetItemRecord(row % 5)->image),
              kinds[row % 5])
        << row;
    EXPECT_EQ(item.BackColor, 0u) << row;
  }
  const FileItem& caption = Pages()[2];
  const FileItem& table = Pages()[4];
  EXPECT_TRUE(IsGuidText(ReadBoundedText(table.guid)));

  // The rich-text editor opened on each rich-text page at the inner size; the table
  // page has no editor yet.
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[2].rtfPath, FileOf(caption, ".rtf"));
  EXPECT_EQ(std::tuple(requests[2].width, requests[2].height), std::tuple(64, 32));
  EXPECT_EQ(requests[2].owner, Text().Handle());

  // The new rich text is the page name in red "宋体" 12 points.
  QFile rtf(FileOf(caption, ".rtf"));
  ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
  const RichParagraphs paragraphs = ReadRtf(rtf.readAll());
  ASSERT_EQ(paragraphs.size(), 1u);
  ASSERT_EQ(paragraphs[0].runs.size(), 1u);
  const RichCharFormat& format = paragraphs[0].runs[0].format;
  EXPECT_EQ(paragraphs[0].runs[0].text, QStringLiteral("Caption3"));
  EXPECT_EQ(std::tuple(format.face, format.twips, format.color, format.autoColor),
            std::tuple(QStringLiteral("宋体"), 240, 255u, false));

  EXPECT_EQ(TableSizes(table), (Sizes{{16, 16}, {32, 32}}));
  EXPECT_EQ(Header(table).FrameCount, 1);  // the selection rendered it

  // End to end shows only for a caption page with effect 6; a text page has neither
  // effect nor speed.
  CImageWordDialog& text = Text();
  EXPECT_EQ(text.EndToEndCheck().text(),
            ReadLangText(QStringLiteral("IDD_IMAGEWORD_DIALOG"), 1012));
  for (int row : {0, 1, 2, 3, 4}) {
    text.List().setCurrentRow(row);
    EXPECT_EQ(text.EndToEndCheck().isVisibleTo(&text), row == 2) << row;
    EXPECT_EQ(text.EffectCombo().isEnabled(), row != 3) << row;
    EXPECT_EQ(text.SpeedCombo().isEnabled(), row != 3) << row;
  }
  // Effects 6-9 move the page and have no stay time; every other effect stays.
  text.List().setCurrentRow(2);
  for (int effect = 39; effect >= 0; --effect) {
    emit text.EffectCombo().activated(effect);
    EXPECT_EQ(text.EndToEndCheck().isVisibleTo(&text), effect == 6) << effect;
    EXPECT_EQ(text.StayTime().isEnabled(), effect < 6 || effect > 9) << effect;
  }
}

TEST_F(ImageTextTest, StayTimeIsClampedToOneTo255) {
  OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_DOCUMENT});
  Pages()[0].InSpeed = 31;  // the last of each list shows
  Pages()[0].InStyle = 39;
  Text().List().setCurrentRow(0);  // the second page was selected
  EXPECT_EQ(std::pair(Text().SpeedCombo().currentIndex(), Text().EffectCombo().currentIndex()),
            std::pair(31, 39));
  FileItem& item = Pages()[0];
  for (const auto& [typed, stored, shown] : {std::tuple{"0", 1, "1"},
                                             {"255", 255, "255"},
                                             {"1", 1, "1"},
                                             {"256", 255, "255"},
                                             {"", 255, ""}}) {
    TypeStay(QString::fromLatin1(typed));
    EXPECT_EQ(item.DelayTime, stored) << typed;
    EXPECT_EQ(Text().StayTime().Edit().text(), QString::fromLatin1(shown)) << typed;
  }
  TypeStay(QStringLiteral("254"));
  Text().StayTime().UpButton().click();
  Text().StayTime().UpButton().click();
  EXPECT_EQ(item.DelayTime, 255);
  EXPECT_EQ(Text().StayTime().Edit().text(), QStringLiteral("255"));
  TypeStay(QStringLiteral("1"));
  Text().StayTime().DownButton().click();
  EXPECT_EQ(item.DelayTime, 1);
}

TEST_F(ImageTextTest, RendersWhenStaleOrChangedBetweenCanvasMessages) {
  OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_CAPTION, ID_IMAGE_TEXT_ADD_TEXT,
             ID_IMAGE_TEXT_ADD_TABLE});
  // Each message to the canvas sees the frame file as it is then: -2 arrives before
  // it is rewritten.
  std::vector<PakFileHeader> seen;

  // Current files render nothing.
  MarkCounts();
  Text().List().setCurrentRow(0);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(0)}));
  EXPECT_EQ(Pages()[0].PageCount, -1);

  // The effect always renders; moving up takes the height as the last extent.
  seen.clear();
  canvas.onMessage = [&](const Message&) { seen.push_back(Header(Pages()[0])); };
  emit Text().EffectCombo().activated(8);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(0)}));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].LastExtent, 64);
  EXPECT_EQ(seen[1].LastExtent, 32);
  EXPECT_EQ(Pages()[0].PageCount, Header(Pages()[0]).FrameCount);
  canvas.onMessage = nullptr;

  // A continuous caption page keeps its strip width; the speed renders only a stale
  // file.
  Text().List().setCurrentRow(1);
  emit Text().EffectCombo().activated(6);
  const PakFileHeader strip = Header(Pages()[1]);
  EXPECT_EQ(Pages()[1].PageCount, (strip.FrameCount - 1) * 64 + strip.LastExtent);
  MarkCounts();
  emit Text().SpeedCombo().activated(9);
  EXPECT_EQ(Pages()[1].PageCount, -1);
  EXPECT_EQ(Pages()[1].InSpeed, 9);
  emit Text().SpeedCombo().activated(0);
  EXPECT_EQ(Pages()[1].InSpeed, 0);

  // One frame without effect for a text page, the table on black.
  Text().List().setCurrentRow(2);
  SendMessage(Text().Handle(), UM_RERENDER_ITEM, 0, 0);
  EXPECT_EQ(Pages()[2].PageCount, 1);
  Text().List().setCurrentRow(3);
  SendMessage(Text().Handle(), UM_RERENDER_ITEM, 0, 0);
  EXPECT_EQ(Pages()[3].PageCount, 1);
  EXPECT_EQ(Header(Pages()[3]).BackColor, 0u);

  // The end-to-end flag renders again; a stale file renders on selection.
  Text().List().setCurrentRow(1);
  emit Text().EffectCombo().activated(6);
  MarkCounts();
  Text().EndToEndCheck().click();
  EXPECT_EQ(Pages()[1].IsLeftMove, 0);
  EXPECT_GT(Pages()[1].PageCount, 0);
  ASSERT_TRUE(QFile::remove(PakFramePath(ReadBoundedText(Pages()[0].guid))));
  MarkCounts();
  Text().List().setCurrentRow(0);
  EXPECT_GT(Pages()[0].PageCount, 0);
}

TEST_F(ImageTextTest, TinyAreaRendersAtOnePixel) {
  OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TABLE}, QRect(4, 4, 4, 4));
  area->IsUseBorder = 1;
  area->BorderWidth = 3;
  for (int row : {0, 1}) {
    Text().List().setCurrentRow(row);
    const FileItem& item = Pages()[static_cast<std::size_t>(row)];
    EXPECT_EQ(std::tuple(Header(item).Width, Header(item).Height), std::tuple(1, 1)) << row;
    EXPECT_GT(item.PageCount, 0) << row;
  }
  // A new table page of a tiny area gets cells of at least a pixel.
  Command(ID_IMAGE_TEXT_ADD_TABLE);
  EXPECT_EQ(TableSizes(Pages()[2]), (Sizes{{0, 1}, {0, 1}}));
}

TEST_F(ImageTextTest, SamePropertiesCopiesTimingAndRendersChangedEffects) {
  OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TEXT, ID_IMAGE_TEXT_ADD_CAPTION,
             ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TABLE});
  Pages()[3].InStyle = 8;  // the effect it gets
  Pages()[3].IsLeftMove = 1;
  Text().List().setCurrentRow(3);
  TypeStay(QStringLiteral("9"));
  emit Text().SpeedCombo().activated(5);
  Pages()[3].OutStyle = 2;
  Pages()[3].OutSpeed = 4;
  MarkCounts();
  Command(ID_IMAGE_TEXT_SAME_PROPERTIES);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(3)}));
  const FileItem& text = Pages()[1];
  EXPECT_EQ(std::tuple(text.InStyle, text.InSpeed, text.DelayTime, text.OutStyle, text.OutSpeed),
            std::tuple(0, 0, 9, 0, 0));
  for (int row : {0, 2, 4}) {
    const FileItem& item = Pages()[static_cast<std::size_t>(row)];
    EXPECT_EQ(std::tuple(item.InStyle, item.InSpeed, item.DelayTime, item.OutStyle, item.OutSpeed),
              std::tuple(8, 5, 9, 2, 4))
        << row;
  }
  EXPECT_EQ(Pages()[0].IsLeftMove, 0);
  // Only the document and caption pages whose effect changed are rendered.
  EXPECT_EQ(Header(Pages()[0]).LastExtent, 32);
  for (int row : {0, 2}) EXPECT_GT(Pages()[static_cast<std::size_t>(row)].PageCount, 0) << row;
  for (int row : {1, 3, 4}) EXPECT_EQ(Pages()[static_cast<std::size_t>(row)].PageCount, -1) << row;
  Command(ID_IMAGE_TEXT_SAME_PROPERTIES);  // nothing changes now
  EXPECT_TRUE(canvas.Take().empty());
}

TEST_F(ImageTextTest, DeleteClearAndMoveKeepFilesAndEntriesInStep) {
  OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT});
  const QString rtf = FileOf(Pages()[0], ".rtf");
  const QString pak = PakFramePath(ReadBoundedText(Pages()[0].guid));
  ASSERT_TRUE(QFile::exists(rtf) && QFile::exists(pak));
  bool framesAtMessage = false;  // the canvas is told before the file goes
  canvas.onMessage = [&](const Message&) { framesAtMessage = QFile::exists(pak); };
  Command(ID_IMAGE_TEXT_DELETE);
  canvas.onMessage = nullptr;
  EXPECT_TRUE(framesAtMessage);
  EXPECT_TRUE(Pages().empty());
  EXPECT_EQ(Text().List().count(), 0);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_FALSE(QFile::exists(rtf) || QFile::exists(pak));
  Command(ID_IMAGE_TEXT_DELETE);  // no page: nothing
  EXPECT_TRUE(canvas.Take().empty());

  Command(ID_IMAGE_TEXT_ADD_TABLE);
  Command(ID_IMAGE_TEXT_ADD_CAPTION);
  Command(ID_IMAGE_TEXT_ADD_TEXT);
  const std::vector<FileItem> before = Pages();
  const QString table = FileOf(Pages()[0], ".kqg");
  canvas.Take();
  Command(ID_IMAGE_TEXT_CLEAR);  // answered Cancel
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(asked, CStyleMessageDialog(u"Clear all pages?"_s, 0x31).Background());
  EXPECT_EQ(Pages().size(), 3u);
  EXPECT_EQ(Text().List().count(), 3);
  EXPECT_TRUE(QFile::exists(table));
  EXPECT_TRUE(canvas.Take().empty());

  // Up on the selected last page swaps records and entries, kinds' icons included.
  Text().UpButton().click();
  EXPECT_EQ(ReadBoundedText(Pages()[1].guid), ReadBoundedText(before[2].guid));
  EXPECT_EQ(ReadBoundedText(Pages()[2].guid), ReadBoundedText(before[1].guid));
  EXPECT_EQ(Text().List().currentRow(), 1);
  EXPECT_EQ(Text().List().item(1)->text(), ReadBoundedText(before[2].FileName));
  EXPECT_EQ(Text().List().GetItemRecord(1)->image, 1);  // a text page's icon
  EXPECT_EQ(Text().List().GetItemRecord(2)->image, 2);
  const auto drawnIcon = [this](int index) {
    QImage row(230, 24, QImage::Format_ARGB32);
    row.fill(Qt::white);
    QPainter painter(&row);
    Text().List().DrawItem(painter, index, {0, 0, 230, 24}, false, true);
    painter.end();
    return row.copy(3, 2, 16, 16);
  };
  const auto kindIcon = [](ImageTextArt art) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::white);
    QPainter(&icon).drawImage(0, 0, PaintImageTextArt(art, 16));
    return icon;
  };
  // Each entry shows its own kind's icon.
  EXPECT_EQ(std::pair(drawnIcon(1), drawnIcon(2)),
            std::pair(kindIcon(ImageTextArt::Text), kindIcon(ImageTextArt::Caption)));
  EXPECT_TRUE(canvas.Take().empty());
  Text().UpButton().click();  // on to the first row, and back
  EXPECT_EQ(ReadBoundedText(Pages()[0].guid), ReadBoundedText(before[2].guid));
  Text().DownButton().click();
  EXPECT_EQ(Text().List().currentRow(), 1);
  Text().List().setCurrentRow(0);
  Text().UpButton().click();  // the first page stays, and the last
  Text().List().setCurrentRow(2);
  Text().DownButton().click();
  for (int row : {0, 2}) {
    EXPECT_EQ(ReadBoundedText(Pages()[static_cast<std::size_t>(row)].guid),
              ReadBoundedText(before[static_cast<std::size_t>(row == 0 ? 0 : 1)].guid));
  }
  // Deleting the last page selects the one before it.
  canvas.Take();
  Command(ID_IMAGE_TEXT_DELETE);
  EXPECT_EQ(Text().List().currentRow(), 1);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(-2), Show(1)}));

  answer_ = kIdOk;
  canvas.Take();
  Command(ID_IMAGE_TEXT_CLEAR);
  EXPECT_TRUE(Pages().empty());
  EXPECT_EQ(Text().List().count(), 0);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_FALSE(QFile::exists(table));
  EXPECT_TRUE(QDir(AppFolderPath(AppFolder::Temp)).isEmpty());
  // With no page left, an effect or speed chosen changes and renders nothing.
  emit Text().EffectCombo().activated(6);
  emit Text().SpeedCombo().activated(3);
  EXPECT_TRUE(canvas.Take().empty());
}

TEST_F(ImageTextTest, EditRenamesTheEntryAndRendersAgain) {
  OpenPages({ID_IMAGE_TEXT_ADD_CAPTION});
  onEditor = [](const RtfEditRequest& request) {
    CopyBoundedText(request.item->FileName, u"Welcome");
    RichText text;
    text.SetText(QStringLiteral("Welcome to Quendra, a longer line"));
    ASSERT_TRUE(text.SaveRtfFile(request.rtfPath));
  };
  const int before = Pages()[0].PageCount;
  SendMessage(Text().Handle(), WM_COMMAND, ID_IMAGE_TEXT_EDIT, 0);
  EXPECT_EQ(Text().List().item(0)->text(), QStringLiteral("Welcome"));
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(0)}));
  EXPECT_GT(Pages()[0].PageCount, before);  // the longer strip
}

TEST_F(ImageTextTest, ATablePageOpensTheTableEditorOnItsFile) {
  std::vector<TableEditRequest> tables;
  RunTableEditor = [&tables](const TableEditRequest& request) {
    tables.push_back(request);
    CopyBoundedText(request.item->FileName, u"Prices");
  };
  OpenPages({ID_IMAGE_TEXT_ADD_TABLE});  // a new table page opens the editor at once
  Command(ID_IMAGE_TEXT_EDIT);
  RunTableEditor = nullptr;
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[1].tablePath, TableFilePath(ReadBoundedText(Pages()[0].guid)));
  EXPECT_EQ(tables[1].item, &Pages()[0]);
  EXPECT_EQ(QSize(tables[1].width, tables[1].height), QSize(64, 32));
  EXPECT_EQ(tables[1].owner, Text().Handle());
  EXPECT_TRUE(requests.empty());
  EXPECT_EQ(Text().List().item(0)->text(), QStringLiteral("Prices"));
}

TEST_F(ImageTextTest, OnlyTheChineseSettingsShowToolbarTexts) {
  OpenPages({});
  const UINT commands[] = {ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TEXT,
                           ID_IMAGE_TEXT_ADD_CAPTION,  ID_IMAGE_TEXT_ADD_TABLE,
                           ID_IMAGE_TEXT_EDIT,         ID_IMAGE_TEXT_DELETE,
                           ID_IMAGE_TEXT_CLEAR,        ID_IMAGE_TEXT_SAME_PROPERTIES};
  const QStringList texts = {u"Document"_s, u"Text"_s,   u"Caption"_s, u"Table"_s,
                             u"Edit"_s,     u"Delete"_s, u"Clear"_s,   u"Same properties"_s};
  for (int language = 0; language <= 6; ++language) {
    Text().ApplyLanguage(language);
    QStringList shown;
    for (UINT command : commands) {
      shown << Text().ToolBar().ButtonAction(Text().ToolBar().CommandToIndex(command))->text();
    }
    EXPECT_EQ(shown, language == 1 || language == 3 ? texts : QStringList(8, QString()))
        << language;
  }
}

TEST_F(ImageTextTest, Screenshots) {
  for (int language : {1, 2}) {
    SelectLanguageFile(language);
    OpenPages({ID_IMAGE_TEXT_ADD_DOCUMENT, ID_IMAGE_TEXT_ADD_TEXT, ID_IMAGE_TEXT_ADD_CAPTION,
               ID_IMAGE_TEXT_ADD_TABLE});
    Text().ApplyLanguage(language == 1 ? 1 : 2);
    page->show();
    Text().List().setCurrentRow(2);
    const QString tag = language == 1 ? QStringLiteral("zh") : QStringLiteral("en");
    EXPECT_FALSE(SaveScreenshot(Text(), QStringLiteral("image_text_page_") + tag).isEmpty());
    EXPECT_FALSE(SaveScreenshot(*page, QStringLiteral("image_text_project_page_") + tag).isEmpty());
    page.reset();
    ClearProjectModel();
  }
}

}  // namespace
