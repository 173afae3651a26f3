#pragma once
// What the main window's tests share: an empty model, slides without pauses, a splash
// that does not hold, and the window's hooks answered by the test (a set clock, the
// questions asked with the answers given, the exits requested).

#include <QDateTime>

#include <deque>

#include "app/main_window/quendra_dlg.h"
#include "controls/animation/pane_slide.h"
#include "model/project/project_editing.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"

namespace apptest {

class MainWindowTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ClearProjectModel();
    SetSlidePause([](int) {});
  }
  void TearDown() override {
    SetSlidePause({});
    ClearProjectModel();
    AppTest::TearDown();
  }

  // The splash window fades at once.
  MainWindowHooks Hooks() {
    MainWindowHooks hooks{[this] { return now; },
                          [this](const QString& text, int style) {
                            asked << text;
                            styles.push_back(style);
                            if (answers.empty()) return 1;
                            const int answer = answers.front();
                            answers.pop_front();
                            return answer;
                          },
                          [this] { ++exits; }};
    hooks.splashHoldMs = 0;
    return hooks;
  }

  static QString Text(int number) {
    return ReadLangText(QStringLiteral("IDD_QUENDRA_DIALOG"), number);
  }

  QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0));
  QStringList asked;
  std::vector<int> styles;
  std::deque<int> answers;
  int exits = 0;
};

}  // namespace apptest
