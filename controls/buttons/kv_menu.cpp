#include "controls/buttons/kv_menu.h"

#include <QKeyEvent>
#include <QStyleOptionMenuItem>

#include <algorithm>

#include "controls/buttons/menu_style.h"
#include "controls/support/command_action.h"

namespace {

std::vector<MenuTemplate>& Templates() {
  static std::vector<MenuTemplate> templates;
  return templates;
}

const MenuTemplate* FindTemplate(const auto& matches) {
  const std::vector<MenuTemplate>& templates = Templates();
  const auto found = std::find_if(templates.begin(), templates.end(), matches);
  return found == templates.end() ? nullptr : &*found;
}

// The letter after the first single "&" of the text; null when there is none.
QChar MnemonicOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return {};
}

}  // namespace

void AddMenuTemplate(MenuTemplate menuTemplate) {
  std::vector<MenuTemplate>& templates = Templates();
  std::erase_if(templates, [&](const MenuTemplate& t) { return t.id == menuTemplate.id; });
  templates.push_back(std::move(menuTemplate));
}

KvMenu::KvMenu(QWidget* parent) : QMenu(parent) { setStyle(KvMenuStyle::Instance()); }

KvMenu::~KvMenu() { DestroyMenu(); }

int KvMenu::LoadMenu(int resourceId) {
  const MenuTemplate* found =
      FindTemplate([&](const MenuTemplate& t) { return t.id == resourceId; });
  return found == nullptr ? 0 : Build(*found);
}

int KvMenu::LoadMenu(const QString& resourceName) {
  const MenuTemplate* found =
      FindTemplate([&](const MenuTemplate& t) { return t.name == resourceName; });
  return found == nullptr ? 0 : Build(*found);
}

int KvMenu::Build(const MenuTemplate& menuTemplate) {
  DestroyMenu();
  // The open levels; each knows whether closing it also closes the level below.
  struct Level {
    KvMenu* menu;
    bool closesParent;
  };
  std::vector<Level> open{{this, false}};
  for (const MenuTemplateItem& item : menuTemplate.items) {
    if (open.empty()) break;  // items after the end of the menu
    const UINT flags = item.flags & ~MF_END;
    const bool last = (item.flags & MF_END) != 0;
    if ((flags & MF_POPUP) != 0) {
      auto popup = std::make_unique<KvMenu>();
      KvMenu* level = popup.get();
      if (!open.back().menu->AppendItem(item.text, flags, 0, std::move(popup))) return 0;
      open.push_back({level, last});
      continue;
    }
    if (!open.back().menu->AppendItem(item.text, flags, item.id)) return 0;
    for (bool close = last; close && !open.empty(); open.pop_back()) {
      close = open.back().closesParent;
    }
  }
  // The top level is a menu bar's: its entries are plain strings, not owner-drawn.
  for (QAction* action : actions()) {
    KvMenuData data = action->data().value<KvMenuData>();
    data.flags = action->menu() != nullptr ? (MF_BYPOSITION | MF_POPUP) : MF_BYPOSITION;
    action->setData(QVariant::fromValue(data));
  }
  loaded_ = true;
  return 1;
}

bool KvMenu::AppendItem(const QString& text, UINT flags, UINT id, std::unique_ptr<KvMenu> popup) {
  const bool isPopup = (flags & MF_POPUP) != 0;
  if (isPopup && popup == nullptr) return false;
  if (!isPopup && id == 0) {
    flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
  } else {
    flags |= MF_OWNERDRAW;
  }
  QAction* action = nullptr;
  if (isPopup) {
    action = addMenu(popup.get());
    submenus_.push_back(std::move(popup));
  } else {
    action = addAction(QString());
  }
  ApplyRecord(action, {text, flags, isPopup ? 0 : id});
  return true;
}

bool KvMenu::ModifyItem(int position, const QString& text, UINT flags, UINT id) {
  QAction* action = actions().value(position);
  if (action == nullptr) return false;
  ApplyRecord(action, {text, flags, action->menu() != nullptr ? 0 : id});
  return true;
}

void KvMenu::ApplyRecord(QAction* action, const KvMenuData& data) {
  action->setData(QVariant::fromValue(data));
  SetCommandId(*action, data.commandId);
  action->setSeparator((data.flags & MF_SEPARATOR) != 0);
  action->setText(data.text);
  action->setEnabled((data.flags & (MF_GRAYED | MF_DISABLED)) == 0);
}

void KvMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenu::initStyleOption(option, action);
  const UINT flags = action->data().value<KvMenuData>().flags;
  option->checked = (flags & MF_CHECKED) != 0;
  option->checkType = (flags & MF_RADIOCHECK) != 0 ? QStyleOptionMenuItem::Exclusive
                                                   : QStyleOptionMenuItem::NonExclusive;
}

std::optional<KvMenuData> KvMenu::ItemData(int position) const {
  const QAction* action = actions().value(position);
  if (action == nullptr) return std::nullopt;
  return action->data().value<KvMenuData>();
}

KvMenu* KvMenu::GetSubMenu(int position) const {
  const QAction* action = actions().value(position);
  return action == nullptr ? nullptr : dynamic_cast<KvMenu*>(action->menu());
}

LRESULT KvMenu::LookupMenuChar(QChar character, UINT flags, const QMenu* menu) {
  if (dynamic_cast<const KvMenu*>(menu) == nullptr || (flags & MF_POPUP) == 0) return 0;
  const QChar key = character.toLower();
  const QList<QAction*> items = menu->actions();
  for (qsizetype position = 0; position < items.size(); ++position) {
    const QChar mnemonic = MnemonicOf(items[position]->data().value<KvMenuData>().text);
    if (!mnemonic.isNull() && mnemonic.toLower() == key) return kMenuCharExecute + position;
  }
  return 0;
}

void KvMenu::DestroyMenu() {
  clear();
  submenus_.clear();
  loaded_ = false;
}

void KvMenu::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool letter = text.size() == 1 && text[0].isPrint() && !text[0].isSpace();
  const LRESULT answer = letter ? LookupMenuChar(text[0], MF_POPUP, this) : 0;
  if (answer == 0) {
    QMenu::keyPressEvent(event);
    return;
  }
  // Executes the item as Enter on it would: a command is chosen, a popup opens.
  setActiveAction(actions().value(static_cast<qsizetype>(answer - kMenuCharExecute)));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QMenu::keyPressEvent(&enter);
}
