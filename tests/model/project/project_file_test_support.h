#pragma once
// Helpers of the project-file tests: files in and out, and project-file text built
// from attribute lists written out as the stored format has them.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include "model/common/app_dir.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"

inline const QString kDeclaration =
    QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n");

inline QString ProjectPath(const QString& name = QStringLiteral("test.kqprj")) {
  return GetAppDir() + name;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The source file of an embedded element.
inline QString EmbeddedFile(const char16_t* guid, const char* extension) {
  return AppFilePath(AppFolder::UserData,
                     ReadBoundedText(guid, 64) + QString::fromLatin1(extension));
}

// Attribute text from a list of names: `name=value` gives that value, `$name` a text
// and `@name` a GUID text; a plain name an integer. Values come from *counter (each
// attribute the next number) or, without a counter, are 0 and empty.
inline QString Attributes(const QString& names, int* counter = nullptr) {
  QString out;
  for (const QString& token : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    QString name = token;
    QString value;
    const int n = counter != nullptr ? (*counter)++ : 0;
    if (token.contains(QLatin1Char('='))) {
      name = token.section(QLatin1Char('='), 0, 0);
      value = token.section(QLatin1Char('='), 1);
    } else if (token.startsWith(QLatin1Char('$'))) {
      name = token.mid(1);
      value = counter != nullptr ? QStringLiteral("t%1").arg(n) : QString();
    } else if (token.startsWith(QLatin1Char('@'))) {
      name = token.mid(1);
      value = QStringLiteral("00000000-0000-0000-0000-%1").arg(n, 12, 10, QLatin1Char('0'));
    } else {
      value = QString::number(n);
    }
    out += QStringLiteral(" %1=\"%2\"").arg(name, value);
  }
  return out;
}

// One element line: <name attrs/> or, with text, <name attrs>text</name>.
inline QString Line(const QString& name, const QString& attributes,
                    const QString& text = QString()) {
  if (text.isEmpty()) return QStringLiteral("<%1%2/>\r\n").arg(name, attributes);
  return QStringLiteral("<%1%2>%3</%1>\r\n").arg(name, attributes, text);
}

inline QString Open(const QString& name, const QString& attributes) {
  return QStringLiteral("<%1%2>\r\n").arg(name, attributes);
}

inline QString Close(const QString& name) { return QStringLiteral("</%1>\r\n").arg(name); }

// The attributes of each element, in their stored order.
inline const QString kLedAttributes = QStringLiteral(
    "$LedName $LedTypeStr LedType SendType NetworkType LedIp Commport Bps LedNo LedNumber "
    "LedColor ModuleType ModuleValue ModuleWidth ModuleHeight WidthModuleNum HeightModuleNum "
    "LedWidth LedHeight OE DA ClockFrequency XiaoYingTime ZouXianType RouteValue ScanType "
    "DataHeight RedGreenExchange DecodeType ModuleDirection DataInterface RemoveCol RemoveRow "
    "RealModuleWidth RealModuleHeight HanXu ZhanKongBi LightData BrightnessValue");
inline const QString kOnOffAttributes = QStringLiteral(
    "IsTimeOnOff TimeFlag1 TimeFlag2 TimeFlag3 StartHour1 StartHour2 StartHour3 StartMinute1 "
    "StartMinute2 StartMinute3 EndHour1 EndHour2 EndHour3 EndMinute1 EndMinute2 EndMinute3");
inline const QString kBrightnessAttributes = QStringLiteral(
    "IsTimeBrightness TimeFlag1 TimeFlag2 TimeFlag3 BrightnessValue1 BrightnessValue2 "
    "BrightnessValue3 StartHour1 StartHour2 StartHour3 StartMinute1 StartMinute2 StartMinute3 "
    "EndHour1 EndHour2 EndHour3 EndMinute1 EndMinute2 EndMinute3");
inline const QString kLockAttributes = QStringLiteral("Year Month Day Hour Minute");
inline const QString kLogoAttributes =
    QStringLiteral("LogoLeft LogoTop LogoRight LogoBottom IsShowLogoStart IsShowLogoNoProgram");
// File and ImageWordArea, after AddType.
inline const QString kFileItemAttributes = QStringLiteral(
    "FileType $FileName @guid IsVertical BackColor LineColor InStyle OutStyle IsLeftMove "
    "InSpeed OutSpeed DelayTime ZoomValue OffsetValue");
// Program, after ProgramCheck.
inline const QString kProgramAttributes = QStringLiteral(
    "ProgramNo $ProgramName BackColor BackType BackSpeed StopType PlayTime LoopCount "
    "IsProgramTiming IsTime IsDate IsWeek StartHour StartMinute StartSecond EndHour EndMinute "
    "EndSecond StartYear StartMonth StartDay EndYear EndMonth EndDay WeekVaule IsUseBorder "
    "BorderType BorderWidth BorderValue BorderColor BorderStyle BorderSpeed");
// Area: the part before and after AreaType.
inline const QString kAreaHead = QStringLiteral(
    "AreaNo AreaRect_Left AreaRect_Top AreaRect_Right AreaRect_Bottom $AreaName @guid ZOrder");
inline const QString kAreaTail = QStringLiteral(
    "IsUseBorder BorderType BorderWidth BorderValue BorderColor BorderStyle BorderSpeed IsUseBack");
inline const QString kBackgroundAttributes =
    QStringLiteral("AddType FileType BackVaule DelayTime Speed @guid $FilePath");
inline const QString kSingleLineAttributes = QStringLiteral(
    "@guid BackColor InStyle OutStyle IsLeftMove InSpeed OutSpeed DelayTime ZoomValue OffsetValue");
inline const QString kFlashWordAttributes = QStringLiteral(
    "$FileName $ShowStr @guid $FontProp_FontName FontProp_FontSize FontProp_FontColor "
    "FontProp_FontBold FontProp_FontItalic FontProp_FontUnderLined FontDistance PlayStyle Speed "
    "IsChanged");
inline const QString kShowStrFont = QStringLiteral(
    " $ShowStrFont_FontName ShowStrFont_FontSize ShowStrFont_FontColor ShowStrFont_FontBold "
    "ShowStrFont_FontItalic ShowStrFont_FontUnderLine ");
inline const QString kDigitalClockAttributes =
    QStringLiteral("$FileType") + kShowStrFont +
    QStringLiteral(
        "TimeLagType HourNum MiniteNum DateFormat DateColor WeekFormat WeekColor TimeFormat "
        "TimeColor IsShowYear IsShowWeek IsShowMonth IsShowDay IsShowHour IsShowMinite "
        "IsShowSecond HourType YearType IsMutleLineShow");
inline const QString kClockAttributes =
    QStringLiteral("$ShowStr") + kShowStrFont +
    QStringLiteral(
        "TimeLagType HourNum MiniteNum ClockType HourMarkColor HourMarkType HourMarkWidth "
        "MiniteMarkColor MiniteMarkType MiniteMarkWidth HourPointerColor MinitePointerColor "
        "SecondPointerColor HourPointerWidth MinutePointerWidth SecondPointerWidth IsShowDate "
        "DateFormat $WeekFont_FontName WeekFont_FontSize WeekFont_FontColor WeekFont_FontBold "
        "WeekFont_FontItalic WeekFont_FontUnderLine $DateFont_FontName DateFont_FontSize "
        "DateFont_FontColor DateFont_FontBold DateFont_FontItalic DateFont_FontUnderLine "
        "IsShowWeek WeekFormat");
inline const QString kTimeAttributes =
    QStringLiteral(
        "ShowType nYear nMonth nDay nHour nMinute nSecond IsShowDay IsShowHour IsShowMinute "
        "IsShowSecond IsMutleLineShow $ShowStr TimeStrColor") +
    kShowStrFont;
inline const QString kFileAreaAttributes =
    QStringLiteral("FileType $FilePath @Guid InStyle OutStyle InSpeed OutSpeed DelayTime");
