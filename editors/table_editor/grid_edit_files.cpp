// The editor's files: loading and saving the table, new, open, save as, apply, the
// spreadsheet import and the save on closing.

#include <QFileInfo>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/grid/table/grid_table_file.h"
#include "controls/grid/widget/grid_ctrl.h"
#include "controls/shell/program_messages.h"
#include "editors/spreadsheet/spreadsheet_reader.h"
#include "editors/table_editor/grid_edit_dialog.h"
#include "editors/table_editor/table_shapes.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/table/table_file.h"

namespace {

const QString kOpenFilter = QStringLiteral(
    "*.xls (*.xls *.XLS);;*.xlsx (*.xlsx *.XLSX);;*.kqg (*.kqg *.KQG);;"
    "* (*.xls *.XLS *.xlsx *.XLSX *.kqg *.KQG)");
const QString kSaveFilter = QStringLiteral("*.kqg (*.kqg *.KQG)");
const QString kTableSuffix = QStringLiteral(".kqg");

// IDD_GRIDEDIT_DIALOG: the spreadsheet cannot be read; texts too long for the table
// file; a save failed; rows or columns left out of an import; not a table file; close
// without saving?
constexpr int kUnreadableSheetText = 1027;
constexpr int kLongTextsText = 1028;
constexpr int kSaveFailedText = 1029;
constexpr int kLeftOutText = 1030;
constexpr int kNoTableText = 1031;
constexpr int kCloseUnsavedText = 1032;
constexpr int kStyleError = 0x10;
constexpr int kStyleAsk = 0x41;
constexpr int kStyleWarnAsk = 0x31;

QString Text(int number, const QStringList& args = {}) {
  return FormatLangText(ReadLangText(lang_section::IDD_GRIDEDIT_DIALOG, number), args);
}

}  // namespace

bool CGridEditDialog::LoadTable(const QString& path) {
  TableFile table;
  if (QFileInfo::exists(path) && ReadTableFile(path, &table) != TableRead::Ok) {
    hooks_.ask(Text(kNoTableText), kStyleError);
    return false;
  }
  return LoadTableFile(*grid_, path) == 1;
}

CGridEditDialog::Saved CGridEditDialog::SaveTable(const QString& path, bool showFailure) {
  grid_->CloseCellEditor();  // a text still being typed is saved with the others
  const LongTexts longTexts = FindLongTexts(*grid_);
  if (longTexts.count > 0 && hooks_.ask(Text(kLongTextsText, {QString::number(longTexts.first.row),
                                                              QString::number(longTexts.first.col),
                                                              QString::number(longTexts.count)}),
                                        kStyleWarnAsk) != kIdOk) {
    grid_->SetSelectedRange(longTexts.first.row, longTexts.first.col, longTexts.first.row,
                            longTexts.first.col);
    grid_->SetFocusCell(longTexts.first);
    grid_->EnsureVisible(longTexts.first);
    return Saved::kCalledOff;
  }
  if (SaveTableFile(*grid_, path) == 1) return Saved::kYes;
  if (showFailure) hooks_.ask(Text(kSaveFailedText), kStyleError);
  return Saved::kFailed;
}

void CGridEditDialog::SaveAndReload() {
  // A table not saved stays as it is shown: loading the old file would lose the change.
  if (SaveTable(tablePath_, true) == Saved::kYes) static_cast<void>(LoadTable(tablePath_));
}

void CGridEditDialog::OnNew() {
  const std::optional<std::pair<int, int>> size = hooks_.askNewTableSize();
  if (!size) return;
  static_cast<void>(BuildNewTable(*grid_, size->first, size->second, width_, height_));
  grid_->Refresh();
}

void CGridEditDialog::OnOpen() {
  const QString path = hooks_.chooseOpenFile(kOpenFilter);
  if (path.isEmpty()) return;
  if (path.right(3).compare(QLatin1String("kqg"), Qt::CaseInsensitive) == 0) {
    static_cast<void>(LoadTable(path));
  } else {
    ImportExcel(path);
  }
  grid_->Refresh();
}

void CGridEditDialog::ImportExcel(const QString& path) {
  const WorksheetTexts sheet = ReadFirstWorksheet(path);
  if (sheet.error != SpreadsheetError::None) {
    hooks_.ask(Text(kUnreadableSheetText), kStyleError);
    return;
  }
  static_cast<void>(BuildImportedTable(*grid_, sheet));
  if (sheet.rowsLeftOut > 0 || sheet.columnsLeftOut > 0) {
    hooks_.ask(Text(kLeftOutText,
                    {QString::number(sheet.rowsLeftOut), QString::number(sheet.columnsLeftOut),
                     QString::number(kMaxImportRows), QString::number(kMaxImportColumns)}),
               kStyleError);
  }
}

void CGridEditDialog::OnSaveAs() {
  QString path = hooks_.chooseSaveFile(kSaveFilter);
  if (path.isEmpty()) return;
  if (!path.endsWith(kTableSuffix, Qt::CaseInsensitive)) path += kTableSuffix;
  static_cast<void>(SaveTable(path, true));
}

void CGridEditDialog::OnApply() {
  if (SaveTable(tablePath_, true) == Saved::kYes) SendMessage(owner_, UM_RERENDER_ITEM, 0, 0);
}

void CGridEditDialog::done(int result) {
  switch (SaveTable(tablePath_, false)) {
    case Saved::kCalledOff: return;  // the editor stays open on the long text
    case Saved::kFailed:
      if (hooks_.ask(Text(kCloseUnsavedText), kStyleAsk) != kIdOk) return;
      break;
    case Saved::kYes: break;
  }
  QDialog::done(result);
}
