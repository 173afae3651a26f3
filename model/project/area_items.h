#pragma once
// The settings records and list entries that areas and screens own: single-line
// settings, image-text pages and logo entries, flash words, files-area entries and
// background entries. Plain records of 32-bit ints, 0x00BBGGRR colours and UTF-16
// text fields of fixed capacity (capacity N holds N-1 units and a 0).

#include <QString>

#include <cstdint>

// Capacities of the text fields.
constexpr int kNameCapacity = 64;   // names and GUID texts
constexpr int kPathCapacity = 260;  // file names chosen by the user
constexpr int kFontNameCapacity = 32;

// Settings of a single-line area (kind 1). The text itself is the rich-text file
// UserData/<guid>.rtf.
struct SingleLineAreaInfo {
  char16_t guid[kNameCapacity];
  std::uint32_t BackColor;
  std::int32_t InStyle;
  std::int32_t OutStyle;
  std::int32_t IsLeftMove;
  std::int32_t InSpeed;
  std::int32_t OutSpeed;
  std::int32_t DelayTime;
  std::int32_t ZoomValue;
  std::int32_t OffsetValue;
  std::int32_t PageCount;  // rendered pages; not stored in project files
};

// One page of an image-text area (kind 2) or one boot-logo entry of a screen.
// A page with AddType 3 is a table page (source UserData/<guid>.kqg), any other a
// rich-text page (UserData/<guid>.rtf); a logo entry with AddType 1 is a rich-text
// logo.
struct FileItem {
  std::int32_t AddType;
  std::int32_t FileType;
  char16_t FileName[kPathCapacity];
  char16_t guid[kNameCapacity];
  std::int32_t IsVertical;
  std::uint32_t BackColor;
  std::uint32_t LineColor;
  std::int32_t InStyle;
  std::int32_t OutStyle;
  std::int32_t IsLeftMove;
  std::int32_t InSpeed;
  std::int32_t OutSpeed;
  std::int32_t DelayTime;
  std::int32_t ZoomValue;
  std::int32_t OffsetValue;
  std::int32_t PageCount;  // rendered pages; not stored in project files
};

// One text of a flash-word area (kind 3). IsChanged marks an item whose frames must
// be recorded again.
struct FlashWordItem {
  QString FileName;
  QString ShowStr;  // the words
  char16_t guid[kNameCapacity];
  char16_t FontProp_FontName[kFontNameCapacity];
  std::int32_t FontProp_FontSize;
  std::uint32_t FontProp_FontColor;
  std::int32_t FontProp_FontBold;
  std::int32_t FontProp_FontItalic;
  std::int32_t FontProp_FontUnderLined;
  std::int32_t FontDistance;
  std::int32_t PlayStyle;
  std::int32_t Speed;
  std::int32_t IsChanged;
};

// One entry of a files area (kind 7).
struct FileAreaItem {
  std::int32_t FileType;  // media kind of the file
  char16_t FilePath[kPathCapacity];
  char16_t Guid[kNameCapacity];
  std::int32_t InStyle;
  std::int32_t OutStyle;
  std::int32_t InSpeed;
  std::int32_t OutSpeed;
  std::int32_t DelayTime;
  std::int32_t Unstored;  // not stored in project files
};

// One entry of an area's background list. FileType 8 (kFlashBackground) is a
// built-in animated (flash) background numbered BackVaule; any other names a media
// file by FilePath.
constexpr std::int32_t kFlashBackground = 8;

struct BackgroundItem {
  std::int32_t AddType;
  std::int32_t FileType;
  std::int32_t BackVaule;
  std::int32_t DelayTime;
  std::int32_t Speed;
  char16_t guid[kNameCapacity];
  char16_t FilePath[kPathCapacity];
  std::int32_t RenderFlag;  // 1: a flash background must be recorded again; not stored
  std::int32_t Unstored;    // not stored in project files
};
