#pragma once
// CGuideDialog: the guide pane, task pane 2. A framed panel with its caption, a
// greeting, two help choices with their pictures and the buttons Back, Next and
// Finish; it only paints, and its controls do nothing. It has no caption band and no
// Back button of its own. Its texts are the language file's (IDD_GUIDE_DIALOG).

#include <array>

#include "controls/shell/task_pane.h"

class QLabel;
class QPushButton;
class QRadioButton;

class CGuideDialog : public TaskPane {
 public:
  static constexpr int kFrameBottomGap = 40;  // the buttons' strip under the frame

  explicit CGuideDialog(QWidget* parent);

  // Gives the pane its texts from the current language file.
  void ApplyLanguage();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* greeting_ = nullptr;
  std::array<QRadioButton*, 2> choices_{};  // 1048, 1049
  std::array<QPushButton*, 3> buttons_{};   // 1001, 1002, 1004
  QString caption_;
};
