#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <set>

#include "controls/buttons/button_qx.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/file_list/files_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/guid_text.h"
#include "model/common/media_kind.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "tests/editors/page_fixture.h"
#include "tests/sdk/generate/page_test_support.h"
#include "tests/support/screenshot.h"

namespace {

using editortest::Message;

class FilesPageTest : public editortest::PageTest {
 protected:
  // A files area holding the named files (kind by name, a GUID each) selected on the
  // project page, the page's questions answered by the test.
  void OpenFiles(const QStringList& names) {
    Open(64, 32, 0);
    area->AreaType = kFilesArea;
    area->Kind = MakeKindRecord(kFilesArea);
    for (const QString& name : names) {
      FileAreaItem item{};
      item.FileType = GetMediaKind(name);
      CopyBoundedText(item.FilePath, folder.filePath(name));
      CopyBoundedText(item.Guid, NewGuidText());
      item.DelayTime = 3;
      Items().push_back(item);
    }
    page->BuildTreeFromModel();
    Select(AreaItem());
    Files().SetHooks({[this](const QString&) { return chosen; },
                      [this](const QString& text, int style) {
                        asked.push_back({text, style});
                        return answer;
                      }});
    canvas.Take();
  }
  std::vector<FileAreaItem>& Items() { return std::get<std::vector<FileAreaItem>>(area->Kind); }
  FileAreaItem& Item(int row) { return Items()[static_cast<std::size_t>(row)]; }
  CFilesDialog& Files() { return PageAt<CFilesDialog>(PageSlot::Files); }
  void Command(UINT id) { SendMessage(Files().Handle(), WM_COMMAND, id, 0); }
  static Message Show(LPARAM row) { return {UM_CANVAS_COMMAND, 2, row}; }
  bool StayShown() {
    bool shown = !Files().StayEdit().isHidden();
    for (QWidget* label : Files().StayLabels()) EXPECT_EQ(!label->isHidden(), shown);
    return shown;
  }
  // The frame file of the item, written.
  QString WritePak(const FileAreaItem& item) {
    const QString path = PakFramePath(ReadBoundedText(item.Guid));
    EXPECT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::Temp)));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return path;
  }
  void TypeStay(const QString& text) {
    Files().StayEdit().Edit().setText(text);
    emit Files().StayEdit().Edit().textEdited(text);
  }

  QTemporaryDir folder;
  QStringList chosen;
  std::vector<std::pair<QString, int>> asked;
  int answer = kIdOk;
};

TEST_F(FilesPageTest, AddAppendsInTheDialogsOrderAndLeavesOutPathsTooLong) {
  OpenFiles({});
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("a.png"))));
  pagetest::WriteFile(folder.filePath(QStringLiteral("c.gif")),
                      pagetest::MakeGif(2, 1, {{{1, 2}, 10}, {{2, 1}, 10}}));
  // 259 units fit the record once the doubled backslash is made single; 260 do not.
  const QString prefix = folder.filePath(QString());
  const QString longest =
      prefix + QString(259 - prefix.size() - 6, u'x') + QStringLiteral("\\b.jpg");
  ASSERT_TRUE(picture.save(longest, "JPG"));
  const QString tooLong = QStringLiteral("/") + QString(259, u'x');
  // Left out as well: a text named as a picture, a video (the card shows neither) and
  // a picture that is not there.
  const QString notImage = folder.filePath(QStringLiteral("notimage.png"));
  const QString video = folder.filePath(QStringLiteral("clip.mp4"));
  for (const QString& path : {notImage, video}) pagetest::WriteFile(path, "not a picture");
  const QString missing = folder.filePath(QStringLiteral("gone.bmp"));
  chosen = {folder.filePath(QStringLiteral("a.png")),
            QString(longest).replace(u'\\', QStringLiteral("\\\\")),
            tooLong,
            notImage,
            video,
            missing,
            folder.filePath(QStringLiteral("c.gif"))};
  const QString stored[] = {chosen[0], longest, chosen[6]};
  // The window hidden and shown again, as around the preview's play: the page keeps
  // its area.
  page->show();
  page->hide();
  page->show();

  Command(ID_FILES_ADD);
  ASSERT_EQ(Items().size(), 3u);
  const int kinds[] = {kMediaPicture, kMediaPicture, kMediaGif};
  std::set<QString> guids;
  for (int row = 0; row < 3; ++row) {
    const FileAreaItem& item = Item(row);
    EXPECT_EQ(item.FileType, kinds[row]);
    EXPECT_EQ(ReadBoundedText(item.FilePath), stored[row]);
    EXPECT_EQ(Files().List().item(row)->text(), ReadBoundedText(item.FilePath));
    EXPECT_TRUE(IsGuidText(ReadBoundedText(item.Guid)));
    guids.insert(ReadBoundedText(item.Guid));
    EXPECT_EQ(std::tuple(item.InStyle, item.InSpeed, item.DelayTime), std::tuple(0, 0, 3));
  }
  EXPECT_EQ(guids.size(), 3u);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].second, 0x30);
  EXPECT_TRUE(asked[0].first.endsWith(QStringLiteral("\n") + tooLong));
  EXPECT_EQ(asked[1].second, 0x30);
  EXPECT_TRUE(asked[1].first.endsWith(u'\n' + notImage + u'\n' + video + u'\n' + missing));
  EXPECT_EQ(Files().List().currentRow(), 2);
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(2)});
  EXPECT_FALSE(Files().EffectCombo().isEnabled());
  EXPECT_FALSE(StayShown());

  Files().List().setCurrentRow(0);  // a picture shows its effect and stay time again
  EXPECT_TRUE(Files().EffectCombo().isEnabled());
  EXPECT_TRUE(StayShown());
  EXPECT_EQ(Files().StayEdit().Edit().text(), QStringLiteral("3"));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(0)});

  chosen.clear();  // Cancel
  Command(ID_FILES_ADD);
  EXPECT_EQ(Items().size(), 3u);
  EXPECT_TRUE(canvas.Take().empty());
}

TEST_F(FilesPageTest, ChangesAreClampedAndReplayTheItem) {
  OpenFiles({QStringLiteral("a.png"), QStringLiteral("b.gif"), QStringLiteral("c.bmp")});
  CFilesDialog& files = Files();
  for (const auto& [typed, stay] : {std::pair{"0", 1}, {"255", 255}, {"1", 1}, {"256", 255}}) {
    TypeStay(QString::fromLatin1(typed));
    EXPECT_EQ(Item(0).DelayTime, stay) << typed;
    EXPECT_EQ(files.StayEdit().Edit().text(), QString::number(stay));
    EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(0)});
  }
  files.StayEdit().UpButton().click();
  EXPECT_EQ(Item(0).DelayTime, 255);
  EXPECT_TRUE(canvas.Take().empty());
  files.StayEdit().DownButton().click();
  EXPECT_EQ(Item(0).DelayTime, 254);
  files.StayEdit().UpButton().click();
  EXPECT_EQ(Item(0).DelayTime, 255);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(0), Show(0)}));
  emit files.EffectCombo().activated(20);
  emit files.SpeedCombo().activated(7);
  EXPECT_EQ(Item(0).InStyle, 20);
  EXPECT_EQ(Item(0).InSpeed, 7);
  emit files.EffectCombo().activated(20);  // the same again: nothing to replay
  emit files.SpeedCombo().activated(7);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(0), Show(0)}));
  emit files.EffectCombo().activated(0);  // the first effect, and back
  EXPECT_EQ(Item(0).InStyle, 0);
  emit files.EffectCombo().activated(20);
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(0), Show(0)}));

  // A picture's settings: the speed to every file, effect and stay time to pictures.
  const auto timing = [this](int row) {
    return std::tuple(Item(row).InSpeed, Item(row).InStyle, Item(row).DelayTime);
  };
  Command(ID_FILES_SAME_PROPERTIES);
  EXPECT_EQ(timing(1), std::tuple(7, 0, 3));
  EXPECT_EQ(timing(2), std::tuple(7, 20, 255));
  // A GIF's settings: its speed alone.
  files.List().setCurrentRow(1);
  emit files.SpeedCombo().activated(2);
  Command(ID_FILES_SAME_PROPERTIES);
  for (int row : {0, 2}) EXPECT_EQ(timing(row), std::tuple(2, 20, 255)) << row;
}

TEST_F(FilesPageTest, DeleteClearAndMove) {
  OpenFiles({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png"),
             QStringLiteral("d.png")});
  Files().List().setCurrentRow(3);
  Command(ID_FILES_DELETE);  // the last: the one before it is loaded
  EXPECT_EQ(Files().List().currentRow(), 2);
  Files().List().setCurrentRow(0);
  canvas.Take();
  const QString firstPak = WritePak(Item(0));
  Command(ID_FILES_DELETE);  // the first: the new first is loaded
  EXPECT_FALSE(QFile::exists(firstPak));
  ASSERT_EQ(Items().size(), 2u);
  EXPECT_EQ(Files().List().currentRow(), 0);
  EXPECT_EQ(Files().List().item(0)->text(), folder.filePath(QStringLiteral("b.png")));
  EXPECT_EQ(canvas.Take(), (std::vector<Message>{Show(-2), Show(0)}));

  Files().List().setCurrentRow(0);
  Files().DownButton().click();  // a move keeps the moved file selected
  EXPECT_EQ(ReadBoundedText(Item(1).FilePath), folder.filePath(QStringLiteral("b.png")));
  EXPECT_EQ(Files().List().item(1)->text(), folder.filePath(QStringLiteral("b.png")));
  EXPECT_EQ(Files().List().currentRow(), 1);
  Files().DownButton().click();  // the last stays
  Files().UpButton().click();
  EXPECT_EQ(Files().List().currentRow(), 0);
  EXPECT_EQ(ReadBoundedText(Item(0).FilePath), folder.filePath(QStringLiteral("b.png")));
  // An area loaded without files shows none of the last file's values.
  std::vector<FileAreaItem> kept;
  kept.swap(Items());
  SendMessage(Files().Handle(), UM_LOAD_SELECTION, 1, 0);
  EXPECT_EQ(std::pair(Files().EffectCombo().currentIndex(), Files().StayEdit().Edit().text()),
            std::pair(-1, QString()));
  kept.swap(Items());
  SendMessage(Files().Handle(), UM_LOAD_SELECTION, 1, 0);
  EXPECT_EQ(Files().StayEdit().Edit().text(), QStringLiteral("3"));

  answer = kIdCancel;
  canvas.Take();
  Command(ID_FILES_CLEAR);
  EXPECT_EQ(Items().size(), 2u);
  EXPECT_EQ(Files().List().count(), 2);
  EXPECT_TRUE(canvas.Take().empty());
  answer = kIdOk;
  const QString paks[] = {WritePak(Item(0)), WritePak(Item(1))};
  Command(ID_FILES_CLEAR);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Files().List().count(), 0);
  EXPECT_FALSE(QFile::exists(paks[0]) || QFile::exists(paks[1]));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_EQ(std::pair(Files().EffectCombo().currentIndex(), Files().StayEdit().Edit().text()),
            std::pair(-1, QString()));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].second, 1);

  // The only file: the canvas lets go of it before its frame file goes.
  page.reset();
  ClearProjectModel();
  OpenFiles({QStringLiteral("a.gif")});
  const QString pak = WritePak(Item(0));
  bool pakAtFirstMessage = false;
  canvas.onMessage = [&](const Message&) {
    if (canvas.received.size() == 1) pakAtFirstMessage = QFile::exists(pak);
  };
  Command(ID_FILES_DELETE);
  canvas.onMessage = nullptr;
  EXPECT_TRUE(pakAtFirstMessage);
  EXPECT_FALSE(QFile::exists(pak));
  EXPECT_EQ(canvas.Take(), std::vector<Message>{Show(-2)});
  EXPECT_EQ(Files().EffectCombo().currentIndex(), -1);
  EXPECT_EQ(Files().SpeedCombo().currentIndex(), -1);
  EXPECT_TRUE(Files().StayEdit().Edit().text().isEmpty());
  EXPECT_TRUE(Files().EffectCombo().isEnabled());
  EXPECT_TRUE(StayShown());
}

TEST_F(FilesPageTest, Screenshots) {
  for (int language : {1, 2}) {
    SelectLanguageFile(language);
    OpenFiles({QStringLiteral("sunrise.png"), QStringLiteral("logo.gif")});
    Files().ApplyLanguage();
    for (const auto& [id, key] : {std::pair{1493, 1000}, {1494, 1001}, {1402, 1002}}) {
      EXPECT_EQ(FindControl(&Files(), id)->property("text"),
                ReadLangText(QStringLiteral("IDD_FILE_DIALOG"), key));
    }
    Files().resize(518, 215);
    Files().show();
    const QString tag = language == 1 ? QStringLiteral("_zh") : QStringLiteral("_en");
    EXPECT_FALSE(SaveScreenshot(Files(), QStringLiteral("files_page_picture") + tag).isEmpty());
    Files().List().setCurrentRow(1);
    EXPECT_FALSE(SaveScreenshot(Files(), QStringLiteral("files_page_gif") + tag).isEmpty());
    page.reset();
    ClearProjectModel();
  }
}

}  // namespace
