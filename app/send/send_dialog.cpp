#include "app/send/send_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <span>

#include "app/builder/program_builder.h"
#include "app/builder/send_checks.h"
#include "app/builder/send_error_text.h"
#include "app/prerender/flash_converter.h"
#include "app/send/brightness_send_dialog.h"
#include "app/send/group_dialogs.h"
#include "app/send/send_icons.h"
#include "app/send/time_on_off_dialog.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "device/firmware/firmware_file.h"
#include "device/firmware/update_cpu_dialog.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/current_screen.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/rerender/content_rerender.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kCaptionBand = 34;
constexpr std::int32_t kClockMask = 16;
constexpr std::int32_t kPowerMask = 32;
constexpr std::int32_t kTimedPowerMask = 64;
constexpr std::int32_t kBrightnessMask = 128;
constexpr std::int32_t kFixedBrightness = 0;
constexpr std::int32_t kScheduledBrightness = 1;
constexpr std::int32_t kTcpAndSerialOnly = 1;
constexpr int kErrorStyle = 0x10;  // the styled message box's error icon

QString Text(int key) { return ReadLangText(lang_section::IDD_SEND_DIALOG, key); }

// The command buttons: control id, label key, handler (null: no operation yet).
struct Command {
  int id;
  int key;
  void (CSendDialog::*handler)();
};
constexpr Command kCommands[] = {{IDC_SEND_PROGRAMS, 1015, &CSendDialog::OnSend},
                                 {IDC_SEND_BRIGHTNESS, 1006, &CSendDialog::OnBrightness},
                                 {IDC_SEND_ADJUST_TIME, 1007, &CSendDialog::OnAdjustTime},
                                 {IDC_SEND_SCREEN_ON, 1008, &CSendDialog::OnScreenOn},
                                 {IDC_SEND_SCREEN_OFF, 1009, &CSendDialog::OnScreenOff},
                                 {IDC_SEND_TIMED_ON_OFF, 1010, &CSendDialog::OnTimeOnOff},
                                 {IDC_SEND_FIRMWARE, 1013, &CSendDialog::OnUpdateFirmware},
                                 {IDC_SEND_READ_SETTINGS, 1011, nullptr},
                                 {IDC_SEND_RESTART_CARDS, 1012, nullptr}};
constexpr Command kGroupCommands[] = {{IDC_SEND_ADD_GROUP, 1001, &CSendDialog::OnAddGroup},
                                      {IDC_SEND_EDIT_GROUPS, 1002, &CSendDialog::OnEditGroup},
                                      {IDC_SEND_DELETE_GROUP, 1003, &CSendDialog::OnDeleteGroup},
                                      {IDC_SEND_SHARE_PROGRAMS, 1014, &CSendDialog::OnSharedSend}};
constexpr int kColumnWidths[] = {70, 100, 120, 190};

QString LinkText(int key) {
  return QStringLiteral("<a href=\"#\">") + Text(key) + QStringLiteral("</a>");
}

}  // namespace

CSendDialog::CSendDialog(QWidget* parent, const ProjectTreeItems& tree, DialogRunner runDialog)
    : TaskPane(kSendPane, parent),
      tree_(tree),
      runDialog_(runDialog ? std::move(runDialog) : [](QDialog& dialog) { return dialog.exec(); }),
      groupList_(this),
      screens_(this),
      groupLabel_(this) {
  CreateControls();
  ApplyLanguage();
  screens_.SetBarColumn(kBarColumn);
  screens_.SetStatusColumn(kStatusColumn);
  static_cast<void>(groupImages_.Add(PaintSendIcon(SendIcon::AllScreens, 48)));
  static_cast<void>(groupImages_.Add(PaintSendIcon(SendIcon::Group, 48)));
  static_cast<void>(screenImages_.Add(PaintSendIcon(SendIcon::Screen, 16)));
  groupList_.SetImageList(&groupImages_);
  groupList_.AddString(Text(1020), 0);
  groupList_.setCurrentRow(0);
  connect(&groupList_, &QListWidget::currentRowChanged, this, [this] { OnSelchangeGroupList(); });
}

void CSendDialog::CreateControls() {
  groupList_.setObjectName(QString::number(IDC_SEND_GROUP_LIST));
  groupLabel_.setObjectName(QString::number(IDC_SEND_GROUP_LABEL));
  screens_.setObjectName(QString::number(IDC_SEND_SCREEN_LIST));
  screens_.setRootIsDecorated(false);
  screens_.setAllColumnsShowFocus(true);  // full-row select
  screens_.setSelectionBehavior(QAbstractItemView::SelectRows);
  screens_.setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d8d8d8; }"));
  screens_.setIconSize(QSize(16, 16));

  auto makeButton = [this](const Command& command) {
    auto* button = new QPushButton(this);
    button->setObjectName(QString::number(command.id));
    if (command.handler != nullptr) connect(button, &QPushButton::clicked, this, command.handler);
    controls_[command.id] = button;
    return button;
  };
  auto* groupButtons = new QGridLayout;
  for (std::size_t i = 0; i < std::size(kGroupCommands); ++i) {
    groupButtons->addWidget(makeButton(kGroupCommands[i]), static_cast<int>(i / 2),
                            static_cast<int>(i % 2));
  }
  auto* left = new QVBoxLayout;
  left->addWidget(&groupLabel_);
  left->addWidget(&groupList_, 1);
  left->addLayout(groupButtons);

  auto* links = new QHBoxLayout;
  for (int id : {IDC_SEND_SELECT_ALL, IDC_SEND_SELECT_NONE}) {
    auto* link = new QLabel(this);
    link->setObjectName(QString::number(id));
    link->setTextFormat(Qt::RichText);
    connect(link, &QLabel::linkActivated, this,
            [this, id] { CheckAllRows(id == IDC_SEND_SELECT_ALL); });
    controls_[id] = link;
    links->addWidget(link);
  }
  links->addStretch();
  auto* commands = new QGridLayout;
  for (std::size_t i = 0; i < std::size(kCommands); ++i) {
    commands->addWidget(makeButton(kCommands[i]), static_cast<int>(i / 5), static_cast<int>(i % 5));
  }
  auto* right = new QVBoxLayout;
  right->addLayout(links);
  right->addWidget(&screens_, 1);
  right->addLayout(commands);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, kCaptionBand + 10, 10, 10);
  layout->addLayout(left, 1);
  layout->addLayout(right, 3);
}

QWidget* CSendDialog::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

void CSendDialog::ApplyLanguage() {
  groupLabel_.setText(Text(1000));
  for (const auto& table :
       {std::span<const Command>(kCommands), std::span<const Command>(kGroupCommands)}) {
    for (const Command& command : table) {
      static_cast<QPushButton*>(controls_[command.id])->setText(Text(command.key));
    }
  }
  static_cast<QLabel*>(controls_[IDC_SEND_SELECT_ALL])->setText(LinkText(1004));
  static_cast<QLabel*>(controls_[IDC_SEND_SELECT_NONE])->setText(LinkText(1005));
  if (groupList_.count() > 0) static_cast<void>(groupList_.SetItemText(0, Text(1020)));

  screens_.setColumnCount(0);
  QStringList headers;
  for (int key = 1016; key <= 1019; ++key) headers << Text(key);
  screens_.setHeaderLabels(headers);
  screens_.header()->setDefaultAlignment(Qt::AlignCenter);
  for (int column = 0; column < 4; ++column) screens_.setColumnWidth(column, kColumnWidths[column]);
  StatusWords words;
  words.success = Text(1021);
  screens_.SetStatusWords(words);

  BackButton().SetTipText(ReadLangText(lang_section::PUBLIC, 1004), true);
  setWindowTitle(ReadLangText(lang_section::IDD_QUENDRA_DIALOG, 1003));
  update();
}

void CSendDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanelFrameClient(QString(), true, true, this, painter);
  DrawCaptionBand(this, windowTitle(),
                  QIcon(QPixmap::fromImage(PaintSendIcon(SendIcon::AllScreens, 24))), painter);
}

void CSendDialog::FillGroupList() {
  {
    const QSignalBlocker blocker(&groupList_);
    groupList_.ResetContent();
    groupList_.AddString(Text(1020), 0);
    for (const ScreenGroup& group : ScreenGroupList) groupList_.AddString(group.GroupName, 1);
    groupList_.setCurrentRow(0);
  }
  OnSelchangeGroupList();
}

void CSendDialog::AddRow(ScreenRecord& screen) {
  const int row = screens_.InsertProgressItem(screens_.GetItemCount(),
                                              QString::number(screens_.GetItemCount() + 1));
  QTreeWidgetItem* item = screens_.topLevelItem(row);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(0, Qt::Checked);
  item->setIcon(0, QIcon(QPixmap::fromImage(screenImages_.GetImage(0))));
  static_cast<void>(screens_.SetItemText(row, 1, ReadBoundedText(screen.LedName)));
  static_cast<void>(screens_.SetItemData(row, reinterpret_cast<LPARAM>(&screen)));
  for (int column = 0; column < 4; ++column) item->setTextAlignment(column, Qt::AlignCenter);
}

void CSendDialog::OnSelchangeGroupList() {
  screens_.DeleteAllProgressItems();
  refusals_.clear();
  const int entry = groupList_.currentRow();
  if (entry == 0) {
    for (ScreenRecord& screen : ScreenList) AddRow(screen);
  } else if (entry >= 1 && entry <= static_cast<int>(ScreenGroupList.size())) {
    // A number listed twice is one row: two rows would send to one card twice at once.
    std::vector<std::int32_t> listed;
    for (std::int32_t number : std::next(ScreenGroupList.begin(), entry - 1)->ScreenNos) {
      if (std::find(listed.begin(), listed.end(), number) != listed.end()) continue;
      const auto screen =
          std::find_if(ScreenList.begin(), ScreenList.end(),
                       [number](const ScreenRecord& s) { return s.LedNo == number; });
      if (screen == ScreenList.end()) continue;
      listed.push_back(number);
      AddRow(*screen);
    }
  }
  refusals_.assign(static_cast<std::size_t>(screens_.GetItemCount()), 0);
}

bool CSendDialog::RowChecked(int row) const {
  return screens_.topLevelItem(row)->checkState(0) != Qt::Unchecked;
}

void CSendDialog::CheckAllRows(bool checked) {
  for (int row = 0; row < screens_.GetItemCount(); ++row) {
    screens_.topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  }
}

int CSendDialog::CollectCommInfos(std::vector<CommInfo>& infos) {
  infos.clear();
  for (int row = 0; row < screens_.GetItemCount(); ++row) {
    if (!RowChecked(row)) continue;
    const auto* screen = reinterpret_cast<const ScreenRecord*>(screens_.GetItemData(row));
    CommInfo info = CardLinkOf(*screen);
    // The multi-card calls answer a USB-disk screen as one they do not serve.
    if (screen->SendType == kSendByUsbDisk) info.SendType = KQ_SEND_USB;
    info.NotifyWindow = Handle();
    info.StatusMessage = UM_SEND_RESULT;
    info.ProgressMessage = UM_SEND_PROGRESS;
    info.CallerValue = row;
    infos.push_back(info);
  }
  return static_cast<int>(infos.size());
}

int CSendDialog::CollectTargets(std::vector<CommInfo>& infos, std::vector<ScreenSendJob>& jobs) {
  jobs.clear();
  const int count = CollectCommInfos(infos);
  for (const CommInfo& info : infos) {
    auto* screen = reinterpret_cast<ScreenRecord*>(screens_.GetItemData(info.CallerValue));
    ScreenSendJob& job = jobs.emplace_back();
    CollectCheckedPrograms(*screen, tree_, job, false);
    RerenderScreenContent(job);
  }
  return count;
}

void CSendDialog::EnableCommands(bool enable) {
  groupList_.setEnabled(enable);
  BackButton().setEnabled(enable);
  for (const auto& [id, control] : controls_) control->setEnabled(enable);
  if (previewFrame_ != nullptr) previewFrame_->setEnabled(enable);
}

void CSendDialog::OnSend() {
  CFlashConverter converter;
  std::vector<CommInfo> infos;
  std::vector<ScreenSendJob> jobs;
  if (CollectTargets(infos, jobs) == 0) return;
  // A page file that cannot become display data stops the send before anything goes.
  for (const ScreenSendJob& job : jobs) {
    if (const SendCheckResult check = CheckPageFiles(job); check.code != kSendCheckOk) {
      CStyleMessageDialog box(SendCheckMessage(job, check), kErrorStyle, this);
      static_cast<void>(runDialog_(box));
      return;
    }
  }
  EnableCommands(false);
  for (const ScreenSendJob& job : jobs) converter.CollectScreen(job);
  converter.StartRecorders();
  static_cast<void>(converter.WaitUntilDone());  // always 1

  // A row whose set could not be made shows that at once and is not sent.
  std::vector<OwnedProgramSet> sets;
  std::vector<ProgramHandle> handles;
  std::vector<CommInfo> sent;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    const int row = infos[i].CallerValue;
    OwnedProgramSet set = BuildScreenProgram(jobs[i], 0, &refusals_[static_cast<std::size_t>(row)]);
    if (set == nullptr) {
      ShowResult(row, KQ_ERR_BAD_HANDLE);
      continue;
    }
    handles.push_back(set.get());
    sets.push_back(std::move(set));
    sent.push_back(infos[i]);
  }
  const std::int32_t code = sent.empty() ? KQ_OK
                                         : KQ_MultiSend(sent.data(), handles.data(), nullptr,
                                                        static_cast<std::int32_t>(sent.size()));
  // A call refused as a whole posts nothing; its rows show why.
  if (code != KQ_OK) {
    for (const CommInfo& info : sent) ShowResult(info.CallerValue, code);
  }
  EnableCommands(true);
}

void CSendDialog::RunOnCheckedCards(const MultiCardCall& call) {
  std::vector<CommInfo> infos;
  if (CollectCommInfos(infos) == 0) return;
  std::fill(refusals_.begin(), refusals_.end(), 0);  // they belong to a program send
  EnableCommands(false);
  const std::int32_t code = call(infos);
  // A call refused as a whole posts nothing; its rows show why.
  if (code != KQ_OK) {
    for (const CommInfo& info : infos) ShowResult(info.CallerValue, code);
  }
  EnableCommands(true);
}

void CSendDialog::SendSetting(const LedAllSettingInfo& record) {
  RunOnCheckedCards([&record](std::vector<CommInfo>& infos) {
    return KQ_SetLedAllSettingInfo(infos.data(), &record, nullptr,
                                   static_cast<std::int32_t>(infos.size()), kTcpAndSerialOnly);
  });
}

int CSendDialog::Ask(const QString& text, int style) {
  CStyleMessageDialog box(text, style, this);
  static_cast<void>(runDialog_(box));  // the button pressed says how it ended
  return box.Result();
}

void CSendDialog::OnUpdateFirmware() {
  const FirmwareAsk ask = [this](const QString& text, int style) { return Ask(text, style); };
  CUpdateCPUDialog chooser(this, ask);
  if (runDialog_(chooser) != QDialog::Accepted) return;
  const QString path = chooser.Path();
  // A typed path is checked here; the cards it goes to are named in the question.
  const QString model = CheckedFirmwareModel(path, ask);
  if (model.isEmpty()) return;
  std::vector<const ScreenRecord*> served;
  for (int row = 0; row < screens_.GetItemCount(); ++row) {
    const auto* screen = reinterpret_cast<const ScreenRecord*>(screens_.GetItemData(row));
    if (RowChecked(row) && screen->SendType != kSendByUsbDisk) served.push_back(screen);
  }
  if (!served.empty() && !ConfirmFirmwareUpdate(served, model, ask)) return;
  RunOnCheckedCards([&path](std::vector<CommInfo>& infos) {
    return KQ_MultiUpdateCPU(infos.data(), reinterpret_cast<const char16_t*>(path.utf16()), nullptr,
                             static_cast<std::int32_t>(infos.size()), kTcpAndSerialOnly);
  });
}

namespace {

// A zeroed record with the mask (and the power value of the power section).
LedAllSettingInfo SettingRecord(std::int32_t mask, std::int32_t powerValue = 0) {
  LedAllSettingInfo record{};
  record.SectionMask = mask;
  record.PowerValue = powerValue;
  return record;
}

}  // namespace

void CSendDialog::OnAdjustTime() { SendSetting(SettingRecord(kClockMask)); }
void CSendDialog::OnScreenOn() { SendSetting(SettingRecord(kPowerMask, 0)); }
void CSendDialog::OnScreenOff() { SendSetting(SettingRecord(kPowerMask, 1)); }

void CSendDialog::OnBrightness() {
  LedAllSettingInfo record = SettingRecord(kBrightnessMask);
  CSetBrightnessSendDlg dialog(record.TimeBrightness, this);
  static_cast<void>(runDialog_(dialog));  // the choice says how it ended
  switch (dialog.ChosenAction()) {
    case CSetBrightnessSendDlg::kExit: return;
    case CSetBrightnessSendDlg::kSet:
      if (dialog.ChosenMode() == CSetBrightnessSendDlg::kManual) {
        record.BrightnessMode = kFixedBrightness;
        record.Brightness = dialog.ManualLevel();
      } else {
        record.BrightnessMode = kScheduledBrightness;
      }
      break;
    case CSetBrightnessSendDlg::kCancelBrightness:
      record.TimeBrightness = {};
      record.BrightnessMode = kScheduledBrightness;
      break;
  }
  SendSetting(record);
}

void CSendDialog::OnTimeOnOff() {
  LedAllSettingInfo record = SettingRecord(kTimedPowerMask);
  CTimeOnOffLedSetDialog dialog(record.TimeOnOff, this);
  if (runDialog_(dialog) != QDialog::Accepted) return;
  if (dialog.ChosenAction() == CTimeOnOffLedSetDialog::kCancelTiming) record.TimeOnOff = {};
  SendSetting(record);
}

void CSendDialog::ShowResult(int row, std::int32_t result) {
  // A set the builder refused parts of failed even when its card took what was sent.
  if (result == KQ_OK && row >= 0 && row < static_cast<int>(refusals_.size())) {
    result = refusals_[static_cast<std::size_t>(row)];
  }
  QString text;
  switch (result) {
    case KQ_OK: text = Text(1021); break;
    case KQ_STATUS_GENERATING: text = Text(1022); break;
    case KQ_STATUS_SENDING: text = Text(1023); break;
    default: text = Text(1024) + GetSendErrorText(result); break;
  }
  // A message for a row that no longer exists is dropped.
  static_cast<void>(screens_.SetItemText(row, kStatusColumn, text));
}

LRESULT CSendDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_SEND_PROGRESS:
      static_cast<void>(
          screens_.SetItemText(static_cast<int>(wParam), kStatusColumn,
                               QStringLiteral("%1%").arg(static_cast<std::int32_t>(lParam))));
      break;
    case UM_SEND_RESULT:
      ShowResult(static_cast<int>(wParam), static_cast<std::int32_t>(lParam));
      break;
    case UM_SCREEN_DELETED: RemoveScreenFromGroups(static_cast<std::int32_t>(lParam)); break;
    default: break;
  }
  return TaskPane::WindowProc(msg, wParam, lParam);
}

void CSendDialog::OnAddGroup() {
  CAddGroupDialog dialog(this, 1, static_cast<int>(ScreenGroupList.size()));
  if (runDialog_(dialog) != QDialog::Accepted) return;
  ScreenGroupList.emplace_back(dialog.Name());
  groupList_.AddString(dialog.Name(), 1);
  groupList_.setCurrentRow(groupList_.count() - 1);  // lists its (no) screens
}

void CSendDialog::OnEditGroup() {
  CGroupSetDialog dialog(this);
  static_cast<void>(runDialog_(dialog));  // the editor changes the groups at once
  OnSelchangeGroupList();
}

void CSendDialog::OnDeleteGroup() {
  const int entry = groupList_.currentRow();
  if (entry < 1 || entry > static_cast<int>(ScreenGroupList.size())) return;
  ScreenGroupList.erase(std::next(ScreenGroupList.begin(), entry - 1));
  {
    const QSignalBlocker blocker(&groupList_);
    static_cast<void>(groupList_.DeleteString(entry));
    groupList_.setCurrentRow(0);
  }
  OnSelchangeGroupList();
}

void CSendDialog::OnSharedSend() {
  CLedSelectDialog dialog(this);
  static_cast<void>(runDialog_(dialog));  // what a shared send does with the choice is not settled
}
