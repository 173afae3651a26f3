#pragma once
// CUpdateCPUDialog (481): the modal chooser of a firmware file before the firmware goes
// to many cards at once. A frameless balloon whose pointer stands above and left of the
// main window's lower right corner, with the path, its browse button, the card model
// read from the file, OK and Cancel. OK without a path keeps it open; after OK the
// caller reads Path().

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "controls/buttons/button_qx.h"
#include "controls/dialogs/see_through_dialog.h"

class CUpdateCPUDialog : public SeeThroughDialog {
 public:
  using Ask = std::function<int(const QString& text, int style)>;
  using ChooseFile = std::function<QString(const QString& filter)>;

  static constexpr QSize kClientSize{380, 190};
  static constexpr int kRightInset = 100;
  static constexpr int kBottomInset = 82;

  explicit CUpdateCPUDialog(QWidget* parent = nullptr, Ask ask = {}, ChooseFile chooseFile = {});

  void OnBrowse();
  void OnUpgrade();
  void ApplyLanguage();

  QString Path() const { return path_.text(); }
  QString Model() const { return model_.text(); }

 protected:
  void PaintSurface(QPainter& painter, QSize size) override;

 private:
  Ask ask_;
  ChooseFile chooseFile_;
  QLabel pathLabel_;
  QLineEdit path_;
  CButtonQx browse_;
  QLabel modelLabel_;
  QLineEdit model_;
  QPushButton ok_;
  QPushButton cancel_;
};
