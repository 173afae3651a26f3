// The language at run time: the seven commands with their check marks, stored choice
// and language file; the table of windows re-texted in its order; every open window
// showing the new language at once; a damaged stored choice.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "app/language/language_switch.h"
#include "app/language/language_texts.h"
#include "app/main_window/quendra_dlg.h"
#include "app/send/send_dialog.h"
#include "controls/shell/main_window_ids.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/support/command_action.h"
#include "model/settings/settings_file.h"
#include "tests/app/main_window/main_window_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/eventually.h"
#include "tests/support/screenshot.h"

namespace {

const QString kSettings = QStringLiteral("setting.cfg");
// The language files by language index, as the program's folder holds them.
const char* const kLanguageFiles[] = {
    "",          "chinese.ini", "english.ini", "chinese(fanti).ini", "Russian.ini", "Turkish.ini",
    "Persia.ini"};
// The environment through which a parent test names the language the automatic
// choice must give in a child process started with another system locale.
const char* const kExpectedAutomatic = "QUENDRA_EXPECTED_AUTOMATIC_LANGUAGE";

using LanguageSwitchTest = apptest::MainWindowTest;

void StoreLanguage(const QString& value) {
  ASSERT_TRUE(
      WriteIniString(QStringLiteral("CONFIG"), QStringLiteral("Language"), value, kSettings));
}

QMenu& LanguageMenu(CQuendraDlg& window) { return *window.MainMenuBar().actions().at(4)->menu(); }

// The language items checked, as indexes.
std::vector<int> CheckedLanguages(CQuendraDlg& window) {
  std::vector<int> checked;
  for (const QAction* item : LanguageMenu(window).actions())
    if (item->isChecked()) checked.push_back(LanguageOfCommand(CommandIdOf(item)));
  return checked;
}

// Every text the user can see or point at in the built windows: menus, toolbar,
// status bar, project page with its pages, and the send pane.
QStringList VisibleTexts(CQuendraDlg& window) {
  QStringList texts;
  for (const QAction* top : window.MainMenuBar().actions()) {
    texts << top->text();
    for (const QAction* item : top->menu()->actions()) texts << item->text();
  }
  for (const QAction* button : window.ToolBar().actions())
    texts << button->text() << button->toolTip();
  for (int part = 0; part < 5; ++part) texts << window.StatusBar().Text(part);
  for (QWidget* root : {static_cast<QWidget*>(&window.ProjectPage()), &window.Pane(kSendPane),
                        static_cast<QWidget*>(&window.PreviewFrame())}) {
    for (const QAbstractButton* button : root->findChildren<QAbstractButton*>())
      texts << button->text() << button->toolTip();
    for (const QLabel* label : root->findChildren<QLabel*>()) texts << label->text();
    for (const QTabBar* tabs : root->findChildren<QTabBar*>())
      for (int tab = 0; tab < tabs->count(); ++tab) texts << tabs->tabText(tab);
    for (const QComboBox* box : root->findChildren<QComboBox*>())
      for (int item = 0; item < box->count(); ++item) texts << box->itemText(item);
  }
  return texts;
}

}  // namespace

TEST_F(LanguageSwitchTest, EachCommandStoresItsIndexChecksItsItemAndPicksItsFile) {
  CQuendraDlg window(Hooks());
  const QByteArray expectedAutomatic = qgetenv(kExpectedAutomatic);
  for (int index = 0; index < kLanguageCount; ++index) {
    SCOPED_TRACE(index);
    // Chosen as the user does, twice: a second click on the checked item keeps it checked.
    QAction* item = LanguageMenu(window).actions().at(index);
    item->trigger();
    item->trigger();
    EXPECT_EQ(ReadIniInt(QStringLiteral("CONFIG"), QStringLiteral("Language"), kSettings), index);
    EXPECT_EQ(CheckedLanguages(window), std::vector<int>{index});
    const int resolved = index == 0 ? LanguageIndexForLocale(QLocale::system()) : index;
    if (index == 0 && !expectedAutomatic.isEmpty()) {
      EXPECT_EQ(resolved, expectedAutomatic.toInt());
    }
    EXPECT_EQ(LanguageIndex, resolved);
    EXPECT_EQ(QFileInfo(LangIniPath).fileName(), QString::fromLatin1(kLanguageFiles[resolved]));
    EXPECT_TRUE(QFile::exists(LangIniPath));
  }
}

TEST_F(LanguageSwitchTest, AutomaticChoiceFollowsTheSystemLocale) {
  for (const auto& [locale, expected] :
       {std::pair{"ru_RU.UTF-8", "4"}, std::pair{"en_US.UTF-8", "2"}}) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(locale));
    environment.insert(QString::fromLatin1(kExpectedAutomatic), QString::fromLatin1(expected));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=LanguageSwitchTest."
                                "EachCommandStoresItsIndexChecksItsItemAndPicksItsFile")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << locale << "\n" << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
  }
}

TEST_F(LanguageSwitchTest, TableReTextsFilledSlotsOnceInOrder) {
  std::vector<int> calls;
  std::vector<std::unique_ptr<QObject>> windows;
  for (int slot = kTextSlotCount - 1; slot >= 0; --slot) {
    windows.push_back(std::make_unique<QObject>());
    RegisterTexts(static_cast<TextSlot>(slot), windows.back().get(),
                  [&calls, slot] { calls.push_back(slot); });
  }
  // A slot filled again holds the new window; a window destroyed leaves its slot.
  QObject laterWindow;
  RegisterTexts(TextSlot::LayoutFrame, &laterWindow, [&calls] { calls.push_back(-1); });
  windows.front().reset();  // the last slot's window
  ReloadAllTexts();
  std::vector<int> expected;
  for (int slot = 0; slot < kTextSlotCount - 1; ++slot)
    expected.push_back(slot == static_cast<int>(TextSlot::LayoutFrame) ? -1 : slot);
  EXPECT_EQ(calls, expected);
}

TEST_F(LanguageSwitchTest, SwitchReTextsEveryOpenWindowAtOnce) {
  QStringList english;
  {
    CQuendraDlg fresh(Hooks());
    english = VisibleTexts(fresh);
  }
  ClearProjectModel();
  StoreLanguage(QStringLiteral("1"));
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QStringList chinese = VisibleTexts(window);
  SaveScreenshot(window, QStringLiteral("quendra_dlg_chinese"));
  SaveScreenshot(window.PreviewFrame(), QStringLiteral("frame_dialog_chinese"));

  // A window registered later is re-texted in its place: after the project page and
  // the status bar, before the send pane.
  auto& sendPane = static_cast<CSendDialog&>(window.Pane(kSendPane));
  const auto probe = [&] {
    return QStringList{window.ProjectPage().AddAreaButton(1).text(), window.StatusBar().Text(1),
                       sendPane.BackButton().toolTip()};
  };
  const QStringList before = probe();
  QObject laterWindow;
  QStringList seen;
  RegisterTexts(TextSlot::ScanPage, &laterWindow, [&] { seen = probe(); });
  SendMessage(window.Handle(), WM_COMMAND, kLanguageCommands[2], 0);
  const QStringList after = VisibleTexts(window);
  EXPECT_EQ(after, english);
  EXPECT_NE(after, chinese);
  EXPECT_EQ(seen, (QStringList{probe()[0], probe()[1], before[2]}));
  EXPECT_NE(probe(), before);
  // The languages' own names stay as they are.
  QStringList names;
  for (const QAction* item : LanguageMenu(window).actions().mid(1)) names << item->text();
  EXPECT_EQ(names, (QStringList{"中文", "English", "繁體中文", "русский ", "Türk", "فارسی"}));
  // The toolbar's buttons grow with their longer texts.
  for (QAction* action : window.ToolBar().actions()) {
    const QWidget* button = window.ToolBar().widgetForAction(action);
    EXPECT_EVENTUALLY(button->width() >= button->sizeHint().width());
  }
  SaveScreenshot(window, QStringLiteral("quendra_dlg_english"));
  SaveScreenshot(window.PreviewFrame(), QStringLiteral("frame_dialog_english"));
}

TEST_F(LanguageSwitchTest, DamagedStoredChoiceStartsAutomatic) {
  for (const QString& stored : {QStringLiteral("9"), QStringLiteral("-3"), QStringLiteral("abc")}) {
    StoreLanguage(stored);
    CQuendraDlg window(Hooks());
    EXPECT_EQ(CheckedLanguages(window), std::vector<int>{0}) << stored.toStdString();
    EXPECT_EQ(LanguageIndex, LanguageIndexForLocale(QLocale::system()));
    EXPECT_EQ(QFileInfo(LangIniPath).fileName(),
              QString::fromLatin1(kLanguageFiles[LanguageIndex]));
    ClearProjectModel();
  }
}

// The three translated languages in the main window with a text area's page, and in
// the send pane: every label and button holds its whole text.
TEST_F(LanguageSwitchTest, TranslationsFitTheMainWindowAPageAndTheSendPane) {
  CQuendraDlg window(Hooks());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.ProjectPage().AddAreaButton(0).click();
  const std::pair<int, const char*> languages[] = {{4, "russian"}, {5, "turkish"}, {6, "persian"}};
  for (const auto& [language, name] : languages) {
    SCOPED_TRACE(name);
    SendMessage(window.Handle(), WM_COMMAND, kLanguageCommands[language], 0);
    QTest::qWait(50);  // the toolbar lays its buttons out again
    EXPECT_EQ(CutTexts(window).join(u'|').toStdString(), "");
    SaveScreenshot(window, QStringLiteral("quendra_dlg_") + QLatin1StringView(name));
    SendMessage(window.Handle(), WM_COMMAND, ID_TOOLBAR_SEND_TO_SCREENS, 0);
    EXPECT_EQ(CutTexts(window.Pane(kSendPane)).join(u'|').toStdString(), "");
    SaveScreenshot(window, QStringLiteral("send_pane_") + QLatin1StringView(name));
    SendMessage(window.Handle(), UM_PANE_BACK, kSendPane, 0);
  }
}
