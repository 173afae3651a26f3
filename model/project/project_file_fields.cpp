#include "model/project/project_file_fields.h"

#include <algorithm>
#include <limits>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"

namespace {

QString FieldText(std::int32_t value) { return QString::number(value); }
QString FieldText(std::uint32_t value) { return QString::number(static_cast<std::int32_t>(value)); }
QString FieldText(const QString& value) { return value; }
template <std::size_t N>
QString FieldText(const char16_t (&value)[N]) {
  return ReadBoundedText(value);
}

void ReadField(std::int32_t& field, const QString& value) { field = ParseIntAttribute(value); }
void ReadField(std::uint32_t& field, const QString& value) {
  field = ParseUnsignedAttribute(value);
}
void ReadField(QString& field, const QString& value) { field = value; }
template <std::size_t N>
void ReadField(char16_t (&field)[N], const QString& value) {
  CopyBoundedText(field, value);  // cut at the field's capacity
}

}  // namespace

// One table entry: the attribute's name and the record member it carries.
#define KQ_FIELD_AS(attribute, member)                                \
  {                                                                   \
    u"" #attribute, [](const Rec& r) { return FieldText(r.member); }, \
        [](Rec& r, const QString& v) { ReadField(r.member, v); }      \
  }
#define KQ_FIELD(member) KQ_FIELD_AS(member, member)

std::int64_t ParseDecimal(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' ||
                             text[i] == u'\r' || text[i] == u'\v' || text[i] == u'\f')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value > kLimit) {
      value = std::numeric_limits<std::int64_t>::max();
      break;
    }
    value = value * 10 + (text[i].unicode() - u'0');
  }
  return negative ? -value : value;
}

std::int32_t ParseIntAttribute(QStringView text) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(ParseDecimal(text), std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t ParseUnsignedAttribute(QStringView text) {
  const std::int64_t value =
      std::clamp<std::int64_t>(ParseDecimal(text), std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::uint32_t>::max());
  return static_cast<std::uint32_t>(value);
}

std::span<const AttributeField<ScreenRecord>> LedFields() {
  using Rec = ScreenRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(LedName),
      KQ_FIELD(LedTypeStr),
      KQ_FIELD(LedType),
      KQ_FIELD(SendType),
      KQ_FIELD(NetworkType),
      KQ_FIELD(LedIp),
      KQ_FIELD(Commport),
      KQ_FIELD(Bps),
      KQ_FIELD(LedNo),
      KQ_FIELD(LedNumber),
      KQ_FIELD(LedColor),
      KQ_FIELD(ModuleType),
      KQ_FIELD(ModuleValue),
      KQ_FIELD(ModuleWidth),
      KQ_FIELD(ModuleHeight),
      KQ_FIELD(WidthModuleNum),
      KQ_FIELD(HeightModuleNum),
      KQ_FIELD(LedWidth),
      KQ_FIELD(LedHeight),
      KQ_FIELD(OE),
      KQ_FIELD(DA),
      KQ_FIELD(ClockFrequency),
      KQ_FIELD(XiaoYingTime),
      KQ_FIELD(ZouXianType),
      KQ_FIELD(RouteValue),
      KQ_FIELD(ScanType),
      KQ_FIELD(DataHeight),
      KQ_FIELD(RedGreenExchange),
      KQ_FIELD(DecodeType),
      KQ_FIELD(ModuleDirection),
      KQ_FIELD(DataInterface),
      KQ_FIELD(RemoveCol),
      KQ_FIELD(RemoveRow),
      KQ_FIELD(RealModuleWidth),
      KQ_FIELD(RealModuleHeight),
      KQ_FIELD(HanXu),
      KQ_FIELD(ZhanKongBi),
      KQ_FIELD(LightData),
      KQ_FIELD(BrightnessValue),
  };
  return kFields;
}

#define KQ_SLOT(block, member) KQ_FIELD_AS(member, block.member)

std::span<const AttributeField<ScreenRecord>> OnOffTimeFields() {
  using Rec = ScreenRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(IsTimeOnOff),
      KQ_SLOT(TimeOnOff, TimeFlag1),
      KQ_SLOT(TimeOnOff, TimeFlag2),
      KQ_SLOT(TimeOnOff, TimeFlag3),
      KQ_SLOT(TimeOnOff, StartHour1),
      KQ_SLOT(TimeOnOff, StartHour2),
      KQ_SLOT(TimeOnOff, StartHour3),
      KQ_SLOT(TimeOnOff, StartMinute1),
      KQ_SLOT(TimeOnOff, StartMinute2),
      KQ_SLOT(TimeOnOff, StartMinute3),
      KQ_SLOT(TimeOnOff, EndHour1),
      KQ_SLOT(TimeOnOff, EndHour2),
      KQ_SLOT(TimeOnOff, EndHour3),
      KQ_SLOT(TimeOnOff, EndMinute1),
      KQ_SLOT(TimeOnOff, EndMinute2),
      KQ_SLOT(TimeOnOff, EndMinute3),
  };
  return kFields;
}

std::span<const AttributeField<ScreenRecord>> BrightnessTimeFields() {
  using Rec = ScreenRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(IsTimeBrightness),
      KQ_SLOT(TimeBrightness, TimeFlag1),
      KQ_SLOT(TimeBrightness, TimeFlag2),
      KQ_SLOT(TimeBrightness, TimeFlag3),
      KQ_SLOT(TimeBrightness, BrightnessValue1),
      KQ_SLOT(TimeBrightness, BrightnessValue2),
      KQ_SLOT(TimeBrightness, BrightnessValue3),
      KQ_SLOT(TimeBrightness, StartHour1),
      KQ_SLOT(TimeBrightness, StartHour2),
      KQ_SLOT(TimeBrightness, StartHour3),
      KQ_SLOT(TimeBrightness, StartMinute1),
      KQ_SLOT(TimeBrightness, StartMinute2),
      KQ_SLOT(TimeBrightness, StartMinute3),
      KQ_SLOT(TimeBrightness, EndHour1),
      KQ_SLOT(TimeBrightness, EndHour2),
      KQ_SLOT(TimeBrightness, EndHour3),
      KQ_SLOT(TimeBrightness, EndMinute1),
      KQ_SLOT(TimeBrightness, EndMinute2),
      KQ_SLOT(TimeBrightness, EndMinute3),
  };
  return kFields;
}

std::span<const AttributeField<ScreenRecord>> LockTimeFields() {
  using Rec = ScreenRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(Year), KQ_FIELD(Month), KQ_FIELD(Day), KQ_FIELD(Hour), KQ_FIELD(Minute),
  };
  return kFields;
}

std::span<const AttributeField<ScreenRecord>> LogoFields() {
  using Rec = ScreenRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(LogoLeft),   KQ_FIELD(LogoTop),         KQ_FIELD(LogoRight),
      KQ_FIELD(LogoBottom), KQ_FIELD(IsShowLogoStart), KQ_FIELD(IsShowLogoNoProgram),
  };
  return kFields;
}

std::span<const AttributeField<FileItem>> FileItemFields() {
  using Rec = FileItem;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(AddType),    KQ_FIELD(FileType),   KQ_FIELD(FileName),    KQ_FIELD(guid),
      KQ_FIELD(IsVertical), KQ_FIELD(BackColor),  KQ_FIELD(LineColor),   KQ_FIELD(InStyle),
      KQ_FIELD(OutStyle),   KQ_FIELD(IsLeftMove), KQ_FIELD(InSpeed),     KQ_FIELD(OutSpeed),
      KQ_FIELD(DelayTime),  KQ_FIELD(ZoomValue),  KQ_FIELD(OffsetValue),
  };
  return kFields;
}

std::span<const AttributeField<ProgramRecord>> ProgramFields() {
  using Rec = ProgramRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD_AS(ProgramCheck, CheckState),
      KQ_FIELD(ProgramNo),
      KQ_FIELD(ProgramName),
      KQ_FIELD(BackColor),
      KQ_FIELD(BackType),
      KQ_FIELD(BackSpeed),
      KQ_FIELD(StopType),
      KQ_FIELD(PlayTime),
      KQ_FIELD(LoopCount),
      KQ_FIELD(IsProgramTiming),
      KQ_FIELD(IsTime),
      KQ_FIELD(IsDate),
      KQ_FIELD(IsWeek),
      KQ_FIELD(StartHour),
      KQ_FIELD(StartMinute),
      KQ_FIELD(StartSecond),
      KQ_FIELD(EndHour),
      KQ_FIELD(EndMinute),
      KQ_FIELD(EndSecond),
      KQ_FIELD(StartYear),
      KQ_FIELD(StartMonth),
      KQ_FIELD(StartDay),
      KQ_FIELD(EndYear),
      KQ_FIELD(EndMonth),
      KQ_FIELD(EndDay),
      KQ_FIELD(WeekVaule),
      KQ_FIELD(IsUseBorder),
      KQ_FIELD(BorderType),
      KQ_FIELD(BorderWidth),
      KQ_FIELD(BorderValue),
      KQ_FIELD(BorderColor),
      KQ_FIELD(BorderStyle),
      KQ_FIELD(BorderSpeed),
  };
  return kFields;
}

std::span<const AttributeField<AreaRecord>> AreaFields() {
  using Rec = AreaRecord;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(AreaNo),         KQ_FIELD(AreaRect_Left),   KQ_FIELD(AreaRect_Top),
      KQ_FIELD(AreaRect_Right), KQ_FIELD(AreaRect_Bottom), KQ_FIELD(AreaName),
      KQ_FIELD(guid),           KQ_FIELD(ZOrder),          KQ_FIELD(AreaType),
      KQ_FIELD(IsUseBorder),    KQ_FIELD(BorderType),      KQ_FIELD(BorderWidth),
      KQ_FIELD(BorderValue),    KQ_FIELD(BorderColor),     KQ_FIELD(BorderStyle),
      KQ_FIELD(BorderSpeed),    KQ_FIELD(IsUseBack),
  };
  return kFields;
}

std::span<const AttributeField<BackgroundItem>> BackgroundFields() {
  using Rec = BackgroundItem;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(AddType), KQ_FIELD(FileType), KQ_FIELD(BackVaule), KQ_FIELD(DelayTime),
      KQ_FIELD(Speed),   KQ_FIELD(guid),     KQ_FIELD(FilePath),
  };
  return kFields;
}

std::span<const AttributeField<SingleLineAreaInfo>> SingleLineFields() {
  using Rec = SingleLineAreaInfo;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(guid),       KQ_FIELD(BackColor),   KQ_FIELD(InStyle),  KQ_FIELD(OutStyle),
      KQ_FIELD(IsLeftMove), KQ_FIELD(InSpeed),     KQ_FIELD(OutSpeed), KQ_FIELD(DelayTime),
      KQ_FIELD(ZoomValue),  KQ_FIELD(OffsetValue),
  };
  return kFields;
}

std::span<const AttributeField<FlashWordItem>> FlashWordFields() {
  using Rec = FlashWordItem;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(FileName),
      KQ_FIELD(ShowStr),
      KQ_FIELD(guid),
      KQ_FIELD(FontProp_FontName),
      KQ_FIELD(FontProp_FontSize),
      KQ_FIELD(FontProp_FontColor),
      KQ_FIELD(FontProp_FontBold),
      KQ_FIELD(FontProp_FontItalic),
      KQ_FIELD(FontProp_FontUnderLined),
      KQ_FIELD(FontDistance),
      KQ_FIELD(PlayStyle),
      KQ_FIELD(Speed),
      KQ_FIELD(IsChanged),
  };
  return kFields;
}

#define KQ_FONT(prefix)                                                                   \
  KQ_FIELD(prefix##_FontName), KQ_FIELD(prefix##_FontSize), KQ_FIELD(prefix##_FontColor), \
      KQ_FIELD(prefix##_FontBold), KQ_FIELD(prefix##_FontItalic), KQ_FIELD(prefix##_FontUnderLine)

std::span<const AttributeField<DigitalClockAreaInfo>> DigitalClockFields() {
  using Rec = DigitalClockAreaInfo;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD_AS(FileType, FixedText),
      KQ_FONT(ShowStrFont),
      KQ_FIELD(TimeLagType),
      KQ_FIELD(HourNum),
      KQ_FIELD(MiniteNum),
      KQ_FIELD(DateFormat),
      KQ_FIELD(DateColor),
      KQ_FIELD(WeekFormat),
      KQ_FIELD(WeekColor),
      KQ_FIELD(TimeFormat),
      KQ_FIELD(TimeColor),
      KQ_FIELD(IsShowYear),
      KQ_FIELD(IsShowWeek),
      KQ_FIELD(IsShowMonth),
      KQ_FIELD(IsShowDay),
      KQ_FIELD(IsShowHour),
      KQ_FIELD(IsShowMinite),
      KQ_FIELD(IsShowSecond),
      KQ_FIELD(HourType),
      KQ_FIELD(YearType),
      KQ_FIELD(IsMutleLineShow),
  };
  return kFields;
}

std::span<const AttributeField<ClockAreaInfo>> ClockFields() {
  using Rec = ClockAreaInfo;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(ShowStr),          KQ_FONT(ShowStrFont),         KQ_FIELD(TimeLagType),
      KQ_FIELD(HourNum),          KQ_FIELD(MiniteNum),          KQ_FIELD(ClockType),
      KQ_FIELD(HourMarkColor),    KQ_FIELD(HourMarkType),       KQ_FIELD(HourMarkWidth),
      KQ_FIELD(MiniteMarkColor),  KQ_FIELD(MiniteMarkType),     KQ_FIELD(MiniteMarkWidth),
      KQ_FIELD(HourPointerColor), KQ_FIELD(MinitePointerColor), KQ_FIELD(SecondPointerColor),
      KQ_FIELD(HourPointerWidth), KQ_FIELD(MinutePointerWidth), KQ_FIELD(SecondPointerWidth),
      KQ_FIELD(IsShowDate),       KQ_FIELD(DateFormat),         KQ_FONT(WeekFont),
      KQ_FONT(DateFont),          KQ_FIELD(IsShowWeek),         KQ_FIELD(WeekFormat),
  };
  return kFields;
}

std::span<const AttributeField<TimeAreaInfo>> TimeFields() {
  using Rec = TimeAreaInfo;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(ShowType),     KQ_FIELD(nYear),        KQ_FIELD(nMonth),
      KQ_FIELD(nDay),         KQ_FIELD(nHour),        KQ_FIELD(nMinute),
      KQ_FIELD(nSecond),      KQ_FIELD(IsShowDay),    KQ_FIELD(IsShowHour),
      KQ_FIELD(IsShowMinute), KQ_FIELD(IsShowSecond), KQ_FIELD(IsMutleLineShow),
      KQ_FIELD(ShowStr),      KQ_FIELD(TimeStrColor), KQ_FONT(ShowStrFont),
  };
  return kFields;
}

std::span<const AttributeField<FileAreaItem>> FileAreaFields() {
  using Rec = FileAreaItem;
  static const AttributeField<Rec> kFields[] = {
      KQ_FIELD(FileType), KQ_FIELD(FilePath), KQ_FIELD(Guid),     KQ_FIELD(InStyle),
      KQ_FIELD(OutStyle), KQ_FIELD(InSpeed),  KQ_FIELD(OutSpeed), KQ_FIELD(DelayTime),
  };
  return kFields;
}

QString EmbeddedSourcePath(const char16_t* guid, QStringView extension) {
  QString name = ReadBoundedText(guid, kNameCapacity);
  name.append(extension);
  return AppFilePath(AppFolder::UserData, name);
}

QStringView PageSourceExtension(const FileItem& page) {
  return page.AddType == 3 ? QStringView(u".kqg") : QStringView(u".rtf");
}
