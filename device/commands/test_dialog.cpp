#include "device/commands/test_dialog.h"

#include <QGridLayout>

#include "device/commands/command_dialog_ids.h"
#include "model/project/current_screen.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "sdk/Corvanix.h"

namespace {

constexpr int kTestStatus = 12;
constexpr int kButtonColumns = 2;

QString Text(int key) { return ReadLangText(lang_section::IDD_TEST_DIALOG, key); }

}  // namespace

CTestDialog::CTestDialog(QWidget* parent) : QDialog(parent) {
  static_assert(kPatterns.size() == kTestPatternButtons);
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kTestPatternButtons; ++i) {
    QPushButton& button = PatternButton(i);
    button.setParent(this);
    button.setObjectName(QString::number(IDC_TEST_FIRST_PATTERN + i));
    button.setAutoDefault(false);
    button.setMinimumWidth(160);
    grid->addWidget(&button, i / kButtonColumns, i % kButtonColumns);
    const int pattern = kPatterns[static_cast<std::size_t>(i)];
    connect(&button, &QPushButton::clicked, this, [this, pattern] { SendTest(pattern); });
  }
  ApplyLanguage();
}

void CTestDialog::ApplyLanguage() {
  setWindowTitle(Text(1000));
  for (int i = 0; i < kTestPatternButtons; ++i) PatternButton(i).setText(Text(1001 + i));
}

void CTestDialog::SetCommInfo(const ScreenRecord& screen) { info_ = CardLinkOf(screen); }

void CTestDialog::SendTest(int pattern) {
  if (RunReportedDeviceCall(this, kTestStatus, [&] { return KQ_LedTest(&info_, pattern); }) ==
      KQ_OK) {
    testing_ = pattern > 0;
  }
}

void CTestDialog::reject() {
  if (testing_) SendTest(0);
  QDialog::reject();
}
