// What the pages share: the format controls of the rich-text pages (typed sizes at
// their ends, the colour a selection shows, the tips and the edit menu in the page's
// language) and the selected item of an item list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "controls/buttons/button_qx.h"
#include "controls/buttons/kv_menu.h"
#include "controls/color/color_picker.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "editors/page_parts/char_format_controls.h"
#include "editors/page_parts/control_tips.h"
#include "editors/page_parts/item_list_rows.h"
#include "editors/page_parts/rtf_edit_menu.h"
#include "editors/page_parts/rtf_file_saver.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "tests/app/app_fixture.h"

namespace {

using CharFormatControlsTest = apptest::AppTest;

TEST_F(CharFormatControlsTest, SizesColoursTipsAndTheEditMenu) {
  SelectLanguageFile(1);
  QWidget page;
  auto* edit = new CRichEditEx(&page);
  auto* controls = new CharFormatControls(*edit, page, {11, 12, 13, 14, 15, 16});
  edit->setPlainText(QStringLiteral("ab"));
  edit->selectAll();
  const auto typed = [&](const char* text) {
    emit controls->SizeCombo().lineEdit()->textEdited(QString::fromLatin1(text));
    return edit->GetSelectionCharFormat().twips;
  };
  EXPECT_EQ(typed("1"), 20);
  EXPECT_EQ(typed("0"), 20);  // no size: nothing changes
  EXPECT_EQ(typed("1639"), 1638 * 20);

  RichCharFormat shown;
  shown.color = 0xFF;  // not read: the text takes the window's colour
  controls->ShowFormat(shown);
  EXPECT_EQ(controls->ColorPicker().GetColor(), 0u);
  shown.autoColor = false;
  controls->ShowFormat(shown);
  EXPECT_EQ(controls->ColorPicker().GetColor(), 0xFFu);

  const auto text = [](int key) { return ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, key); };
  controls->ApplyLanguage();
  for (int effect = CharFormatControls::kBold; effect <= CharFormatControls::kUnderline; ++effect) {
    EXPECT_TRUE(controls->EffectButton(CharFormatControls::Effect(effect))
                    .toolTip()
                    .contains(text(1005 + effect)))
        << effect;
  }
  EXPECT_EQ(controls->ColorPicker().toolTip(), text(1008));
  // A page's own tips, on its buttons and on other controls.
  auto* button = new CButtonQx(QString(), &page);
  SetControlId(button, 21);
  SetControlId(edit, 22);
  const int tips[][2] = {{21, 1009}, {22, 1010}};
  SetControlTips(page, lang_section::IDD_RTFEDIT_DIALOG, tips);
  EXPECT_TRUE(button->toolTip().contains(text(1009)));
  EXPECT_EQ(edit->toolTip(), text(1010));

  KvMenu menu;
  ASSERT_TRUE(LoadRtfEditMenu(menu));
  QStringList menuTexts;
  for (int submenu = 0; submenu < 2; ++submenu) {
    menuTexts << menu.actions()[submenu]->text();
    for (const QAction* item : menu.GetSubMenu(submenu)->actions()) {
      if (!item->isSeparator()) menuTexts << item->text();
    }
  }
  QStringList texts;
  for (int key : {1000, 1001, 1002, 1003, 1004, 2000, 2001, 2002, 2003, 2004, 2005, 2006})
    texts << ReadLangText(lang_section::IDR_MENU_RTFEDIT, key);
  EXPECT_EQ(menuTexts, texts);

  // The notices: a failed save as an error, cut text as information.
  std::vector<std::pair<QString, int>> asked;
  const RtfFileSaver::Ask ask = [&asked](const QString& notice, int style) {
    asked.emplace_back(notice, style);
    return 1;
  };
  RtfFileSaver saver;
  EXPECT_FALSE(saver.Save(*edit, QStringLiteral("/nonexistent/folder/page.rtf"), ask));
  TellTextCut(ask);
  EXPECT_EQ(asked, (std::vector<std::pair<QString, int>>{{text(1027), 0x10}, {text(1032), 0x40}}));
}

TEST(ItemListRows, TheSelectedRowsItem) {
  QListWidget list;
  list.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
  std::vector<int> items{1, 2};
  list.setCurrentRow(1);
  EXPECT_EQ(SelectedListItem(list, &items), &items[1]);
  list.setCurrentRow(2);  // a row without its item
  EXPECT_EQ(SelectedListItem(list, &items), nullptr);
}

}  // namespace
