#pragma once
// The dialogs of the send pane's screen groups: the group name, the group editor and
// the screen chooser of the shared send.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "controls/lists/list_box_qx.h"
#include "controls/support/image_list.h"

// Asks for a group's name: mode 1 adds a group (the name proposed from the number of
// groups), mode 0 renames one (the name given).
class CAddGroupDialog : public QDialog {
 public:
  static constexpr int kNameLimit = 64;

  CAddGroupDialog(QWidget* parent, int mode, int groupCount, const QString& name = QString());
  QString Name() const { return name_; }
  QLineEdit& NameEdit() { return edit_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit edit_;
  QString name_;
  bool shown_ = false;
};

// Edits the members of ScreenGroupList's groups in place; every change holds at once.
class CGroupSetDialog : public QDialog {
 public:
  explicit CGroupSetDialog(QWidget* parent);

  CListBoxQx& AllScreens() { return allList_; }
  QComboBox& TargetGroup() { return groupCombo_; }
  CListBoxQx& Members() { return memberList_; }

  void OnSelchangeGroup();
  void OnAddOne();     // ">"
  void OnAddAll();     // ">>"
  void OnRemoveOne();  // "<"
  void OnRemoveAll();  // "<<"

 private:
  ImageList icons_{QSize(24, 24)};
  CListBoxQx allList_;
  QComboBox groupCombo_;
  CListBoxQx memberList_;
};

// Lists every screen with its colour and size to choose one from.
class CLedSelectDialog : public QDialog {
 public:
  explicit CLedSelectDialog(QWidget* parent);
  QComboBox& Screens() { return screens_; }

 private:
  QComboBox screens_;
};
