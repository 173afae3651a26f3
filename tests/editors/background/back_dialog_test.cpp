#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/buttons/button_qx.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "editors/background/back_dialog.h"
#include "editors/background/swf_back_select_dialog.h"
#include "model/common/media_kind.h"
#include "model/settings/lang_sections.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/screenshot.h"

namespace {

class BackgroundPageTest : public editortest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    // Every message box is counted and closed with its OK button.
    QObject::connect(&closer_, &QTimer::timeout, [this] {
      auto* box = dynamic_cast<CStyleMessageDialog*>(QApplication::activeModalWidget());
      if (!box) return;
      ++messages;
      shownTexts.push_back(box->Message());
      qobject_cast<QPushButton*>(FindControl(box, kIdcMessageOk))->click();
    });
    closer_.start(5);
  }
  void TearDown() override {
    closer_.stop();
    PageTest::TearDown();
  }
  void OpenBack(int useBack = 1) {
    Open(64, 32, 0);
    area->IsUseBack = useBack;
    Select(AreaItem());
    Back().SetFileChooser([this](const QString& filter) {
      shownFilter = filter;
      return chosenFiles;
    });
  }
  CBackDialog& Back() { return PageAt<CBackDialog>(PageSlot::Background); }
  void Click(CBackDialog::Tool tool) { Back().ToolButton(tool).click(); }
  std::vector<BackgroundItem>& Items() { return area->Backgrounds; }
  // A picture file in the test's folder.
  QString Picture(const QString& name) {
    const QString path = files.filePath(name);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    EXPECT_TRUE(picture.save(path));
    return path;
  }
  // Answers the chooser the next click opens: the cells clicked in order, then OK or
  // Cancel.
  static void AnswerChooser(std::vector<int> cells, bool ok) {
    QTimer::singleShot(0, [cells, ok] {
      auto* chooser = dynamic_cast<CSwfBackSelectDialog*>(QApplication::activeModalWidget());
      if (chooser == nullptr) {
        ADD_FAILURE() << "no chooser";
        return;
      }
      for (int n : cells) QTest::mouseClick(&chooser->Cell(n), Qt::LeftButton);
      (ok ? chooser->OkButton() : chooser->CancelButton()).click();
    });
  }
  void ChooseSpeed(int index) {
    Back().SpeedList().setCurrentIndex(index);
    emit Back().SpeedList().activated(index);
  }

  QTemporaryDir files;
  QStringList chosenFiles;
  QString shownFilter;
  int messages = 0;
  std::vector<QString> shownTexts;  // the messages' texts, in order

 private:
  QTimer closer_;
};

TEST_F(BackgroundPageTest, FilesAreAppendedAndOnlyTheLastTakesTheShownSpeed) {
  OpenBack();
  EXPECT_EQ(Back().List().count(), 0);
  EXPECT_EQ(Back().List().currentRow(), -1);
  ChooseSpeed(7);  // nothing selected: changes nothing, and the list keeps its value
  Select(ProgramItem());
  Select(AreaItem());
  EXPECT_EQ(Back().SpeedList().currentIndex(), 7);

  chosenFiles = {Picture(QStringLiteral("b.png")),
                 QStringLiteral(QUENDRA_SOURCE_DIR "/tests/render/media/gif/9001.gif"),
                 Picture(QStringLiteral("a.jpg"))};
  Click(CBackDialog::kAddFiles);
  EXPECT_EQ(
      shownFilter,
      QStringLiteral("All pictures(*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff) (*.bmp *.BMP "
                     "*.jpg *.JPG *.jpeg *.JPEG *.png *.PNG *.gif *.GIF *.tif *.TIF *.tiff "
                     "*.TIFF);;BMP(*.bmp) (*.bmp *.BMP);;JPEG(*.jpeg;*.jpg) (*.jpeg *.JPEG "
                     "*.jpg *.JPG);;PNG(*.png) (*.png *.PNG);;TIFF(*.tif;*.tiff) (*.tif *.TIF "
                     "*.tiff *.TIFF);;GIF(*.gif) (*.gif *.GIF)"));
  ASSERT_EQ(Items().size(), 3u);
  const int kinds[] = {kMediaPicture, kMediaGif, kMediaPicture};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(ReadBoundedText(Items()[i].FilePath), chosenFiles[static_cast<int>(i)]);
    EXPECT_EQ(Back().List().item(static_cast<int>(i))->text(), chosenFiles[static_cast<int>(i)]);
    EXPECT_EQ(Items()[i].FileType, kinds[i]);
    EXPECT_EQ(Items()[i].DelayTime, 5);
    EXPECT_EQ(Items()[i].Speed, i == 2 ? 7 : 0);
    EXPECT_EQ(Items()[i].RenderFlag, 0);
  }
  EXPECT_NE(ReadBoundedText(Items()[0].guid), ReadBoundedText(Items()[1].guid));
  EXPECT_EQ(ReadBoundedText(Items()[0].guid).size(), 36);
  EXPECT_EQ(Back().List().currentRow(), 2);

  // A selection shows the entry's speed; a speed change goes into the selected entry.
  Back().List().setCurrentRow(0);
  EXPECT_EQ(Back().SpeedList().currentIndex(), 0);
  ChooseSpeed(31);
  EXPECT_EQ(Items()[0].Speed, 31);
  Back().List().setCurrentRow(2);
  EXPECT_EQ(Back().SpeedList().currentIndex(), 7);
  ChooseSpeed(0);  // the first speed too
  EXPECT_EQ(Items()[2].Speed, 0);

  // Doubled backslashes are stored single; a path too long for the record, and files
  // that are no pictures the card shows, are left out with one message each, the
  // others added.
  const QString backslashed = Picture(QStringLiteral("pic\\a.png"));
  const QString longest =
      Picture(QString(254 - files.path().size(), u'y') + QStringLiteral(".png"));
  const QString notImage = files.filePath(QStringLiteral("notimage.png"));
  const QString video = files.filePath(QStringLiteral("clip.mp4"));
  for (const QString& path : {notImage, video}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
  }
  chosenFiles = {QString(backslashed).replace(u'\\', QStringLiteral("\\\\")),
                 QStringLiteral("/") + QString(259, u'x'), longest, notImage, video};
  Click(CBackDialog::kAddFiles);
  EXPECT_EQ(messages, 2);
  EXPECT_TRUE(shownTexts.back().endsWith(u'\n' + notImage + u'\n' + video));
  ASSERT_EQ(Items().size(), 5u);
  EXPECT_EQ(ReadBoundedText(Items()[3].FilePath), backslashed);
  EXPECT_EQ(ReadBoundedText(Items()[4].FilePath).size(), 259);

  chosenFiles.clear();  // cancelled: nothing changes
  Click(CBackDialog::kAddFiles);
  EXPECT_EQ(Items().size(), 5u);
}

TEST_F(BackgroundPageTest, BuiltInBackgroundsComeInNumberOrderWithoutTouchingTheSelection) {
  OpenBack();
  BackgroundItem picture{};
  picture.FileType = kMediaPicture;
  CopyBoundedText(picture.FilePath, u"/p.png");
  Items().push_back(picture);
  Select(ProgramItem());
  Select(AreaItem());
  ASSERT_EQ(Back().List().currentRow(), 0);

  AnswerChooser({3, 0}, true);
  Click(CBackDialog::kAddBuiltIn);
  ASSERT_EQ(Items().size(), 3u);
  for (std::size_t i = 1; i < 3; ++i) {
    const BackgroundItem& item = Items()[i];
    EXPECT_EQ(item.FileType, kFlashBackground);
    EXPECT_EQ(item.BackVaule, i == 1 ? 0 : 3);
    EXPECT_EQ(item.DelayTime, 5);
    EXPECT_EQ(item.Speed, 0);
    EXPECT_EQ(item.RenderFlag, 1);
    EXPECT_EQ(ReadBoundedText(item.FilePath), QString());
    EXPECT_EQ(ReadBoundedText(item.guid).size(), 36);
  }
  EXPECT_EQ(Back().List().item(0)->text(), QStringLiteral("/p.png"));
  EXPECT_EQ(Back().List().item(1)->text(), QStringLiteral("Built-in background 1"));
  EXPECT_EQ(Back().List().item(2)->text(), QStringLiteral("Built-in background 4"));
  EXPECT_EQ(Back().List().currentRow(), 0);
  Back().List().setCurrentRow(2);
  Select(ProgramItem());
  Select(AreaItem());  // a load selects the first entry
  EXPECT_EQ(Back().List().currentRow(), 0);
  EXPECT_EQ(GetBackgroundName(21), QStringLiteral("Built-in background 22"));
  EXPECT_EQ(GetBackgroundName(22), QString());
  EXPECT_EQ(GetBackgroundName(-1), QString());

  AnswerChooser({5, 2}, false);  // Cancel adds nothing
  Click(CBackDialog::kAddBuiltIn);
  AnswerChooser({}, true);  // nor does OK with no cell
  Click(CBackDialog::kAddBuiltIn);
  EXPECT_EQ(Items().size(), 3u);

  // The page as a person sees it, on its tab.
  page->show();
  page->findChild<QTabBar*>()->setCurrentIndex(1);
  Back().List().setCurrentRow(2);
  SaveScreenshot(*page, QStringLiteral("background_page"));

  // Delete leaves nothing selected; delete with nothing selected does nothing.
  Click(CBackDialog::kDelete);
  EXPECT_EQ(Items().size(), 2u);
  EXPECT_EQ(Items()[1].BackVaule, 0);
  EXPECT_EQ(Back().List().currentRow(), -1);
  Click(CBackDialog::kDelete);
  EXPECT_EQ(Items().size(), 2u);
  Click(CBackDialog::kDeleteAll);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Back().List().count(), 0);
}

TEST_F(BackgroundPageTest, TheCheckEnablesTheControlsAndKeepsTheItems) {
  Open(64, 32, 0);
  Items().push_back(BackgroundItem{});
  Items().back().FileType = kFlashBackground;
  Items().back().BackVaule = 2;
  Items().back().Speed = 9;
  Select(AreaItem());
  EXPECT_FALSE(Back().UseCheck().isChecked());
  EXPECT_FALSE(Back().List().isEnabled());
  EXPECT_FALSE(Back().SpeedList().isEnabled());
  EXPECT_FALSE(Back().ToolButton(CBackDialog::kAddFiles).isEnabled());
  EXPECT_EQ(Back().List().item(0)->text(), QStringLiteral("Built-in background 3"));
  EXPECT_EQ(Back().SpeedList().currentIndex(), 9);

  Back().UseCheck().click();
  EXPECT_EQ(area->IsUseBack, 1);
  for (int tool = CBackDialog::kAddBuiltIn; tool <= CBackDialog::kDeleteAll; ++tool)
    EXPECT_TRUE(Back().ToolButton(CBackDialog::Tool(tool)).isEnabled());
  EXPECT_TRUE(Back().List().isEnabled());
  Back().UseCheck().click();
  EXPECT_EQ(area->IsUseBack, 0);
  EXPECT_FALSE(Back().SpeedList().isEnabled());
  EXPECT_EQ(Items().size(), 1u);

  // A language switch names the entries anew and keeps the shown speed.
  SelectLanguageFile(1);
  Back().ApplyLanguage();
  EXPECT_EQ(Back().List().item(0)->text(), QStringLiteral("内置背景3"));
  EXPECT_EQ(Back().SpeedList().currentIndex(), 9);
  const auto text = [](const QString& section, int key) { return ReadLangText(section, key); };
  EXPECT_EQ(Back().SpeedList().itemText(0),
            QStringLiteral("1(%1)").arg(text(lang_section::IDD_BORDER_DIALOG, 1011)));
  EXPECT_EQ(Back().SpeedList().itemText(31),
            QStringLiteral("32(%1)").arg(text(lang_section::IDD_BORDER_DIALOG, 1012)));
  for (int tool = CBackDialog::kAddBuiltIn; tool <= CBackDialog::kDeleteAll; ++tool) {
    EXPECT_TRUE(Back()
                    .ToolButton(CBackDialog::Tool(tool))
                    .toolTip()
                    .contains(text(lang_section::IDD_BACK_DIALOG, 1002 + tool)))
        << tool;
  }
}

}  // namespace
