#pragma once
// CNewGridDialog (IDD_NEWGRID_DIALOG): asks for the rows and columns of a new table,
// both 4 at first. As it is typed a count of 0 or less becomes 1 and one above the
// largest table (kMaxImportRows x kMaxImportColumns) becomes that largest count.

#include <QDialog>

class QLineEdit;

class CNewGridDialog : public QDialog {
 public:
  explicit CNewGridDialog(QWidget* parent = nullptr);

  int Rows() const;
  int Columns() const;
  QLineEdit& RowsEdit() { return *rows_; }
  QLineEdit& ColumnsEdit() { return *columns_; }

 private:
  QLineEdit* MakeCountEdit(int id, int top, int maximum);
  void ApplyLanguage();

  QLineEdit* rows_ = nullptr;
  QLineEdit* columns_ = nullptr;
};
