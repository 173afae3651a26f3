#pragma once
// CTestDialog (template 479): makes the current screen's card show a test pattern
// until the user stops the test or closes the dialog. Modal; it takes its texts when
// it opens.

#include <QDialog>
#include <QPushButton>

#include <array>

#include "device/common/device_command.h"
#include "model/project/comm_info.h"
#include "model/project/project_records.h"

class CTestDialog : public QDialog {
 public:
  // The patterns of the buttons 1333-1340, in order; 0 stops the test.
  static constexpr std::array<int, 8> kPatterns = {5, 6, 7, 1, 2, 3, 4, 0};

  explicit CTestDialog(QWidget* parent);

  // How the card is reached: the screen's link (no link for a USB-disk screen).
  void SetCommInfo(const ScreenRecord& screen);
  // Sends the pattern; a success above 0 marks the card as testing, 0 clears that.
  void SendTest(int pattern);
  void ApplyLanguage();

  bool Testing() const { return testing_; }
  QPushButton& PatternButton(int index) { return buttons_[static_cast<std::size_t>(index)]; }

  // Closing (Cancel, Esc, the close box) first stops a test the card is showing.
  void reject() override;

 private:
  CommInfo info_{};
  bool testing_ = false;
  std::array<QPushButton, 8> buttons_;
};
