#pragma once
// The owner-drawn menu: a QMenu whose items are drawn by KvMenuStyle and carry their
// record (text, flags, command id) as the action's data, and their command id as every
// command item does (controls/support/command_action.h). Menus are built from the
// process's table of menu templates, item by item, or both; a pressed letter executes
// the first item whose mnemonic it is.

#include <QMenu>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

#include "platform/window_handle.h"

// Menu flags as items and templates carry them.
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_END = 0x0080;  // in a template: the last item of its level
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_RADIOCHECK = 0x0200;  // a checked item shows a dot, not a tick
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// The answer of LookupMenuChar that executes an item: this plus the item's position.
constexpr LRESULT kMenuCharExecute = 0x20000;

// One item's record.
struct KvMenuData {
  QString text;  // "&" marks the mnemonic ("&&" is a literal "&"); a tab starts the accelerator
  UINT flags = 0;
  UINT commandId = 0;  // 0 for separators and popups
};
Q_DECLARE_METATYPE(KvMenuData)

// One item of a menu template, in the order of a menu resource: a popup item is followed
// by its items; MF_END marks the last item of each level.
struct MenuTemplateItem {
  UINT flags = 0;
  UINT id = 0;  // the command id; unused for popups
  QString text;
};

struct MenuTemplate {
  int id = 0;
  QString name;
  std::vector<MenuTemplateItem> items;
};

// Adds a template to the process's table (replacing one of the same id). The owners of
// menus add theirs at start-up; GUI thread only.
void AddMenuTemplate(MenuTemplate menuTemplate);

class KvMenu : public QMenu {
 public:
  explicit KvMenu(QWidget* parent = nullptr);
  ~KvMenu() override;

  // Builds the menu from the template of that id or name: 1, or 0 (the menu unchanged)
  // when the table has none. Top-level items are the popups a menu bar would show.
  [[nodiscard]] int LoadMenu(int resourceId);
  [[nodiscard]] int LoadMenu(const QString& resourceName);
  bool IsLoaded() const { return loaded_; }

  // Appends an item: with MF_POPUP in flags the popup menu, which this menu takes over;
  // else with id 0 a separator; else a command. False for a popup item without a menu.
  [[nodiscard]] bool AppendItem(const QString& text, UINT flags, UINT id,
                                std::unique_ptr<KvMenu> popup = nullptr);

  // Gives the item at the position a new record; false for a position out of range.
  [[nodiscard]] bool ModifyItem(int position, const QString& text, UINT flags, UINT id);

  // The record of the item at the position; none for a position out of range.
  std::optional<KvMenuData> ItemData(int position) const;
  // The popup menu at the position; null when that item is not a popup.
  KvMenu* GetSubMenu(int position) const;

  // The menu-character answer for a KvMenu shown as a popup (MF_POPUP in flags):
  // kMenuCharExecute + the first position whose mnemonic is the character (compared
  // without case), else 0.
  static LRESULT LookupMenuChar(QChar character, UINT flags, const QMenu* menu);

  // Removes every item and frees every popup this menu made or took.
  void DestroyMenu();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The check and radio marks come from the record's flags: the owner sets them, a
  // click does not toggle them.
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

 private:
  void ApplyRecord(QAction* action, const KvMenuData& data);
  [[nodiscard]] int Build(const MenuTemplate& menuTemplate);

  std::vector<std::unique_ptr<KvMenu>> submenus_;
  bool loaded_ = false;
};
