#pragma once
// The windows whose texts follow the language, in the order a language switch gives
// them their texts again. Each window fills its own slot with its way of taking its
// texts (its ApplyLanguage) once it exists; a slot no window has filled, or whose
// window is gone, is passed over. One table per process, GUI thread only.

#include <QObject>

#include <functional>

enum class TextSlot {
  StatusBar,  // the status bar's screen parts (UM_STATUS_REFRESH)
  MainMenu,   // the main window's toolbar and menu bar
  ProjectPage,
  AreaPage,
  ProgramPage,
  BackgroundPage,
  BorderPage,
  SingleLinePage,
  ImageTextPage,
  FlashWordsPage,
  DigitalClockPage,
  AnalogClockPage,
  CountdownPage,
  FilesPage,
  ScreenInfoPage,
  LayoutFrame,
  ScreenParamPane,
  CommunicationPage,
  BasicPage,
  ScanPage,
  AccessCodePane,
  TimedLockPane,
  GuidePane,
  SearchPane,
  SendPane,
  UsbSendPane,
  UsbReadBackPane,
  FirmwarePane,
  BootLogoPane,
};
constexpr int kTextSlotCount = static_cast<int>(TextSlot::BootLogoPane) + 1;

// Fills the slot (replacing what it held) with the window's way of taking its texts;
// the slot empties itself when the window is destroyed.
void RegisterTexts(TextSlot slot, QObject* window, std::function<void()> applyLanguage);

// Gives every filled slot its texts from the current language file, in slot order.
void ReloadAllTexts();
