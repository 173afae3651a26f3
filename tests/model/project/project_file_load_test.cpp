// Loading project files written elsewhere or damaged: defaults of missing elements,
// both forms of the address, and files that must leave the model as it was.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>

#include <variant>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/default_screen.h"
#include "model/project/project_editing.h"
#include "model/project/project_file.h"
#include "model/project/project_globals.h"
#include "model/project/project_limits.h"
#include "tests/model/project/project_file_test_support.h"

namespace {

class ProjectFileLoad : public ::testing::Test {
 protected:
  void SetUp() override { ClearProjectModel(); }
  void TearDown() override { ClearProjectModel(); }

  // Writes the elements under LEDS as a project file and loads it.
  int Load(const QString& body) {
    const QString text = kDeclaration + QStringLiteral("<LEDS>\r\n<FileFlag>kqprj</FileFlag>\r\n") +
                         body + QStringLiteral("</LEDS>\r\n");
    EXPECT_TRUE(WriteBytes(ProjectPath(), text.toUtf8()));
    return LoadProjectXml(ProjectPath());
  }
};

QStringList FilesUnder(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
}

TEST_F(ProjectFileLoad, AddressReadsFromItsSignedAndUnsignedForms) {
  ASSERT_EQ(
      Load(QStringLiteral("<LED LedWidth=\"64\" LedHeight=\"32\" LedIp=\"-1062731420\"/>\r\n<LED "
                          "LedWidth=\"64\" LedHeight=\"32\" LedIp=\"3232235876\"/>\r\n"
                          "<LED LedWidth=\"64\" LedHeight=\"32\" LedIp=\"99999999999\"/>\r\n<LED "
                          "LedWidth=\"64\" LedHeight=\"32\" LedIp=\" +12abc\"/>\r\n")),
      1);
  ASSERT_EQ(ScreenList.size(), 4u);
  auto it = ScreenList.begin();
  EXPECT_EQ((it++)->LedIp, 0xC0A80164u);
  EXPECT_EQ((it++)->LedIp, 0xC0A80164u);
  EXPECT_EQ((it++)->LedIp, 0xFFFFFFFFu);
  EXPECT_EQ(it->LedIp, 12u);
}

TEST_F(ProjectFileLoad, MissingElementsAndAttributesTakeTheirDefaults) {
  ASSERT_EQ(
      Load(QStringLiteral("<LED LedWidth=\"512\" LedHeight=\"32\" OE=\"x\" DA=\"99999999999\">\r\n"
                          "<LogoInfo LogoLeft=\"7\" LogoTop=\"5\"/>\r\n</LED>\r\n"
                          "<LED LedWidth=\"48\" LedHeight=\"16\">\r\n<LogoInfo/>\r\n</LED>\r\n"
                          "<LED LedWidth=\"48\" LedHeight=\"16\">\r\n<LogoInfo/>\r\n"
                          "<LockTimeInfo Year=\"2030\"/>\r\n</LED>\r\n")),
      1);
  ASSERT_EQ(ScreenList.size(), 3u);
  const ScreenRecord& wide = ScreenList.front();
  EXPECT_EQ(wide.OE, 0);
  EXPECT_EQ(wide.DA, 2147483647);
  EXPECT_EQ(wide.Year, QDate::currentDate().year());
  EXPECT_EQ(wide.Month, 1);
  EXPECT_EQ(wide.Day, 1);
  EXPECT_EQ((std::vector<int>{wide.LogoLeft, wide.LogoTop, wide.LogoRight, wide.LogoBottom}),
            (std::vector<int>{448, 0, 512, 32}));
  const ScreenRecord& narrow = *std::next(ScreenList.begin());
  EXPECT_EQ(
      (std::vector<int>{narrow.LogoLeft, narrow.LogoTop, narrow.LogoRight, narrow.LogoBottom}),
      (std::vector<int>{0, 0, 48, 16}));
  // Children are found in the written order: a LogoInfo before LockTimeInfo is not
  // seen, and without it the logo keeps its zeros.
  EXPECT_EQ(ScreenList.back().Year, 2030);
  EXPECT_EQ(ScreenList.back().LogoRight, 0);
}

TEST_F(ProjectFileLoad, TextLongerThanItsFieldIsCutAtTheCapacity) {
  const QString longName(200, QLatin1Char('n'));
  ASSERT_EQ(Load(QStringLiteral(
                     "<LED LedWidth=\"64\" LedHeight=\"32\" LedName=\"%1\" LedTypeStr=\"%1\"/>\r\n")
                     .arg(longName)),
            1);
  EXPECT_EQ(ReadBoundedText(ScreenList.front().LedName), longName.left(63));
  EXPECT_EQ(ReadBoundedText(ScreenList.front().LedTypeStr), longName.left(31));
}

TEST_F(ProjectFileLoad, ProjectFileNeedsTheExactFlagAndAScreen) {
  const auto check = [](const char* text) {
    EXPECT_TRUE(WriteBytes(ProjectPath(), QByteArray(text)));
    return IsProjectFile(ProjectPath());
  };
  EXPECT_TRUE(check("<LEDS><FileFlag>kqprj</FileFlag><LED/></LEDS>"));
  EXPECT_FALSE(check("<LEDS><FileFlag>KQPRJ</FileFlag><LED/></LEDS>"));
  EXPECT_FALSE(check("<LEDS><FileFlag>kqprj</FileFlag></LEDS>"));
  EXPECT_FALSE(check("<LEDS><FileFlag>kqprj</FileFlag><LED>"));
  EXPECT_FALSE(check("<LED><FileFlag>kqprj</FileFlag><LED/></LED>"));
  EXPECT_FALSE(IsProjectFile(ProjectPath(QStringLiteral("missing.kqprj"))));
}

TEST_F(ProjectFileLoad, TruncatedFileIsNotLoadedAndChangesNothing) {
  ScreenList.push_back(MakeDefaultScreen());
  ScreenGroupList.emplace_back(QStringLiteral("kept"));
  const QString text =
      kDeclaration +
      QStringLiteral(
          "<LEDS>\r\n<FileFlag>kqprj</FileFlag>\r\n<LED LedWidth=\"64\" LedHeight=\"32\" "
          "LedNo=\"4\">\r\n<Program>\r\n"
          "<Area AreaType=\"1\" guid=\"11111111-2222-3333-4444-555555555555\">\r\n"
          "<SingleLineArea guid=\"AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE\">aGk=</SingleLineArea>\r\n"
          "</Area>\r\n</Program>\r\n</LED>\r\n<GroupList/>\r\n</LEDS>\r\n");
  const QByteArray whole = text.toUtf8();
  for (const char* cut : {"</Area>", "<SingleLineArea", "<Area", "</LED>", "</LEDS>"}) {
    SCOPED_TRACE(cut);
    ASSERT_TRUE(WriteBytes(ProjectPath(), whole.left(whole.indexOf(cut) + 3)));
    EXPECT_FALSE(IsProjectFile(ProjectPath()));
    EXPECT_EQ(LoadProjectXml(ProjectPath()), 0);
    ASSERT_EQ(ScreenList.size(), 1u);
    EXPECT_EQ(ScreenList.front().LedNo, 1);
    EXPECT_TRUE(ScreenList.front().Programs.empty());
    ASSERT_EQ(ScreenGroupList.size(), 1u);
    EXPECT_TRUE(FilesUnder(AppFolderPath(AppFolder::UserData)).isEmpty());
  }
  EXPECT_EQ(LoadProjectXml(ProjectPath(QStringLiteral("missing.kqprj"))), 0);
}

TEST_F(ProjectFileLoad, CountsAtTheirLimitsLoadAndOnePastRefusesTheWholeFile) {
  auto repeat = [](const QString& line, std::size_t count) { return line.repeated(count); };
  auto screen = [](const QString& body) {
    return "<LED LedWidth=\"64\" LedHeight=\"32\">" + body + "</LED>";
  };
  auto program = [&](const QString& body) { return screen("<Program>" + body + "</Program>"); };
  auto area = [&](const QString& body) {
    return program("<Area AreaType=\"2\">" + body + "</Area>");
  };
  auto groups = [&](const QString& body) {
    return screen({}) + "<GroupList>" + body + "</GroupList>";
  };
  auto group = [&](std::size_t screens) {
    return "<Group>" + repeat("<LED/>", screens) + "</Group>";
  };
  const QString backgrounds = repeat("<Backgroud/>", kMaxRecordsPerFile / 2);
  const struct {
    const char* what;
    QString body;
    int loaded;
  } cases[] = {
      {"screens", repeat("<LED LedWidth=\"64\" LedHeight=\"32\"/>", kMaxScreens), 1},
      {"screens", repeat("<LED LedWidth=\"64\" LedHeight=\"32\"/>", kMaxScreens + 1), 0},
      {"a screen no card can drive", "<LED LedWidth=\"65535\" LedHeight=\"65535\"/>", 0},
      {"a screen of 0 x 0", screen(QString()).replace("64", "0").replace("32", "0"), 0},
      {"a colour type past full colour", "<LED LedWidth=\"64\" LedHeight=\"32\" LedColor=\"4\"/>",
       0},
      {"programs", screen(repeat("<Program/>", kMaxProgramsPerScreen)), 1},
      {"programs", screen(repeat("<Program/>", kMaxProgramsPerScreen + 1)), 0},
      {"areas", program(repeat("<Area/>", kMaxAreasPerProgram)), 1},
      {"areas", program(repeat("<Area/>", kMaxAreasPerProgram + 1)), 0},
      {"entries", area(repeat("<Backgroud/>", kMaxEntriesPerArea)), 1},
      // Each page would restore an empty source file.
      {"entries", area(repeat("<ImageWordArea>\r\n</ImageWordArea>", kMaxEntriesPerArea + 1)), 0},
      {"records", area(backgrounds) + area(backgrounds), 0},
      {"groups", groups(repeat("<Group/>", kMaxScreenGroups)), 1},
      {"groups", groups(repeat("<Group/>", kMaxScreenGroups + 1)), 0},
      {"grouped screens", groups(group(kMaxScreens)), 1},
      {"grouped screens", groups(group(kMaxScreens + 1)), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Load(c.body), c.loaded);
    EXPECT_EQ(ScreenList.empty(), c.loaded == 0);
    EXPECT_EQ(ScreenGroupList.empty(), c.loaded == 0 || !c.body.contains("<Group"));
    EXPECT_TRUE(FilesUnder(AppFolderPath(AppFolder::UserData)).isEmpty());
    ClearProjectModel();
  }
}

TEST_F(ProjectFileLoad, AreaWithoutItsKindElementIsLeftOutAndTheRestLoads) {
  EXPECT_EQ(
      Load(QStringLiteral(
          "<LED LedWidth=\"64\" LedHeight=\"32\" LedNo=\"1\">\r\n<Program>\r\n"
          "<Area AreaNo=\"1\" AreaType=\"1\"><Backgroud/></Area>\r\n"
          "<Area AreaNo=\"2\" AreaType=\"4\"><DigitalClockArea FileType=\"fixed\"/></Area>\r\n"
          "<Area AreaNo=\"3\" AreaType=\"5\"><TimeArea/></Area>\r\n"
          "</Program>\r\n</LED>\r\n<LED LedWidth=\"64\" LedHeight=\"32\" LedNo=\"2\"/>\r\n")),
      0);
  ASSERT_EQ(ScreenList.size(), 2u);
  const auto& areas = ScreenList.front().Programs.at(0)->Areas;
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0]->AreaNo, 2);
  const auto* clock = std::get_if<DigitalClockAreaInfo>(&areas[0]->Kind);
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(ReadBoundedText(clock->FixedText), QStringLiteral("fixed"));
  EXPECT_EQ(ScreenList.back().LedNo, 2);
}

TEST_F(ProjectFileLoad, BadGuidTextsAreReplacedAndNameNoFileOutsideUserData) {
  ASSERT_EQ(Load(QStringLiteral("<LED LedWidth=\"64\" LedHeight=\"32\">\r\n<LogoInfo>\r\n<File "
                                "AddType=\"1\" guid=\"../../logo\">aGk=</File>\r\n"
                                "</LogoInfo>\r\n<Program>\r\n"
                                "<Area AreaType=\"1\" guid=\"../area\">\r\n"
                                "<SingleLineArea guid=\"../../../evil\">aGk=</SingleLineArea>\r\n"
                                "<Backgroud guid=\"/etc/x\"/>\r\n</Area>\r\n"
                                "<Area AreaType=\"2\" guid=\"\"><ImageWordArea AddType=\"3\" "
                                "guid=\"a/b\">aGk=</ImageWordArea></Area>\r\n"
                                "<Area AreaType=\"3\"><FlashWordArea guid=\"..\"/></Area>\r\n"
                                "<Area AreaType=\"7\"><FileArea Guid=\"x\"/></Area>\r\n"
                                "</Program>\r\n</LED>\r\n")),
            1);
  const ScreenRecord& screen = ScreenList.front();
  EXPECT_TRUE(IsGuidText(ReadBoundedText(screen.LogoFiles.at(0).guid)));
  const auto& areas = screen.Programs.at(0)->Areas;
  ASSERT_EQ(areas.size(), 4u);
  for (const auto& area : areas) EXPECT_TRUE(IsGuidText(ReadBoundedText(area->guid)));
  const auto& single = std::get<SingleLineAreaInfo>(areas[0]->Kind);
  EXPECT_TRUE(IsGuidText(ReadBoundedText(single.guid)));
  EXPECT_TRUE(IsGuidText(ReadBoundedText(areas[0]->Backgrounds.at(0).guid)));
  const auto& page = std::get<std::vector<FileItem>>(areas[1]->Kind).at(0);
  EXPECT_EQ(ReadBytes(EmbeddedFile(page.guid, ".kqg")), QByteArray("hi"));
  EXPECT_TRUE(
      IsGuidText(ReadBoundedText(std::get<std::vector<FlashWordItem>>(areas[2]->Kind).at(0).guid)));
  EXPECT_TRUE(
      IsGuidText(ReadBoundedText(std::get<std::vector<FileAreaItem>>(areas[3]->Kind).at(0).Guid)));
  EXPECT_EQ(ReadBytes(EmbeddedFile(single.guid, ".rtf")), QByteArray("hi"));
  EXPECT_EQ(FilesUnder(AppFolderPath(AppFolder::UserData)).size(), 3);
  QStringList everything = QDir(GetAppDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  everything.sort();
  EXPECT_EQ(everything, (QStringList{QStringLiteral("UserData"), QStringLiteral("test.kqprj")}));
}

TEST_F(ProjectFileLoad, EmptyEmbeddedTextKeepsAnExistingSourceAndBadTextWritesNone) {
  const QString kept = QStringLiteral("AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE");
  const QString fresh = QStringLiteral("BBBBBBBB-BBBB-CCCC-DDDD-EEEEEEEEEEEE");
  const QString bad = QStringLiteral("CCCCCCCC-BBBB-CCCC-DDDD-EEEEEEEEEEEE");
  ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::UserData)));
  ASSERT_TRUE(
      WriteBytes(AppFilePath(AppFolder::UserData, kept + QStringLiteral(".rtf")), "{\\rtf1 keep}"));
  ASSERT_EQ(
      Load(QStringLiteral(
               "<LED LedWidth=\"64\" LedHeight=\"32\">\r\n<Program>\r\n<Area AreaType=\"2\">\r\n"
               "<ImageWordArea guid=\"%1\"></ImageWordArea>\r\n"
               "<ImageWordArea guid=\"%2\"/>\r\n"
               "<ImageWordArea guid=\"%3\">not base64!</ImageWordArea>\r\n"
               "</Area>\r\n</Program>\r\n</LED>\r\n")
               .arg(kept, fresh, bad)),
      1);
  EXPECT_EQ(ReadBytes(AppFilePath(AppFolder::UserData, kept + QStringLiteral(".rtf"))),
            QByteArray("{\\rtf1 keep}"));
  EXPECT_TRUE(FileExists(AppFilePath(AppFolder::UserData, fresh + QStringLiteral(".rtf"))));
  EXPECT_FALSE(FileExists(AppFilePath(AppFolder::UserData, bad + QStringLiteral(".rtf"))));
}

TEST_F(ProjectFileLoad, FailedSaveReturnsZeroAndKeepsWhatWasThere) {
  ScreenList.push_back(MakeDefaultScreen());
  const QString folder = ProjectPath(QStringLiteral("taken.kqprj"));
  ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/inside")));
  EXPECT_EQ(SaveProjectXml(folder), 0);
  EXPECT_TRUE(DirExists(folder + QStringLiteral("/inside")));
  ASSERT_TRUE(WriteBytes(ProjectPath(QStringLiteral("file")), "x"));
  EXPECT_EQ(SaveProjectXml(ProjectPath(QStringLiteral("file/under.kqprj"))), 0);
}

}  // namespace
