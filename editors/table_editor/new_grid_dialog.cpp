#include "editors/table_editor/new_grid_dialog.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "editors/spreadsheet/spreadsheet_reader.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kRowsId = 1004;
constexpr int kColumnsId = 1006;
constexpr int kRowsLabelId = 1426;
constexpr int kColumnsLabelId = 1427;
constexpr int kOkId = 1078;
constexpr int kCancelId = 1079;
constexpr int kFirstCount = 4;
constexpr int kCountDigits = 6;

int CountOf(const QLineEdit& edit) { return edit.text().toInt(); }

}  // namespace

CNewGridDialog::CNewGridDialog(QWidget* parent) : QDialog(parent) {
  setFixedSize(260, 130);
  auto* rowsLabel = new QLabel(this);
  SetControlId(rowsLabel, kRowsLabelId);
  rowsLabel->setGeometry(16, 18, 90, 22);
  auto* columnsLabel = new QLabel(this);
  SetControlId(columnsLabel, kColumnsLabelId);
  columnsLabel->setGeometry(16, 52, 90, 22);
  rows_ = MakeCountEdit(kRowsId, 16, kMaxImportRows);
  columns_ = MakeCountEdit(kColumnsId, 50, kMaxImportColumns);
  auto* ok = new QPushButton(this);
  SetControlId(ok, kOkId);
  ok->setGeometry(70, 92, 84, 28);
  ok->setDefault(true);
  auto* cancel = new QPushButton(this);
  SetControlId(cancel, kCancelId);
  cancel->setGeometry(164, 92, 84, 28);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  ApplyLanguage();
}

QLineEdit* CNewGridDialog::MakeCountEdit(int id, int top, int maximum) {
  auto* edit = new QLineEdit(QString::number(kFirstCount), this);
  SetControlId(edit, id);
  edit->setGeometry(110, top, 138, 24);
  edit->setMaxLength(kCountDigits);
  edit->setValidator(new QIntValidator(edit));
  connect(edit, &QLineEdit::textEdited, this, [edit, maximum](const QString& text) {
    if (text.isEmpty() || text == u"-") return;  // still being typed
    const int count = std::clamp(text.toInt(), 1, maximum);
    if (QString::number(count) != text) edit->setText(QString::number(count));
  });
  return edit;
}

int CNewGridDialog::Rows() const { return std::clamp(CountOf(*rows_), 1, kMaxImportRows); }

int CNewGridDialog::Columns() const { return std::clamp(CountOf(*columns_), 1, kMaxImportColumns); }

void CNewGridDialog::ApplyLanguage() {
  const QString section = lang_section::IDD_NEWGRID_DIALOG;
  setWindowTitle(ReadLangText(section, 1000));
  static_cast<void>(SetDlgItemLangText(this, kRowsLabelId, section, 1001));
  static_cast<void>(SetDlgItemLangText(this, kColumnsLabelId, section, 1002));
  static_cast<void>(SetDlgItemLangText(this, kOkId, lang_section::PUBLIC, 1000));
  static_cast<void>(SetDlgItemLangText(this, kCancelId, lang_section::PUBLIC, 1001));
}
