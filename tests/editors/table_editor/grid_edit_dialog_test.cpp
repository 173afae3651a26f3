// The table editor as the image-text page opens it: new, imported and edited tables,
// the selection's formats both ways, the texts too long for the table file, every
// close path and failed save, and the new-table dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/grid/widget/grid_ctrl.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/table_edit_ids.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/table_editor/grid_edit_dialog.h"
#include "editors/table_editor/new_grid_dialog.h"
#include "editors/table_editor/table_shapes.h"
#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/area_items.h"
#include "model/settings/lang_text.h"
#include "render/table/table_file.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/recording_window.h"
#include "tests/support/screenshot.h"

using namespace Qt::StringLiterals;

namespace {

struct Asked {
  int text;  // the text number of IDD_GRIDEDIT_DIALOG it showed, 0 for another
  int style;
};

class GridEditTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ASSERT_TRUE(QDir().mkpath(AppFolderPath(AppFolder::UserData)));
    path = AppFilePath(AppFolder::UserData, u"page.kqg");
    CopyBoundedText(item.FileName, u"Table 1");
    item.LineColor = 0x00FF00;
  }

  // The editor over the page (width x height), the pickers' echoes delivered.
  CGridEditDialog& OpenEditor(int width = 90, int height = 100) {
    TableEditHooks hooks{
        [this](const QString& text, int style) {
          int number = 0;
          for (int key = 1027; key <= 1032; ++key) {
            const QString format = ReadLangText(u"IDD_GRIDEDIT_DIALOG"_s, key);
            const qsizetype fixed = format.indexOf(u'%');
            if (text == format || (fixed > 0 && text.startsWith(format.left(fixed)))) number = key;
          }
          asked.push_back({number, style});
          return answer;
        },
        [this](const QString&) { return openPath; }, [this](const QString&) { return savePath; },
        [this] { return newSize; }};
    dialog = std::make_unique<CGridEditDialog>(path, item, width, height, owner.Handle(), nullptr,
                                               std::move(hooks));
    QCoreApplication::sendPostedEvents();
    return *dialog;
  }
  CGridCtrl& Grid() { return dialog->Grid(); }
  void Command(UINT id) {
    SendMessage(dialog->Handle(), WM_COMMAND, id, 0);
    QCoreApplication::sendPostedEvents();
  }
  void Select(int minRow, int minCol, int maxRow, int maxCol) {
    Grid().SetFocusCell(minRow, minCol);
    Grid().SetSelectedRange(minRow, minCol, maxRow, maxCol);
  }
  TableFile Saved(const QString& file) {
    TableFile table;
    EXPECT_EQ(ReadTableFile(file, &table), TableRead::Ok);
    return table;
  }
  QByteArray Bytes(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }
  std::vector<int> AskedTexts() {
    std::vector<int> texts;
    for (const Asked& one : asked) texts.push_back(one.text);
    asked.clear();
    return texts;
  }
  // Runs Debian's Python on a script with the folder as its argument.
  void RunPython(const QString& script, const QString& folder) {
    QProcess python;
    python.start(QStringLiteral(QUENDRA_SYSTEM_PYTHON), {u"-c"_s, script, folder});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
  }

  testsupport::RecordingWindow owner;
  FileItem item{};
  QString path;
  std::unique_ptr<CGridEditDialog> dialog;
  std::vector<Asked> asked;
  int answer = kIdOk;
  QString openPath;
  QString savePath;
  std::optional<std::pair<int, int>> newSize = std::pair(3, 3);
};

TEST_F(GridEditTest, NewInsertedAndDeletedRowsAndColumns) {
  OpenEditor(90, 100);
  EXPECT_EQ(dialog->NameEdit().text(), u"Table 1");
  EXPECT_EQ(dialog->NameEdit().maxLength(), 250);
  EXPECT_EQ(Grid().GetGridLineColor(), 0x00FF00u);
  EXPECT_EQ(Grid().GetRowCount(), 5);  // no file: the default 4 x 4 table
  EXPECT_EQ(std::tuple(dialog->SizeCombo().currentText(),
                       dialog->ToggleButton(CGridEditDialog::kLeft).GetCheck(),
                       dialog->ToggleButton(CGridEditDialog::kCentre).GetCheck()),
            std::tuple(u"8"_s, 1, 0));
  Command(ID_GRID_NEW);
  ASSERT_EQ(Grid().GetRowCount(), 4);
  EXPECT_EQ(Grid().GetCell(2, 2)->GetTextColor(), 255u);
  EXPECT_EQ(Grid().GetCell(2, 2)->GetFormat(), 5u);
  for (int i = 1; i <= 3; ++i) {  // 100 / 3 high and 90 / 3 wide; headers numbered and centred
    EXPECT_EQ(std::pair(Grid().GetRowHeight(i), Grid().GetColumnWidth(i)),
              std::pair(i == 3 ? 34 : 33, 30));
    EXPECT_EQ(std::pair(Grid().GetCellText(0, i), Grid().GetCell(0, i)->GetFormat()),
              std::pair(QString::number(i), 5u));
    EXPECT_EQ(std::pair(Grid().GetCellText(i, 0), Grid().GetCell(i, 0)->GetFormat()),
              std::pair(QString::number(i), 5u));
  }

  Command(ID_GRID_INSERT_ROW);  // no focused cell: nothing
  EXPECT_EQ(Grid().GetRowCount(), 4);
  Grid().SetCellText(2, 1, u"moved"_s);
  Select(2, 1, 2, 1);
  Command(ID_GRID_INSERT_ROW);
  ASSERT_EQ(Grid().GetRowCount(), 5);
  EXPECT_EQ(Grid().GetCell(2, 3)->GetTextColor(), 0x8241E2u);
  EXPECT_EQ(Grid().GetCellText(3, 1), u"moved");
  EXPECT_EQ(Grid().GetCellText(4, 0), u"4");
  EXPECT_EQ(Saved(path).Rows(), 4);  // saved and loaded back
  Select(1, 0, 1, 0);                // a header's focus goes to the body's first column
  Command(ID_GRID_INSERT_COLUMN);
  EXPECT_EQ(Grid().GetColumnCount(), 5);
  EXPECT_EQ(Grid().GetCell(3, 1)->GetTextColor(), 0x8241E2u);

  Select(0, 0, Grid().GetRowCount() - 1, 1);  // every row, the header too
  Command(ID_GRID_DELETE_ROWS);
  ASSERT_EQ(Grid().GetRowCount(), 2);
  EXPECT_EQ(Grid().GetCellText(1, 0), u"1");
  EXPECT_EQ(Grid().GetCellText(0, 1), u"1");  // the header row stays
  EXPECT_EQ(Grid().GetCell(1, 1)->GetTextColor(), 255u);
  Select(1, 1, 1, Grid().GetColumnCount() - 1);
  Command(ID_GRID_DELETE_COLUMNS);
  EXPECT_EQ(Grid().GetColumnCount(), 2);
  EXPECT_EQ(Saved(path).Rows(), 1);
  EXPECT_EQ(Saved(path).Columns(), 1);
}

TEST_F(GridEditTest, SelectionFormatsAndTheFocusedCellShownBack) {
  OpenEditor();
  Grid().ClearSelection();
  dialog->SizeCombo().setEditText(u"20"_s);
  emit dialog->SizeCombo().textActivated(u"20"_s);
  dialog->ToggleButton(CGridEditDialog::kBold).click();
  EXPECT_NE(Grid().GetCell(1, 1)->GetFont()->lfHeight, -27);  // no selection: nothing
  EXPECT_NE(Grid().GetCell(1, 1)->GetFont()->lfWeight, 700);

  Select(1, 1, 2, 2);
  const auto heights = [this] {
    std::vector<int> all;
    for (int row = 1; row <= 2; ++row)
      for (int col = 1; col <= 2; ++col)
        all.push_back(Grid().GetCell(row, col)->GetFont()->lfHeight);
    return all;
  };
  for (const auto& [text, height] :
       {std::pair(u"0"_s, -12), std::pair(u"1"_s, -1), std::pair(u"12"_s, -16)}) {
    emit dialog->SizeCombo().textActivated(text);
    EXPECT_EQ(heights(), std::vector<int>(4, height)) << text.toStdString();
  }
  dialog->FaceCombo().setEditText(u"DejaVu Sans"_s);
  emit dialog->FaceCombo().textActivated(u"DejaVu Sans"_s);
  dialog->ToggleButton(CGridEditDialog::kItalic).click();
  dialog->ToggleButton(CGridEditDialog::kUnderline).click();
  // Left, centre and right turn one another off, and top and middle; each keeps the
  // other direction.
  for (const auto& [toggle, format] : {std::pair{CGridEditDialog::kTop, kFormatCentre},
                                       {CGridEditDialog::kLeft, 0u},
                                       {CGridEditDialog::kCentre, kFormatCentre},
                                       {CGridEditDialog::kRight, kFormatRight},
                                       {CGridEditDialog::kMiddle, kFormatRight | kFormatMiddle}}) {
    dialog->ToggleButton(toggle).click();
    EXPECT_EQ(Grid().GetCell(1, 1)->GetFormat(), format) << toggle;
  }
  EXPECT_EQ(std::pair(dialog->ToggleButton(CGridEditDialog::kLeft).GetCheck(),
                      dialog->ToggleButton(CGridEditDialog::kTop).GetCheck()),
            std::pair(0, 0));
  dialog->ColorPicker(CGridEditDialog::kTextColor).SetColor(0x123456);
  dialog->ColorPicker(CGridEditDialog::kBackColor).SetColor(0x00FFFF);
  QCoreApplication::sendPostedEvents();
  const CGridCellBase& cell = *Grid().GetCell(2, 2);
  EXPECT_EQ(std::tuple(LogFontFaceName(*cell.GetFont()), int{cell.GetFont()->lfItalic},
                       int{cell.GetFont()->lfUnderline}, cell.GetFormat(), cell.GetTextColor(),
                       cell.GetBackColor()),
            std::tuple(u"DejaVu Sans"_s, 1, 1, kFormatRight | kFormatMiddle, 0x123456u, 0x00FFFFu));
  EXPECT_EQ(Grid().GetCell(3, 3)->GetTextColor(), 0x8241E2u);  // outside: untouched

  dialog->RowHeight().Edit().setText(u"99999"_s);
  dialog->RowHeight().onStepped(1);  // the largest height stays
  EXPECT_EQ(std::pair(Grid().GetRowHeight(1), dialog->RowHeight().Edit().text()),
            std::pair(99999, u"99999"_s));
  dialog->RowHeight().Edit().setText(u"40"_s);
  dialog->RowHeight().onEdited();
  dialog->ColumnWidth().onStepped(-1);  // from an empty edit: a step down stops at 1
  // Every row and column of the selection (1, 1)-(2, 2) takes the size.
  EXPECT_EQ(std::pair(Grid().GetRowHeight(1), Grid().GetRowHeight(2)), std::pair(40, 40));
  EXPECT_EQ(std::tuple(Grid().GetColumnWidth(1), Grid().GetColumnWidth(2),
                       dialog->ColumnWidth().Edit().text()),
            std::tuple(1, 1, u"1"_s));
  dialog->ColorPicker(CGridEditDialog::kLineColor).SetColor(0x0000FF);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(std::pair(item.LineColor, Grid().GetGridLineColor()), std::pair(0x0000FFu, 0x0000FFu));

  // A click on another cell, then a key back: the controls show each focused cell.
  dialog->show();
  PixelRect rect;
  ASSERT_TRUE(Grid().GetCellRect(3, 3, &rect));
  QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, QPoint(rect.left + 5, rect.top + 5));
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(dialog->ToggleButton(CGridEditDialog::kBold).GetCheck(), 0);
  EXPECT_EQ(dialog->ToggleButton(CGridEditDialog::kItalic).GetCheck(), 0);
  EXPECT_EQ(dialog->ToggleButton(CGridEditDialog::kCentre).GetCheck(), 1);
  EXPECT_EQ(dialog->ColorPicker(CGridEditDialog::kTextColor).GetColor(), 0x8241E2u);
  QTest::keyClick(&Grid(), Qt::Key_Up);  // row 2, column 3
  EXPECT_EQ(dialog->ColumnWidth().Edit().text(), QString::number(Grid().GetColumnWidth(3)));
  QTest::keyClick(&Grid(), Qt::Key_Left);
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(Grid().GetFocusCell(), CCellID(2, 2));
  EXPECT_EQ(dialog->SizeCombo().currentText(), u"12");
  EXPECT_EQ(dialog->FaceCombo().currentText(), u"DejaVu Sans");
  EXPECT_EQ(std::tuple(dialog->ToggleButton(CGridEditDialog::kItalic).GetCheck(),
                       dialog->ToggleButton(CGridEditDialog::kRight).GetCheck(),
                       dialog->ToggleButton(CGridEditDialog::kMiddle).GetCheck()),
            std::tuple(1, 1, 1));
  EXPECT_EQ(dialog->ColorPicker(CGridEditDialog::kTextColor).GetColor(), 0x123456u);
  EXPECT_EQ(dialog->RowHeight().Edit().text(), u"40");
  // The colours shown are not applied: the cells keep theirs.
  EXPECT_EQ(Grid().GetCell(3, 3)->GetTextColor(), 0x8241E2u);
  EXPECT_EQ(Grid().GetCell(2, 2)->GetTextColor(), 0x123456u);

  // The picture: a merged, coloured table.
  Select(1, 1, 4, 4);
  dialog->ColumnWidth().Edit().setText(u"90"_s);
  dialog->ColumnWidth().onEdited();
  Select(0, 0, 1, 3);  // the headers never merge
  Command(ID_GRID_MERGE);
  EXPECT_EQ(Grid().GetCell(1, 1)->GetMergeRange(), CCellBlock(1, 1, 1, 3));
  Grid().SetCellText(1, 1, u"合并 Merged"_s);
  Grid().SetCellText(3, 2, u"Text"_s);
  Grid().ClearSelection();
  SaveScreenshot(*dialog, u"grid_edit_dialog"_s);
  Select(1, 1, 1, 1);
  Command(ID_GRID_SPLIT);
  EXPECT_FALSE(Grid().GetCell(1, 1)->GetMergeRange().SpansCells());
}

TEST_F(GridEditTest, TextsLongerThanTheFileHolds) {
  ASSERT_TRUE(WriteTableFile(path, DefaultTable(64, 32)));
  const QByteArray before = Bytes(path);
  OpenEditor();
  const QString typed(512, u'a');  // one more than the file holds; (1, 1) holds just enough
  Grid().SetCellTextChecked(1, 2, typed);
  QMimeData pasted;
  pasted.setText(QString(511, u'b'));
  ASSERT_TRUE(Grid().PasteSelectionText(1, 1, &pasted, false));
  answer = kIdCancel;
  Command(ID_GRID_APPLY);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].style, 0x31);
  EXPECT_EQ(AskedTexts(), std::vector<int>{1028});
  EXPECT_EQ(Bytes(path), before);  // called off: nothing saved, nothing rendered
  EXPECT_TRUE(owner.Take().empty());
  EXPECT_EQ(Grid().GetCellText(1, 2), typed);
  EXPECT_EQ(Grid().GetFocusCell(), CCellID(1, 2));
  dialog->show();
  dialog->reject();  // Cancel again: the editor stays open
  EXPECT_TRUE(dialog->isVisible());
  answer = kIdOk;
  asked.clear();
  Command(ID_GRID_APPLY);
  EXPECT_EQ(Saved(path).Cell(0, 1).text, QString(511, u'a'));
  EXPECT_EQ(Saved(path).Cell(0, 0).text, QString(511, u'b'));
  EXPECT_EQ(owner.Take(), (std::vector<testsupport::Message>{{UM_RERENDER_ITEM, 0, 0}}));

  // An imported text as long.
  QTemporaryDir folder;
  RunPython(
      u"import openpyxl, sys\n"
      "book = openpyxl.Workbook()\n"
      "book.active['B1'] = 'c' * 600\n"
      "book.save(sys.argv[1] + '/long.xlsx')\n"_s,
      folder.path());
  dialog->ImportExcel(folder.filePath(u"long.xlsx"_s));
  EXPECT_EQ(Grid().GetCellText(1, 2), QString(600, u'c'));
  asked.clear();
  dialog->accept();
  EXPECT_EQ(AskedTexts(), std::vector<int>{1028});
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Saved(path).Cell(0, 1).text, QString(511, u'c'));
}

TEST_F(GridEditTest, ClosePathsAndFailedSaves) {
  for (int close = 0; close < 3; ++close) {
    QFile::remove(path);
    OpenEditor();
    dialog->show();
    Select(1, 1, 1, 1);
    QTest::keyClicks(&Grid(), u"typed"_s);  // still in its in-place editor
    switch (close) {
      case 0: dialog->reject(); break;
      case 1: QTest::keyClick(dialog.get(), Qt::Key_Escape); break;
      default: dialog->close(); break;
    }
    EXPECT_FALSE(dialog->isVisible()) << close;
    EXPECT_EQ(Saved(path).Rows(), 4) << close;
    EXPECT_EQ(Saved(path).Cell(0, 0).text, u"typed") << close;
  }

  OpenEditor();
  dialog->show();
  // The folder becomes a file: no save can succeed, whoever runs the test.
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::UserData)).removeRecursively());
  QFile blocker(GetAppDir() + u"UserData"_s);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Command(ID_GRID_APPLY);
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(AskedTexts(), std::vector<int>{1029});
  Select(1, 1, 1, 1);
  Command(ID_GRID_INSERT_COLUMN);  // not saved: the grid shows it numbered all the same
  EXPECT_EQ(AskedTexts(), std::vector<int>{1029});
  EXPECT_EQ(std::pair(Grid().GetCellText(0, 1), Grid().GetCell(0, 1)->GetFormat()),
            std::pair(u"1"_s, 5u));
  EXPECT_TRUE(owner.Take().empty());
  answer = kIdCancel;
  dialog->reject();
  EXPECT_EQ(AskedTexts(), std::vector<int>{1032});
  EXPECT_TRUE(dialog->isVisible());
  answer = kIdOk;
  dialog->reject();
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(GridEditTest, DamagedFilesAndRoundTripsKeepMerges) {
  ASSERT_TRUE(WriteTableFile(path, DefaultTable(64, 32)));
  QByteArray cut = Bytes(path);
  cut.chop(100);
  QFile out(path);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(cut);
  out.close();
  OpenEditor();
  EXPECT_EQ(AskedTexts(), std::vector<int>{1031});
  EXPECT_EQ(Grid().GetRowCount(), 5);  // the default grid stands in
  EXPECT_EQ(Bytes(path), cut);         // until the editor saves

  Select(1, 1, 2, 2);
  Command(ID_GRID_MERGE);
  dialog->ToggleButton(CGridEditDialog::kBold).click();
  Select(4, 4, 4, 4);
  Command(ID_GRID_INSERT_ROW);
  Select(1, 4, 1, 4);
  Command(ID_GRID_DELETE_COLUMNS);
  const TableFile saved = Saved(path);
  ASSERT_EQ(saved.Rows(), 5);
  ASSERT_EQ(saved.Columns(), 3);
  EXPECT_EQ(saved.Cell(0, 0).mergedRows, 1);
  EXPECT_EQ(saved.Cell(0, 0).mergedCols, 1);
  EXPECT_EQ(saved.Cell(0, 0).font.lfWeight, 700);
  EXPECT_EQ(Grid().GetCell(1, 1)->GetMergeRange(), CCellBlock(1, 1, 2, 2));

  openPath = AppFilePath(AppFolder::UserData, u"other.KQG");
  QFile other(openPath);
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("not a table");
  other.close();
  Command(ID_GRID_OPEN);
  EXPECT_EQ(AskedTexts(), std::vector<int>{1031});
  EXPECT_EQ(Grid().GetRowCount(), 6);  // kept

  // Save as keeps the name as typed and adds the extension only when it is missing.
  const QString sub = AppFolderPath(AppFolder::UserData) + u"Sub Dir/"_s;
  ASSERT_TRUE(QDir().mkpath(sub));
  for (const auto& [typed, written] :
       {std::pair(u"x.KQG"_s, u"x.KQG"_s), std::pair(u"Table"_s, u"Table.kqg"_s)}) {
    savePath = sub + typed;
    Command(ID_GRID_SAVE_AS);
    EXPECT_EQ(Saved(sub + written).Rows(), 5) << typed.toStdString();
  }
  EXPECT_EQ(QDir(sub).entryList(QDir::Files).size(), 2);
}

TEST_F(GridEditTest, ImportsTheFirstWorksheet) {
  QTemporaryDir folder;
  RunPython(QStringLiteral("import runpy, sys; sys.argv = ['', sys.argv[1]]; "
                           "runpy.run_path('" QUENDRA_SPREADSHEET_FIXTURES "')"),
            folder.path());
  OpenEditor();
  openPath = folder.filePath(u"book.xlsx"_s);
  Command(ID_GRID_OPEN);
  ASSERT_EQ(Grid().GetRowCount(), 7);  // the used range C3:F6 from row and column 1
  EXPECT_EQ(Grid().GetCellText(1, 3), QString());
  EXPECT_EQ(Grid().GetCellText(3, 4), u"3.75");
  EXPECT_EQ(Grid().GetCellText(5, 3), u"表格导入");
  EXPECT_EQ(std::tuple(Grid().GetCell(1, 1)->GetTextColor(), Grid().GetCell(1, 1)->GetFormat(),
                       Grid().GetRowHeight(0)),
            std::tuple(255u, 5u, 24));
  EXPECT_TRUE(asked.empty());

  openPath = folder.filePath(u"locked.xls"_s);
  Command(ID_GRID_OPEN);
  EXPECT_EQ(AskedTexts(), std::vector<int>{1027});
  EXPECT_EQ(Grid().GetCellText(3, 4), u"3.75");  // kept

  openPath = folder.filePath(u"far.xls"_s);
  Command(ID_GRID_OPEN);
  EXPECT_EQ(AskedTexts(), std::vector<int>{1030});
  EXPECT_EQ(Grid().GetRowCount(), 501);
  EXPECT_EQ(Grid().GetColumnCount(), 51);
}

TEST_F(GridEditTest, NewTableDialogBoundsItsCounts) {
  CNewGridDialog ask;
  EXPECT_EQ(ask.Rows(), 4);
  EXPECT_EQ(ask.Columns(), 4);
  SaveScreenshot(ask, u"new_grid_dialog"_s);
  ask.RowsEdit().clear();
  QTest::keyClicks(&ask.RowsEdit(), u"0"_s);
  EXPECT_EQ(std::pair(ask.RowsEdit().text(), ask.Rows()), std::pair(u"1"_s, 1));
  ask.RowsEdit().clear();
  QTest::keyClicks(&ask.RowsEdit(), u"501"_s);
  EXPECT_EQ(ask.Rows(), 500);
  ask.ColumnsEdit().clear();
  QTest::keyClicks(&ask.ColumnsEdit(), u"51"_s);
  EXPECT_EQ(ask.ColumnsEdit().text(), u"50");
  ask.ColumnsEdit().clear();  // an emptied edit counts one
  EXPECT_EQ(ask.Columns(), 1);
  EXPECT_EQ(ask.windowTitle(), u"New table");

  // The editor's own question is this dialog: Cancel keeps the table, OK makes one of its
  // counts.
  dialog = std::make_unique<CGridEditDialog>(path, item, 90, 100, owner.Handle());
  for (const bool accepted : {false, true}) {
    QTimer::singleShot(0, [accepted] {
      auto* asked = dynamic_cast<CNewGridDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(asked, nullptr);
      asked->RowsEdit().setText(u"2"_s);
      asked->done(accepted ? QDialog::Accepted : QDialog::Rejected);
    });
    Command(ID_GRID_NEW);
    EXPECT_EQ(Grid().GetRowCount(), accepted ? 3 : 5) << accepted;
  }
}

// The editor and the new table's dialog in the three longer translations.
TEST_F(GridEditTest, TranslationsFit) {
  OpenEditor();
  std::string cut = CutTextsInTranslations(
      *dialog, [this] { dialog->ApplyLanguage(); }, u"grid_edit_dialog"_s);
  // The new table's dialog takes its texts when made.
  for (int language : {4, 5, 6}) {
    SelectLanguageFile(language);
    CNewGridDialog ask;
    ask.show();
    cut += CutTexts(ask).join(u'|').toStdString();
    SaveScreenshot(ask, u"new_grid_dialog_%1"_s.arg(language));
  }
  EXPECT_EQ(cut, "");
}

}  // namespace
