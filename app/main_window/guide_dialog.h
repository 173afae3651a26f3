#pragma once
// CGuideDialog: the guide pane, task pane 2. A framed panel "向导" with a greeting, two
// help choices with their pictures and the buttons 上一步, 下一步 and 完成; it only
// paints, and its controls do nothing. It has no caption band and no Back button.

#include "controls/shell/task_pane.h"

class QPushButton;

class CGuideDialog : public TaskPane {
 public:
  static constexpr int kFrameBottomGap = 40;  // the buttons' strip under the frame

  explicit CGuideDialog(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPushButton* buttons_[3]{};  // 1001, 1002, 1004
};
