#pragma once
// The records of a project: screens, their programs, the programs' areas, and the
// reference that every project-tree item carries. The model owns the hierarchy: a
// screen owns its programs in order, a program its areas in order, an area its kind
// record and background list. Model order is tree order; the project tree is a view
// whose items point into the model. Back-pointers (owner program, owner screen) and
// tree-item handles never own.

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "model/project/area_items.h"
#include "model/project/area_records.h"

struct ScreenRecord;
struct ProgramRecord;
struct AreaRecord;

// An item of the project tree, opaque to the model; never stored in files.
using TreeItemHandle = void*;

// The kinds of area a project holds (AreaRecord::AreaType), as its files store them;
// not the kinds of area a card plays.
enum ProjectAreaKind : std::int32_t {
  kSingleLineArea = 1,
  kImageTextArea = 2,
  kFlashWordArea = 3,
  kDigitalClockArea = 4,
  kAnalogClockArea = 5,
  kCountdownArea = 6,
  kFilesArea = 7,
};

// The settings record of an area, by its kind: 1 SingleLineAreaInfo, 2 the pages,
// 3 the flash words, 4 DigitalClockAreaInfo, 5 ClockAreaInfo, 6 TimeAreaInfo,
// 7 the file entries. An AreaType outside 1-7 has none (monostate). Read it with
// std::get_if: an area's kind is never assumed.
// An image-text area may borrow its pages instead (BorrowedPages): the boot logo's
// temporary area plays and sends its screen's own logo list, which it never frees.
struct BorrowedPages {
  std::vector<FileItem>* pages = nullptr;
};
using AreaKindRecord = std::variant<std::monostate, SingleLineAreaInfo, std::vector<FileItem>,
                                    std::vector<FlashWordItem>, DigitalClockAreaInfo, ClockAreaInfo,
                                    TimeAreaInfo, std::vector<FileAreaItem>, BorrowedPages>;

// The pages of an image-text kind record, owned or borrowed; null for another kind.
std::vector<FileItem>* ImageTextPages(AreaKindRecord& kind);
const std::vector<FileItem>* ImageTextPages(const AreaKindRecord& kind);

// The empty, zero-filled kind record that matches areaType.
AreaKindRecord MakeKindRecord(std::int32_t areaType);

// One rectangular area of a program.
struct AreaRecord {
  std::int32_t AreaNo;
  std::int32_t AreaRect_Left;  // screen pixels; right and bottom excluded
  std::int32_t AreaRect_Top;
  std::int32_t AreaRect_Right;
  std::int32_t AreaRect_Bottom;
  char16_t AreaName[kNameCapacity];
  char16_t guid[kNameCapacity];  // names the area's files
  std::int32_t ZOrder;
  std::int32_t AreaType;  // ProjectAreaKind
  TreeItemHandle TreeItem;
  std::int32_t IsUseBorder;
  std::int32_t BorderType;
  std::int32_t BorderWidth;
  std::int32_t BorderValue;
  std::uint32_t BorderColor;
  std::int32_t BorderStyle;
  std::int32_t BorderSpeed;
  std::int32_t IsUseBack;
  std::vector<BackgroundItem> Backgrounds;
  AreaKindRecord Kind;
  ProgramRecord* OwnerProgram;
  ScreenRecord* OwnerScreen;
};

using AreaList = std::vector<std::unique_ptr<AreaRecord>>;

// One program of a screen.
struct ProgramRecord {
  std::int32_t ProgramNo;  // within its screen; may repeat after deletions
  char16_t ProgramName[kNameCapacity];
  std::uint32_t BackColor;
  std::int32_t BackType;
  std::int32_t BackSpeed;
  std::int32_t StopType;  // play mode
  std::int32_t PlayTime;
  std::int32_t LoopCount;
  std::int32_t IsProgramTiming;
  std::int32_t IsTime;
  std::int32_t IsDate;
  std::int32_t IsWeek;
  std::int32_t StartHour;
  std::int32_t StartMinute;
  std::int32_t StartSecond;
  std::int32_t EndHour;
  std::int32_t EndMinute;
  std::int32_t EndSecond;
  std::int32_t StartYear;
  std::int32_t StartMonth;
  std::int32_t StartDay;
  std::int32_t EndYear;
  std::int32_t EndMonth;
  std::int32_t EndDay;
  std::int32_t WeekVaule;  // weekday mask
  std::int32_t IsUseBorder;
  std::int32_t BorderType;
  std::int32_t BorderWidth;
  std::int32_t BorderValue;
  std::uint32_t BorderColor;
  std::int32_t BorderStyle;
  std::int32_t BorderSpeed;
  std::int32_t CheckState;  // the tree item's check box: chosen for sending
  ScreenRecord* OwnerScreen;
  TreeItemHandle TreeItem;
  AreaList Areas;  // in tree order
};

using ProgramList = std::vector<std::unique_ptr<ProgramRecord>>;

// Timed power on and off: three slots, laid out as the SDK's TimeOnOffInfo.
struct PowerSchedule {
  std::int32_t TimeFlag1, TimeFlag2, TimeFlag3;
  std::int32_t StartHour1, StartHour2, StartHour3;  // power on
  std::int32_t StartMinute1, StartMinute2, StartMinute3;
  std::int32_t EndHour1, EndHour2, EndHour3;  // power off
  std::int32_t EndMinute1, EndMinute2, EndMinute3;
};

// Timed brightness: three slots, laid out as the SDK's TimeBrightnessInfo.
struct BrightnessSchedule {
  std::int32_t TimeFlag1, TimeFlag2, TimeFlag3;
  std::int32_t StartHour1, StartHour2, StartHour3;
  std::int32_t StartMinute1, StartMinute2, StartMinute3;
  std::int32_t EndHour1, EndHour2, EndHour3;
  std::int32_t EndMinute1, EndMinute2, EndMinute3;
  std::int32_t BrightnessValue1, BrightnessValue2, BrightnessValue3;  // 0-15
};

// Ways a card is reached (ScreenRecord::SendType).
enum ScreenSendType : std::int32_t {
  kSendByNetwork = 0,
  kSendBySerialLine = 1,
  kSendByUsbDisk = 2,
};

// One screen. Held by value in ScreenList.
struct ScreenRecord {
  char16_t LedName[kNameCapacity];
  char16_t LedTypeStr[32];
  std::int32_t LedType;
  std::int32_t LedNo;     // unique within the project
  std::int32_t SendType;  // ScreenSendType
  std::int32_t NetworkType;
  std::uint32_t LedIp;  // IPv4, first octet in the most significant byte
  std::int32_t Commport;
  std::int32_t Bps;
  std::int32_t LedNumber;  // card number
  std::int32_t LedColor;   // colour type: 0 single colour, 1 two colours
  TreeItemHandle TreeItem;
  std::int32_t ModuleType;
  std::int32_t ModuleValue;
  std::int32_t ModuleWidth;  // pixels of one module
  std::int32_t ModuleHeight;
  std::int32_t WidthModuleNum;  // modules across
  std::int32_t HeightModuleNum;
  std::int32_t LedWidth;  // pixels
  std::int32_t LedHeight;
  std::int32_t OE;
  std::int32_t DA;
  std::int32_t ClockFrequency;
  std::int32_t XiaoYingTime;  // blanking time
  std::int32_t ZouXianType;   // routing (scan mode) key
  std::int32_t RouteValue;
  std::int32_t ScanType;
  std::int32_t DataHeight;
  std::int32_t RedGreenExchange;
  std::int32_t DecodeType;
  std::int32_t ModuleDirection;
  std::int32_t DataInterface;
  std::int32_t RemoveCol;
  std::int32_t RemoveRow;
  std::int32_t RealModuleWidth;
  std::int32_t RealModuleHeight;
  std::int32_t BrightnessValue;
  std::int32_t LightData;
  std::int32_t HanXu;       // line order
  std::int32_t ZhanKongBi;  // duty cycle
  std::int32_t IsTimeOnOff;
  PowerSchedule TimeOnOff;
  std::int32_t IsTimeBrightness;
  BrightnessSchedule TimeBrightness;
  std::int32_t LockState;  // the lock pane's state; not stored, 0 after loading
  std::int32_t Year;       // lock date and time
  std::int32_t Month;
  std::int32_t Day;
  std::int32_t Hour;
  std::int32_t Minute;
  std::int32_t IsShowLogoStart;
  std::int32_t IsShowLogoNoProgram;
  std::int32_t LogoLeft;  // screen pixels
  std::int32_t LogoTop;
  std::int32_t LogoRight;
  std::int32_t LogoBottom;
  std::vector<FileItem> LogoFiles;
  ProgramList Programs;  // in tree order
};

// Kinds of a tree item's reference.
enum TreeItemKind : std::int32_t {
  kScreenItem = 1,
  kProgramItem = 2,
  kAreaItem = 3,
};

// The data of a project-tree item: its kind and the record it shows. The view owns
// these; the record belongs to the model.
struct TreeItemRef {
  std::int32_t Kind;  // TreeItemKind
  void* Record;

  static TreeItemRef Of(ScreenRecord& screen) { return {kScreenItem, &screen}; }
  static TreeItemRef Of(ProgramRecord& program) { return {kProgramItem, &program}; }
  static TreeItemRef Of(AreaRecord& area) { return {kAreaItem, &area}; }

  // The record when it has that kind, else null.
  ScreenRecord* Screen() const { return As<ScreenRecord>(kScreenItem); }
  ProgramRecord* Program() const { return As<ProgramRecord>(kProgramItem); }
  AreaRecord* Area() const { return As<AreaRecord>(kAreaItem); }

 private:
  template <typename T>
  T* As(std::int32_t kind) const {
    return Kind == kind ? static_cast<T*>(Record) : nullptr;
  }
};
