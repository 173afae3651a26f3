// The property pages in the three longer translations: every label and button of the
// page an item shows, with its border and background tabs, holds its whole text.
#include <QTabBar>
#include <QTest>

#include "app/language/language_texts.h"
#include "editors/program_page/program_dialog.h"
#include "tests/editors/page_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/eventually.h"

namespace {

using TranslationsFitTest = editortest::PageTest;

TEST_F(TranslationsFitTest, EveryPageInRussianTurkishAndPersian) {
  ScreenRecord& screen = testsupport::AddScreen(128, 64);
  program = &AddProgram(screen);
  for (int kind = kSingleLineArea; kind <= kSingleLineArea + 6; ++kind)
    testsupport::PlaceArea(*program, kind, 0, 0, 64, 32);
  page = std::make_unique<CMainDialog>();
  page->resize(793, 552);
  page->BuildTreeFromModel();
  page->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
  // The screen, the program, then each area.
  for (int item = -2; item < 7; ++item) {
    Select(item == -2   ? page->Tree().topLevelItem(0)
           : item == -1 ? ProgramItem()
                        : ProgramItem()->child(item));
    // The program page's schedule section slides in first.
    EXPECT_EVENTUALLY(!PageAt<CProgramDialog>(PageSlot::Program).Sliding());
    const int tabs = page->Tabs().isVisible() ? page->Tabs().count() : 1;
    for (int tab = 0; tab < tabs; ++tab) {
      page->Tabs().setCurrentIndex(tab);
      const QString name = QStringLiteral("page_%1_tab%2").arg(item + 2).arg(tab);
      EXPECT_EQ(CutTextsInTranslations(*page, ReloadAllTexts, name), "") << name.toStdString();
    }
  }
}

}  // namespace
