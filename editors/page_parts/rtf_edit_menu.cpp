#include "editors/page_parts/rtf_edit_menu.h"

#include "controls/buttons/kv_menu.h"
#include "controls/shell/rtf_edit_ids.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

// The File and Edit titles.
constexpr int kSubmenuTexts[] = {1000, 2000};

struct ItemText {
  UINT command;
  int textNumber;
};

constexpr ItemText kItemTexts[] = {{ID_RTF_MENU_OPEN, 1001},    {ID_RTF_MENU_SAVE, 1002},
                                   {ID_RTF_MENU_SAVE_AS, 1003}, {ID_RTF_MENU_EXIT, 1004},
                                   {ID_RTF_MENU_UNDO, 2001},    {ID_RTF_MENU_CUT, 2002},
                                   {ID_RTF_MENU_COPY, 2003},    {ID_RTF_MENU_PASTE, 2004},
                                   {ID_RTF_MENU_DELETE, 2005},  {ID_RTF_MENU_SELECT_ALL, 2006}};

void AddTemplateOnce() {
  static bool added = false;
  if (added) return;
  added = true;
  AddMenuTemplate({IDR_MENU_RTFEDIT,
                   QString::fromLatin1(lang_section::IDR_MENU_RTFEDIT),
                   {{MF_POPUP, 0, {}},
                    {0, ID_RTF_MENU_OPEN, {}},
                    {0, ID_RTF_MENU_SAVE, {}},
                    {0, ID_RTF_MENU_SAVE_AS, {}},
                    {0, 0, {}},
                    {MF_END, ID_RTF_MENU_EXIT, {}},
                    {MF_POPUP | MF_END, 0, {}},
                    {0, ID_RTF_MENU_UNDO, {}},
                    {0, 0, {}},
                    {0, ID_RTF_MENU_CUT, {}},
                    {0, ID_RTF_MENU_COPY, {}},
                    {0, ID_RTF_MENU_PASTE, {}},
                    {0, ID_RTF_MENU_DELETE, {}},
                    {0, 0, {}},
                    {MF_END, ID_RTF_MENU_SELECT_ALL, {}}}});
}

int TextNumberOf(UINT command) {
  for (const ItemText& item : kItemTexts) {
    if (item.command == command) return item.textNumber;
  }
  return 0;
}

void SetText(KvMenu& menu, int position, int textNumber) {
  const std::optional<KvMenuData> data = menu.ItemData(position);
  if (!data || textNumber == 0) return;
  static_cast<void>(menu.ModifyItem(position,
                                    ReadLangText(lang_section::IDR_MENU_RTFEDIT, textNumber),
                                    data->flags, data->commandId));
}

}  // namespace

bool LoadRtfEditMenu(KvMenu& menu) {
  AddTemplateOnce();
  if (menu.LoadMenu(IDR_MENU_RTFEDIT) == 0) return false;
  ApplyRtfEditMenuTexts(menu);
  return true;
}

void ApplyRtfEditMenuTexts(KvMenu& menu) {
  for (int submenu = 0; submenu < 2; ++submenu) {
    SetText(menu, submenu, kSubmenuTexts[submenu]);
    KvMenu* items = menu.GetSubMenu(submenu);
    if (items == nullptr) continue;
    for (int position = 0; position < items->actions().size(); ++position) {
      const std::optional<KvMenuData> data = items->ItemData(position);
      if (data) SetText(*items, position, TextNumberOf(data->commandId));
    }
  }
}
