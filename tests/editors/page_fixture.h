#pragma once
// What the property page tests share: the project page over a project of one screen
// with one program and one area, and a canvas that records what it is sent.

#include <QAbstractButton>
#include <QLabel>
#include <QTreeWidget>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "app/tree/main_dialog.h"
#include "controls/shell/window_globals.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/project_building.h"
#include "tests/support/recording_window.h"

namespace editortest {

using testsupport::Message;
using testsupport::RecordingWindow;

// The first control (id, text number) of the page that does not show its text of the
// section; 0 when all do.
template <std::size_t N>
int WrongLangText(QWidget& page, const QString& section, const int (&texts)[N][2]) {
  for (const auto& [id, number] : texts) {
    QWidget* control = FindControl(&page, id);
    auto* label = qobject_cast<QLabel*>(control);
    auto* button = qobject_cast<QAbstractButton*>(control);
    const QString shown = label ? label->text() : button ? button->text() : QString();
    if (shown != ReadLangText(section, number)) return id;
  }
  return 0;
}

// An area's rectangle, its right and bottom excluded.
inline QRect RectOf(const AreaRecord& area) {
  return QRect(QPoint(area.AreaRect_Left, area.AreaRect_Top),
               QPoint(area.AreaRect_Right - 1, area.AreaRect_Bottom - 1));
}

class PageTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    ClearProjectModel();
    PreviewCanvasWindow = canvas.Handle();
  }
  void TearDown() override {
    page.reset();
    PreviewCanvasWindow = nullptr;
    ClearProjectModel();
    AppTest::TearDown();
  }

  // A screen of width x height pixels, a program with that border width, one area
  // at (left, top) of width x height; the page built over it.
  void Open(int screenWidth, int screenHeight, int border, QRect rect = QRect(4, 4, 20, 10)) {
    ScreenRecord& screen = testsupport::AddScreen(screenWidth, screenHeight);
    CopyBoundedText(screen.LedName, u"Screen");
    program = &AddProgram(screen);
    CopyBoundedText(program->ProgramName, u"Show");
    program->BorderWidth = border;
    area = &testsupport::PlaceArea(*program, kSingleLineArea, rect.left(), rect.top(),
                                   rect.left() + rect.width(), rect.top() + rect.height());
    CopyBoundedText(area->AreaName, u"Sign");
    page = std::make_unique<CMainDialog>();
    page->resize(793, 552);
    page->BuildTreeFromModel();
  }
  QTreeWidgetItem* ProgramItem() { return page->Tree().topLevelItem(0)->child(0); }
  QTreeWidgetItem* AreaItem() { return ProgramItem()->child(0); }
  void Select(QTreeWidgetItem* item) {
    page->Tree().setCurrentItem(item);
    canvas.Take();
  }
  template <typename Page>
  Page& PageAt(PageSlot slot) {
    return static_cast<Page&>(page->Page(slot));
  }

  RecordingWindow canvas;
  std::unique_ptr<CMainDialog> page;
  ProgramRecord* program = nullptr;
  AreaRecord* area = nullptr;
};

}  // namespace editortest
