#pragma once
// CSendDialog: task pane 3 (kSendPane). It lists the project's screens (all of them, or the members
// of one screen group), each row with a check box, a progress bar and a status text,
// and sends the checked programs or one setting to every checked screen at once through
// the controller library's multi-card calls, which report each card's progress and
// result back to the pane as messages. While one of those calls runs, every command of
// the pane, its group list and the preview frame are disabled, so the rows stay the
// targets they were when the call started.

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "app/send/send_pane_ids.h"
#include "controls/lists/list_box_qx.h"
#include "controls/lists/list_ctrl_ex.h"
#include "controls/shell/task_pane.h"
#include "controls/support/image_list.h"
#include "model/project/comm_info.h"
#include "model/project/send_job.h"
#include "sdk/Corvanix.h"

class ProjectTreeItems;

class CSendDialog : public TaskPane {
 public:
  static constexpr int kBarColumn = 2;
  static constexpr int kStatusColumn = 3;

  // Runs a modal dialog of the pane and returns its result (QDialog::exec by default).
  using DialogRunner = std::function<int(QDialog&)>;

  CSendDialog(QWidget* parent, const ProjectTreeItems& tree, DialogRunner runDialog = {});

  // The window disabled with the pane's commands while an SDK call runs.
  void SetPreviewFrame(QWidget* frame) { previewFrame_ = frame; }

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Empties the group list and lists "all screens" and every group; selects the first
  // entry and lists its screens.
  void FillGroupList();
  void OnSelchangeGroupList();
  // Every label, the four columns of the screen list, the Back tip and the caption
  // from the language file.
  void ApplyLanguage();

  // The checked rows, in row order, as communication records (and, for the program
  // send, jobs of their checked programs); the number of targets.
  int CollectTargets(std::vector<CommInfo>& infos, std::vector<ScreenSendJob>& jobs);
  int CollectCommInfos(std::vector<CommInfo>& infos);

  void OnSend();
  // Each opens its dialog and sends what it chose (nothing when it closes without a
  // choice).
  void OnBrightness();
  void OnTimeOnOff();
  void OnAdjustTime();
  void OnScreenOn();
  void OnScreenOff();
  // The firmware file chosen in the chooser to every checked card.
  void OnUpdateFirmware();
  void OnAddGroup();
  void OnEditGroup();
  void OnDeleteGroup();
  void OnSharedSend();
  // Checks (true) or unchecks every row.
  void CheckAllRows(bool checked);

  CListBoxQx& GroupList() { return groupList_; }
  CListCtrlEx& Screens() { return screens_; }
  // The pane's button or link of that control id; null for another id.
  QWidget* Control(int id) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreateControls();
  void AddRow(ScreenRecord& screen);
  bool RowChecked(int row) const;
  void ShowResult(int row, std::int32_t result);
  // The styled message box over the pane, run as the pane's other dialogs; the button
  // pressed.
  int Ask(const QString& text, int style);
  // Runs the multi-card call on the checked rows with the pane's commands disabled;
  // a code refusing the whole call becomes every row's result.
  using MultiCardCall = std::function<std::int32_t(std::vector<CommInfo>& infos)>;
  void RunOnCheckedCards(const MultiCardCall& call);
  // Sends the record (its SectionMask chooses what) to every checked TCP and serial card.
  void SendSetting(const LedAllSettingInfo& record);
  // Disables the pane's commands, group list, Back button and the preview frame
  // (false) or enables them again (true).
  void EnableCommands(bool enable);

  const ProjectTreeItems& tree_;
  DialogRunner runDialog_;
  QWidget* previewFrame_ = nullptr;
  ImageList groupImages_{QSize(48, 48)};
  ImageList screenImages_{QSize(16, 16)};
  CListBoxQx groupList_;
  CListCtrlEx screens_;
  QLabel groupLabel_;
  std::map<int, QWidget*> controls_;  // buttons and links by control id
  // Per row: the first refusal the builder reported for its program set, shown as the
  // row's result when its card answers success.
  std::vector<std::int32_t> refusals_;
};
