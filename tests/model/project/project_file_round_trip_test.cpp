// Saving and loading whole projects: every stored field of every area kind comes
// back, and the saved bytes are those of the stored format.
#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/xml/xml_document.h"
#include "tests/model/project/project_file_test_support.h"

namespace {

class ProjectFileRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override { ClearProjectModel(); }
  void TearDown() override { ClearProjectModel(); }
};

QString Area(int type, int* n, const QString& children) {
  const QString attributes =
      Attributes(kAreaHead + QStringLiteral(" AreaType=%1 ").arg(type) + kAreaTail, n);
  if (children.isEmpty()) return Line(QStringLiteral("Area"), attributes);
  return Open(QStringLiteral("Area"), attributes) + children + Close(QStringLiteral("Area"));
}

// A project with every element, every attribute a distinct value.
QString FullProject() {
  int n = 2000;  // from 2000 on, so lock years and months keep their values
  auto line = [&n](const char* name, const QString& names, const QString& text = QString()) {
    return Line(QString::fromLatin1(name), Attributes(names, &n), text);
  };
  QString text = kDeclaration + QStringLiteral("<LEDS>\r\n<FileFlag>kqprj</FileFlag>\r\n");
  // Every value distinct but the size, which must be one a card can drive.
  const QString led = QString(kLedAttributes)
                          .replace(QStringLiteral("LedColor "), QStringLiteral("LedColor=2 "))
                          .replace(QStringLiteral("ModuleNum "), QStringLiteral("ModuleNum=4 "))
                          .replace(QStringLiteral("Width "), QStringLiteral("Width=16 "))
                          .replace(QStringLiteral("Height "), QStringLiteral("Height=8 "));
  text += Open(QStringLiteral("LED"), Attributes(led, &n));
  text += line("OnOffTimeInfo", kOnOffAttributes);
  text += line("BrightnessTimeInfo", kBrightnessAttributes);
  text += line("LockTimeInfo", kLockAttributes);
  text += Open(QStringLiteral("LogoInfo"), Attributes(kLogoAttributes, &n));
  text += line("File", QStringLiteral("AddType=1 ") + kFileItemAttributes, QStringLiteral("aGk="));
  text += line("File", QStringLiteral("AddType=2 ") + kFileItemAttributes);
  text += Close(QStringLiteral("LogoInfo"));
  text += Open(QStringLiteral("Program"),
               Attributes(QStringLiteral("ProgramCheck=1 ") + kProgramAttributes, &n));
  const QString backgrounds =
      line("Backgroud", kBackgroundAttributes) + line("Backgroud", kBackgroundAttributes);
  text +=
      Area(1, &n,
           line("SingleLineArea", kSingleLineAttributes, QStringLiteral("e1xydGYx")) + backgrounds);
  text += Area(2, &n,
               line("ImageWordArea", QStringLiteral("AddType=3 ") + kFileItemAttributes,
                    QStringLiteral("AAEC")) +
                   line("ImageWordArea", QStringLiteral("AddType=0 ") + kFileItemAttributes,
                        QStringLiteral("aGk=")));
  text += Area(
      3, &n,
      line("FlashWordArea", kFlashWordAttributes) + line("FlashWordArea", kFlashWordAttributes));
  text += Area(4, &n, line("DigitalClockArea", kDigitalClockAttributes));
  text += Area(5, &n, line("ClockArea", kClockAttributes));
  text += Area(6, &n, line("TimeArea", kTimeAttributes));
  text +=
      Area(7, &n, line("FileArea", kFileAreaAttributes) + line("FileArea", kFileAreaAttributes));
  text += Area(2, &n, QString());  // no pages
  text += Area(99, &n, line("Backgroud", kBackgroundAttributes));
  text += Close(QStringLiteral("Program"));
  text += line("Program", QStringLiteral("ProgramCheck=0 ") + kProgramAttributes);
  text += Close(QStringLiteral("LED"));
  text += QStringLiteral(
      "<GroupList>\r\n<Group GroupName=\"g&amp;1\">\r\n<LED LEDNO=\"2008\"/>\r\n<LED "
      "LEDNO=\"7\"/>\r\n"
      "</Group>\r\n<Group GroupName=\"empty\"/>\r\n</GroupList>\r\n</LEDS>\r\n");
  return text;
}

template <typename T>
const T& KindOf(const AreaRecord& area) {
  const T* kind = std::get_if<T>(&area.Kind);
  EXPECT_NE(kind, nullptr) << "area type " << area.AreaType;
  static const T kEmpty{};
  return kind != nullptr ? *kind : kEmpty;
}

TEST_F(ProjectFileRoundTrip, EveryStoredFieldOfEveryKindComesBackAndSavesToTheSameBytes) {
  const QByteArray original = FullProject().toUtf8();
  ASSERT_TRUE(WriteBytes(ProjectPath(), original));
  const QString stalePak =
      AppFilePath(AppFolder::Temp, u"00000000-0000-0000-0000-000000002162.pak");
  ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::Temp)));
  ASSERT_TRUE(WriteBytes(stalePak, "old frames"));

  ASSERT_TRUE(IsProjectFile(ProjectPath()));
  ASSERT_EQ(LoadProjectXml(ProjectPath()), 1);

  ASSERT_EQ(ScreenList.size(), 1u);
  const ScreenRecord& screen = ScreenList.front();
  EXPECT_EQ(ReadBoundedText(screen.LedName), QStringLiteral("t2000"));
  EXPECT_EQ(screen.LedIp, 2005u);
  EXPECT_EQ(screen.BrightnessValue, 2038);
  EXPECT_EQ(screen.TimeOnOff.EndMinute3, 2054);
  EXPECT_EQ(screen.TimeBrightness.BrightnessValue1, 2059);
  EXPECT_EQ(screen.TimeBrightness.StartHour1, 2062);
  EXPECT_EQ(screen.Year, 2074);
  EXPECT_EQ(screen.LogoLeft, 2079);
  EXPECT_EQ(screen.LockState, 0);
  ASSERT_EQ(screen.LogoFiles.size(), 2u);
  EXPECT_EQ(screen.LogoFiles[0].PageCount, 0);
  EXPECT_EQ(ReadBytes(EmbeddedFile(screen.LogoFiles[0].guid, ".rtf")), QByteArray("hi"));

  ASSERT_EQ(screen.Programs.size(), 2u);
  const ProgramRecord& program = *screen.Programs[0];
  EXPECT_EQ(program.CheckState, 1);
  EXPECT_EQ(screen.Programs[1]->CheckState, 0);
  EXPECT_EQ(program.OwnerScreen, &screen);
  ASSERT_EQ(program.Areas.size(), 9u);
  for (const auto& area : program.Areas) {
    EXPECT_EQ(area->OwnerProgram, &program);
    EXPECT_EQ(area->OwnerScreen, &screen);
    EXPECT_EQ(area->TreeItem, nullptr);
  }
  const auto& single = KindOf<SingleLineAreaInfo>(*program.Areas[0]);
  EXPECT_EQ(ReadBytes(EmbeddedFile(single.guid, ".rtf")), QByteArray("{\\rtf1"));
  EXPECT_FALSE(FileExists(stalePak)) << "the stale frames of a restored source are deleted";
  ASSERT_EQ(program.Areas[0]->Backgrounds.size(), 2u);
  EXPECT_EQ(program.Areas[0]->Backgrounds[1].RenderFlag, 0);
  const auto& pages = KindOf<std::vector<FileItem>>(*program.Areas[1]);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(ReadBytes(EmbeddedFile(pages[0].guid, ".kqg")), QByteArray("\0\1\2", 3));
  EXPECT_EQ(ReadBytes(EmbeddedFile(pages[1].guid, ".rtf")), QByteArray("hi"));
  EXPECT_EQ(KindOf<std::vector<FlashWordItem>>(*program.Areas[2]).size(), 2u);
  EXPECT_EQ(KindOf<DigitalClockAreaInfo>(*program.Areas[3]).Reserved1, 0);
  EXPECT_EQ(ReadBoundedText(KindOf<ClockAreaInfo>(*program.Areas[4]).WeekFont_FontName).left(1),
            QStringLiteral("t"));
  EXPECT_EQ(KindOf<TimeAreaInfo>(*program.Areas[5]).Reserved2, 0);
  EXPECT_EQ(KindOf<std::vector<FileAreaItem>>(*program.Areas[6])[1].Unstored, 0);
  EXPECT_TRUE(KindOf<std::vector<FileItem>>(*program.Areas[7]).empty());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(program.Areas[8]->Kind));

  ASSERT_EQ(ScreenGroupList.size(), 2u);
  EXPECT_EQ(ScreenGroupList.front().GroupName, QStringLiteral("g&1"));
  EXPECT_EQ(ScreenGroupList.front().ScreenNos, (std::vector<std::int32_t>{2008, 7}));
  EXPECT_TRUE(ScreenGroupList.back().ScreenNos.empty());

  const QString again = ProjectPath(QStringLiteral("again.kqprj"));
  ASSERT_EQ(SaveProjectXml(again), 1);
  EXPECT_EQ(QString::fromUtf8(ReadBytes(again)), QString::fromUtf8(original));
}

}  // namespace

namespace {

constexpr char16_t kAreaGuid[] = u"11111111-2222-3333-4444-555555555555";
constexpr char16_t kTextGuid[] = u"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE";
constexpr char16_t kFileGuid[] = u"01234567-89AB-CDEF-0123-456789ABCDEF";

// A screen with one program of a single-line area and a files area, and one group.
void BuildSmallProject() {
  ScreenRecord& screen = ScreenList.emplace_back();
  CopyBoundedText(screen.LedName, u"A&B");
  screen.LedIp = 0xC0A80164;
  screen.LedNo = 3;
  screen.LedWidth = 64;
  screen.LedHeight = 16;
  screen.BrightnessValue = 15;
  screen.TimeBrightness.BrightnessValue2 = 9;
  screen.Year = 2024;
  screen.Month = 2;
  screen.Day = 3;
  screen.LogoRight = 64;
  screen.LogoBottom = 16;
  auto program = std::make_unique<ProgramRecord>();
  program->ProgramNo = 1;
  CopyBoundedText(program->ProgramName, u"P \"1\"");
  program->BackColor = 0x00FF0000;
  program->CheckState = 1;
  program->OwnerScreen = &screen;
  auto single = std::make_unique<AreaRecord>();
  single->AreaNo = 1;
  single->AreaRect_Right = 64;
  single->AreaRect_Bottom = 16;
  CopyBoundedText(single->AreaName, u"A");
  CopyBoundedText(single->guid, kAreaGuid);
  single->AreaType = kSingleLineArea;
  SingleLineAreaInfo info{};
  CopyBoundedText(info.guid, kTextGuid);
  info.DelayTime = 30;
  info.PageCount = 4;  // not stored
  single->Kind = info;
  BackgroundItem back{};
  back.FileType = 8;
  back.BackVaule = 2;
  CopyBoundedText(back.guid, kAreaGuid);
  back.RenderFlag = 1;  // not stored
  single->Backgrounds.push_back(back);
  auto files = std::make_unique<AreaRecord>();
  files->AreaNo = 2;
  files->AreaType = kFilesArea;
  CopyBoundedText(files->guid, kFileGuid);
  FileAreaItem file{};
  file.FileType = 1;
  CopyBoundedText(file.FilePath, u"C:\\pics\\<a>.bmp");
  CopyBoundedText(file.Guid, kFileGuid);
  files->Kind = std::vector<FileAreaItem>{file};
  program->Areas.push_back(std::move(single));
  program->Areas.push_back(std::move(files));
  screen.Programs.push_back(std::move(program));
  ScreenGroup group(QStringLiteral("All"));
  group.ScreenNos = {3};
  ScreenGroupList.push_back(group);
  EXPECT_TRUE(CreateDirTree(AppFolderPath(AppFolder::UserData)));
  WriteBytes(EmbeddedFile(kTextGuid, ".rtf"), "{\\rtf1 hi}");
}

TEST_F(ProjectFileRoundTrip, SmallProjectSavesToTheExactStoredBytes) {
  BuildSmallProject();
  const QByteArray expected =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
      "<LEDS>\r\n"
      "<FileFlag>kqprj</FileFlag>\r\n"
      "<LED LedName=\"A&amp;B\" LedTypeStr=\"\" LedType=\"0\" SendType=\"0\" NetworkType=\"0\" "
      "LedIp=\"-1062731420\" Commport=\"0\" Bps=\"0\" LedNo=\"3\" LedNumber=\"0\" LedColor=\"0\" "
      "ModuleType=\"0\" ModuleValue=\"0\" ModuleWidth=\"0\" ModuleHeight=\"0\" "
      "WidthModuleNum=\"0\" "
      "HeightModuleNum=\"0\" LedWidth=\"64\" LedHeight=\"16\" OE=\"0\" DA=\"0\" "
      "ClockFrequency=\"0\" "
      "XiaoYingTime=\"0\" ZouXianType=\"0\" RouteValue=\"0\" ScanType=\"0\" DataHeight=\"0\" "
      "RedGreenExchange=\"0\" DecodeType=\"0\" ModuleDirection=\"0\" DataInterface=\"0\" "
      "RemoveCol=\"0\" RemoveRow=\"0\" RealModuleWidth=\"0\" RealModuleHeight=\"0\" HanXu=\"0\" "
      "ZhanKongBi=\"0\" LightData=\"0\" BrightnessValue=\"15\">\r\n"
      "<OnOffTimeInfo IsTimeOnOff=\"0\" TimeFlag1=\"0\" TimeFlag2=\"0\" TimeFlag3=\"0\" "
      "StartHour1=\"0\" StartHour2=\"0\" StartHour3=\"0\" StartMinute1=\"0\" StartMinute2=\"0\" "
      "StartMinute3=\"0\" EndHour1=\"0\" EndHour2=\"0\" EndHour3=\"0\" EndMinute1=\"0\" "
      "EndMinute2=\"0\" EndMinute3=\"0\"/>\r\n"
      "<BrightnessTimeInfo IsTimeBrightness=\"0\" TimeFlag1=\"0\" TimeFlag2=\"0\" TimeFlag3=\"0\" "
      "BrightnessValue1=\"0\" BrightnessValue2=\"9\" BrightnessValue3=\"0\" StartHour1=\"0\" "
      "StartHour2=\"0\" StartHour3=\"0\" StartMinute1=\"0\" StartMinute2=\"0\" StartMinute3=\"0\" "
      "EndHour1=\"0\" EndHour2=\"0\" EndHour3=\"0\" EndMinute1=\"0\" EndMinute2=\"0\" "
      "EndMinute3=\"0\"/>\r\n"
      "<LockTimeInfo Year=\"2024\" Month=\"2\" Day=\"3\" Hour=\"0\" Minute=\"0\"/>\r\n"
      "<LogoInfo LogoLeft=\"0\" LogoTop=\"0\" LogoRight=\"64\" LogoBottom=\"16\" "
      "IsShowLogoStart=\"0\" IsShowLogoNoProgram=\"0\"/>\r\n"
      "<Program ProgramCheck=\"1\" ProgramNo=\"1\" ProgramName=\"P &quot;1&quot;\" "
      "BackColor=\"16711680\" BackType=\"0\" BackSpeed=\"0\" StopType=\"0\" PlayTime=\"0\" "
      "LoopCount=\"0\" IsProgramTiming=\"0\" IsTime=\"0\" IsDate=\"0\" IsWeek=\"0\" "
      "StartHour=\"0\" StartMinute=\"0\" StartSecond=\"0\" EndHour=\"0\" EndMinute=\"0\" "
      "EndSecond=\"0\" StartYear=\"0\" StartMonth=\"0\" StartDay=\"0\" EndYear=\"0\" "
      "EndMonth=\"0\" EndDay=\"0\" WeekVaule=\"0\" IsUseBorder=\"0\" BorderType=\"0\" "
      "BorderWidth=\"0\" BorderValue=\"0\" BorderColor=\"0\" BorderStyle=\"0\" "
      "BorderSpeed=\"0\">\r\n"
      "<Area AreaNo=\"1\" AreaRect_Left=\"0\" AreaRect_Top=\"0\" AreaRect_Right=\"64\" "
      "AreaRect_Bottom=\"16\" AreaName=\"A\" guid=\"11111111-2222-3333-4444-555555555555\" "
      "ZOrder=\"0\" AreaType=\"1\" IsUseBorder=\"0\" BorderType=\"0\" BorderWidth=\"0\" "
      "BorderValue=\"0\" BorderColor=\"0\" BorderStyle=\"0\" BorderSpeed=\"0\" "
      "IsUseBack=\"0\">\r\n"
      "<SingleLineArea guid=\"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE\" BackColor=\"0\" "
      "InStyle=\"0\" OutStyle=\"0\" IsLeftMove=\"0\" InSpeed=\"0\" OutSpeed=\"0\" "
      "DelayTime=\"30\" ZoomValue=\"0\" OffsetValue=\"0\">e1xydGYxIGhpfQ==</SingleLineArea>\r\n"
      "<Backgroud AddType=\"0\" FileType=\"8\" BackVaule=\"2\" DelayTime=\"0\" Speed=\"0\" "
      "guid=\"11111111-2222-3333-4444-555555555555\" FilePath=\"\"/>\r\n"
      "</Area>\r\n"
      "<Area AreaNo=\"2\" AreaRect_Left=\"0\" AreaRect_Top=\"0\" AreaRect_Right=\"0\" "
      "AreaRect_Bottom=\"0\" AreaName=\"\" guid=\"01234567-89AB-CDEF-0123-456789ABCDEF\" "
      "ZOrder=\"0\" AreaType=\"7\" IsUseBorder=\"0\" BorderType=\"0\" BorderWidth=\"0\" "
      "BorderValue=\"0\" BorderColor=\"0\" BorderStyle=\"0\" BorderSpeed=\"0\" "
      "IsUseBack=\"0\">\r\n"
      "<FileArea FileType=\"1\" FilePath=\"C:\\pics\\&lt;a&gt;.bmp\" "
      "Guid=\"01234567-89AB-CDEF-0123-456789ABCDEF\" InStyle=\"0\" OutStyle=\"0\" InSpeed=\"0\" "
      "OutSpeed=\"0\" DelayTime=\"0\"/>\r\n"
      "</Area>\r\n"
      "</Program>\r\n"
      "</LED>\r\n"
      "<GroupList>\r\n"
      "<Group GroupName=\"All\">\r\n"
      "<LED LEDNO=\"3\"/>\r\n"
      "</Group>\r\n"
      "</GroupList>\r\n"
      "</LEDS>\r\n";
  ASSERT_EQ(SaveProjectXml(ProjectPath()), 1);
  EXPECT_EQ(ReadBytes(ProjectPath()), expected);
}

TEST_F(ProjectFileRoundTrip, EmptyGroupListIsStillWritten) {
  ScreenList.emplace_back();
  ASSERT_EQ(SaveProjectXml(ProjectPath()), 1);
  EXPECT_TRUE(ReadBytes(ProjectPath()).endsWith("<GroupList/>\r\n</LEDS>\r\n"));
}

TEST_F(ProjectFileRoundTrip, UnreadableSourceLeavesItsElementWithoutText) {
  BuildSmallProject();
  QFile::remove(EmbeddedFile(kTextGuid, ".rtf"));
  ASSERT_EQ(SaveProjectXml(ProjectPath()), 1);
  EXPECT_TRUE(ReadBytes(ProjectPath()).contains("OffsetValue=\"0\"/>\r\n<Backgroud"));
}

// An element, attribute or group write refused at any point of the document fails
// the save, and the file saved before stays as it was.
TEST_F(ProjectFileRoundTrip, WriteRefusedMidwayFailsTheSaveAndKeepsTheOldFile) {
  ScreenList.emplace_back();
  ASSERT_EQ(SaveProjectXml(ProjectPath()), 1);
  const QByteArray old = ReadBytes(ProjectPath());
  ClearProjectModel();
  BuildSmallProject();
  const QString wholePath = ProjectPath(QStringLiteral("whole.kqprj"));
  ASSERT_EQ(SaveProjectXml(wholePath), 1);
  const qsizetype whole = QString::fromUtf8(ReadBytes(wholePath)).size();
  // Refusals spread over the document (a stride that lands in element names,
  // attribute values and the groups alike), and the very last write refused.
  std::vector<qsizetype> limits{whole - 1};
  for (qsizetype limit = kDeclaration.size(); limit < whole; limit += 31) limits.push_back(limit);
  for (qsizetype limit : limits) {
    XmlDocument::ScopedEditLimit refuse(limit);
    ASSERT_EQ(SaveProjectXml(ProjectPath()), 0) << "limit " << limit;
  }
  EXPECT_EQ(ReadBytes(ProjectPath()), old);
  XmlDocument::ScopedEditLimit exact(whole);
  EXPECT_EQ(SaveProjectXml(ProjectPath()), 1);
}

}  // namespace
