#include "app/send/group_dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "app/send/send_icons.h"
#include "model/common/bounded_text.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

QString ScreenName(const ScreenRecord& screen) { return ReadBoundedText(screen.LedName); }

// The first screen of that number, or null.
const ScreenRecord* ScreenOfNumber(std::int32_t number) {
  const auto found = std::find_if(ScreenList.begin(), ScreenList.end(),
                                  [number](const ScreenRecord& s) { return s.LedNo == number; });
  return found == ScreenList.end() ? nullptr : &*found;
}

// The group at a position of ScreenGroupList, or null.
ScreenGroup* GroupAt(int index) {
  if (index < 0 || index >= static_cast<int>(ScreenGroupList.size())) return nullptr;
  return &*std::next(ScreenGroupList.begin(), index);
}

// OK and Cancel under a dialog's controls.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  ok = new QPushButton(ReadLangText(lang_section::PUBLIC, 1000), dialog);
  auto* cancel = new QPushButton(ReadLangText(lang_section::PUBLIC, 1001), dialog);
  ok->setDefault(true);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace

CAddGroupDialog::CAddGroupDialog(QWidget* parent, int mode, int groupCount, const QString& name)
    : QDialog(parent), edit_(this) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ReadLangText(lang_section::IDD_ADDGROUP_DIALOG, 1000), this));
  edit_.setMaxLength(kNameLimit);
  layout->addWidget(&edit_);
  QPushButton* ok = nullptr;
  layout->addLayout(OkCancelRow(this, ok));
  connect(ok, &QPushButton::clicked, this, [this] {
    name_ = edit_.text();
    accept();
  });
  if (mode == 1) {
    setWindowTitle(ReadLangText(lang_section::IDD_ADDGROUP_DIALOG, 1001));
    edit_.setText(FormatLangText(ReadLangText(lang_section::IDD_ADDGROUP_DIALOG, 1002),
                                 {QString::number(groupCount + 1)}));
  } else {
    setWindowTitle(ReadLangText(lang_section::IDD_ADDGROUP_DIALOG, 1003));
    edit_.setText(name);
  }
  setMinimumWidth(300);
}

void CAddGroupDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  edit_.setFocus();
  edit_.selectAll();
}

CGroupSetDialog::CGroupSetDialog(QWidget* parent)
    : QDialog(parent), allList_(this), groupCombo_(this), memberList_(this) {
  setWindowTitle(ReadLangText(lang_section::IDD_GROUPSET_DIALOG, 1000));
  static_cast<void>(icons_.Add(PaintSendIcon(SendIcon::Screen, 24)));
  allList_.SetImageList(&icons_);
  memberList_.SetImageList(&icons_);
  for (const ScreenRecord& screen : ScreenList) allList_.AddString(ScreenName(screen), 0);
  const QIcon groupIcon(QPixmap::fromImage(PaintSendIcon(SendIcon::Group, 16)));
  for (const ScreenGroup& group : ScreenGroupList) groupCombo_.addItem(groupIcon, group.GroupName);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(ReadLangText(lang_section::IDD_GROUPSET_DIALOG, 1001), this), 0, 0);
  grid->addWidget(new QLabel(ReadLangText(lang_section::IDD_GROUPSET_DIALOG, 1002), this), 0, 2);
  grid->addWidget(&allList_, 1, 0, 2, 1);
  grid->addWidget(&groupCombo_, 1, 2);
  grid->addWidget(&memberList_, 2, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  const std::pair<const char*, void (CGroupSetDialog::*)()> commands[] = {
      {">", &CGroupSetDialog::OnAddOne},
      {">>", &CGroupSetDialog::OnAddAll},
      {"<", &CGroupSetDialog::OnRemoveOne},
      {"<<", &CGroupSetDialog::OnRemoveAll}};
  for (const auto& [label, handler] : commands) {
    auto* button = new QPushButton(QString::fromLatin1(label), this);
    button->setObjectName(QString::fromLatin1(label));
    connect(button, &QPushButton::clicked, this, handler);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  grid->addLayout(buttons, 1, 1, 2, 1);
  resize(520, 360);

  connect(&groupCombo_, &QComboBox::currentIndexChanged, this, &CGroupSetDialog::OnSelchangeGroup);
  if (groupCombo_.count() > 0) groupCombo_.setCurrentIndex(0);  // shows its members
}

void CGroupSetDialog::OnSelchangeGroup() {
  memberList_.ResetContent();
  const ScreenGroup* group = GroupAt(groupCombo_.currentIndex());
  if (group == nullptr) return;
  for (std::int32_t number : group->ScreenNos) {
    if (const ScreenRecord* screen = ScreenOfNumber(number)) {
      memberList_.AddString(ScreenName(*screen), 0);
    }
  }
}

void CGroupSetDialog::OnAddOne() {
  ScreenGroup* group = GroupAt(groupCombo_.currentIndex());
  const int row = allList_.currentRow();
  if (group == nullptr || row < 0 || row >= static_cast<int>(ScreenList.size())) return;
  const ScreenRecord& screen = *std::next(ScreenList.begin(), row);
  auto& members = group->ScreenNos;
  if (std::find(members.begin(), members.end(), screen.LedNo) != members.end()) return;
  members.push_back(screen.LedNo);
  memberList_.AddString(ScreenName(screen), 0);
}

void CGroupSetDialog::OnAddAll() {
  ScreenGroup* group = GroupAt(groupCombo_.currentIndex());
  if (group == nullptr) return;
  group->ScreenNos.clear();
  for (const ScreenRecord& screen : ScreenList) group->ScreenNos.push_back(screen.LedNo);
  OnSelchangeGroup();
}

void CGroupSetDialog::OnRemoveOne() {
  ScreenGroup* group = GroupAt(groupCombo_.currentIndex());
  const int row = memberList_.currentRow();
  if (group == nullptr || row < 0 || row >= static_cast<int>(group->ScreenNos.size())) return;
  group->ScreenNos.erase(group->ScreenNos.begin() + row);
  // The list skips members without a screen, so it is filled again rather than cut.
  OnSelchangeGroup();
}

void CGroupSetDialog::OnRemoveAll() {
  ScreenGroup* group = GroupAt(groupCombo_.currentIndex());
  if (group == nullptr) return;
  group->ScreenNos.clear();
  memberList_.ResetContent();
}

CLedSelectDialog::CLedSelectDialog(QWidget* parent) : QDialog(parent), screens_(this) {
  const QIcon icon(QPixmap::fromImage(PaintSendIcon(SendIcon::Screen, 32)));
  screens_.setIconSize(QSize(32, 32));
  for (const ScreenRecord& screen : ScreenList) {
    const int colour = screen.LedColor >= 0 && screen.LedColor <= 3 ? 1017 + screen.LedColor : 0;
    // One pass over the format, so that a "%" in a name or text is shown as it is.
    screens_.addItem(
        icon,
        FormatLangText(
            QStringLiteral("%s (%s:%s,%s:%d,%s:%d)"),
            {ScreenName(screen), ReadLangText(lang_section::IDD_LEDSELECT_DIALOG, 1001),
             colour != 0 ? ReadLangText(lang_section::IDD_BASICSET_DIALOG, colour) : QString(),
             ReadLangText(lang_section::IDD_LEDSELECT_DIALOG, 1002),
             QString::number(screen.LedWidth),
             ReadLangText(lang_section::IDD_LEDSELECT_DIALOG, 1003),
             QString::number(screen.LedHeight)}));
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ReadLangText(lang_section::IDD_LEDSELECT_DIALOG, 1000), this));
  layout->addWidget(&screens_);
  QPushButton* ok = nullptr;
  layout->addLayout(OkCancelRow(this, ok));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  setMinimumWidth(360);
}
