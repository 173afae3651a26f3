// The single-screen file: what an export carries to another installation, and what
// an import refuses or renames so that it never touches another item's files.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>

#include <algorithm>
#include <set>
#include <variant>

#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/default_screen.h"
#include "model/project/project_editing.h"
#include "model/project/project_file_reader.h"
#include "model/project/project_globals.h"
#include "model/project/project_limits.h"
#include "model/project/screen_file.h"
#include "model/xml/xml_document.h"
#include "tests/model/project/project_file_test_support.h"

namespace {

QString UsbPath() { return GetAppDir() + QStringLiteral("kq_disp_pgm.usb"); }

QString MediaPath(const char* name) { return GetAppDir() + QStringLiteral("media/") + name; }

void WriteUserData(const char16_t* guid, const char* extension, const QByteArray& bytes) {
  ASSERT_TRUE(CreateDirTree(AppFolderPath(AppFolder::UserData)));
  ASSERT_TRUE(WriteBytes(EmbeddedFile(guid, extension), bytes));
}

// Every file under the program folder, relative to it.
std::set<QString> AllFiles() {
  std::set<QString> files;
  QDirIterator it(GetAppDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files.insert(QDir(GetAppDir()).relativeFilePath(it.next()));
  return files;
}

template <typename T>
T& KindOf(AreaRecord& area) {
  return std::get<T>(area.Kind);
}

template <std::size_t N>
QString Text(const char16_t (&field)[N]) {
  return ReadBoundedText(field);
}

// Fills `screen` with a program holding an area of every kind, their source and
// media files, and a second program without areas. The job takes both programs and
// all areas but the last.
class ExportedScreen {
 public:
  explicit ExportedScreen(ScreenRecord& screen) : screen_(screen) {
    CopyBoundedText(screen.LedName, u"Hall");
    screen.LedWidth = 128;
    screen.LogoFiles.emplace_back().AddType = 1;
    ProgramRecord& program = AddProgram(screen);
    program.CheckState = 1;
    for (int kind = kSingleLineArea; kind <= kFilesArea; ++kind) AddArea(program, kind);
    AddArea(program, kDigitalClockArea);  // not chosen
    AddProgram(screen);

    WriteUserData(KindOf<SingleLineAreaInfo>(Area(0)).guid, ".rtf", "{\\rtf1 line}");
    auto& pages = KindOf<std::vector<FileItem>>(Area(1));
    pages.push_back(Fresh<FileItem>(&FileItem::guid));
    pages.back().AddType = 3;
    pages.push_back(Fresh<FileItem>(&FileItem::guid));
    WriteUserData(pages[0].guid, ".kqg", QByteArray("\0table", 6));
    WriteUserData(pages[1].guid, ".rtf", "{\\rtf1 page}");
    KindOf<std::vector<FlashWordItem>>(Area(2)).push_back(
        Fresh<FlashWordItem>(&FlashWordItem::guid));
    KindOf<ClockAreaInfo>(Area(4)).HourNum = 6;

    auto& files = KindOf<std::vector<FileAreaItem>>(Area(6));
    files.push_back(Media<FileAreaItem>(&FileAreaItem::Guid, "clip.MP4", 4));
    files.push_back(Media<FileAreaItem>(&FileAreaItem::Guid, "gone.png", 4));
    Area(6).Backgrounds.push_back(Media<BackgroundItem>(&BackgroundItem::guid, "back.bmp", 4));
    Area(6).Backgrounds.push_back(
        Media<BackgroundItem>(&BackgroundItem::guid, "7", kFlashBackground));
    EXPECT_TRUE(CreateDirTree(MediaPath("")));
    clip_ = QByteArray(3001, '\0');
    for (int i = 0; i < clip_.size(); ++i) clip_[i] = static_cast<char>(i * 7);
    EXPECT_TRUE(WriteBytes(MediaPath("clip.MP4"), clip_));
    EXPECT_TRUE(WriteBytes(MediaPath("back.bmp"), "BM"));
  }

  AreaRecord& Area(std::size_t i) { return *screen_.Programs[0]->Areas[i]; }
  const QByteArray& Clip() const { return clip_; }

  ScreenSendJob Job() {
    ScreenSendJob job{&screen_, {}};
    for (const auto& program : screen_.Programs) {
      ProgramSendItem& item = job.Programs.emplace_back(ProgramSendItem{program.get(), {}});
      for (const auto& area : program->Areas) item.Areas.push_back(area.get());
    }
    job.Programs[0].Areas.pop_back();
    return job;
  }

 private:
  template <typename Item>
  static Item Fresh(char16_t (Item::*guid)[kNameCapacity]) {
    Item item{};
    CopyBoundedText(item.*guid, NewGuidText());
    return item;
  }

  template <typename Entry>
  static Entry Media(char16_t (Entry::*guid)[kNameCapacity], const char* name, std::int32_t type) {
    Entry entry = Fresh<Entry>(guid);
    entry.FileType = type;
    CopyBoundedText(entry.FilePath, MediaPath(name));
    return entry;
  }

  ScreenRecord& screen_;
  QByteArray clip_;
};

class ScreenFile : public testing::Test {
 protected:
  void SetUp() override { ClearProjectModel(); }
  void TearDown() override { ClearProjectModel(); }
};

TEST_F(ScreenFile, ExportThenImportElsewhereBringsTheScreenItsSourcesAndItsMedia) {
  ScreenRecord source = MakeDefaultScreen();
  ExportedScreen exported(source);
  ASSERT_EQ(WriteScreenXml(exported.Job(), UsbPath()), 1);
  const QString written = QString::fromUtf8(ReadBytes(UsbPath()));
  QStringList elements;
  for (const auto& match : QRegularExpression(QStringLiteral("<(\\w+)")).globalMatch(written)) {
    elements << match.captured(1);
  }
  EXPECT_EQ(elements.mid(0, 5).join(u' '),
            "LED OnOffTimeInfo BrightnessTimeInfo LockTimeInfo Program");
  EXPECT_FALSE(elements.contains("LogoInfo"));
  EXPECT_EQ(elements.count("Area"), 7);

  // Another installation: none of the sources or media files are there.
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::UserData)).removeRecursively());
  ASSERT_TRUE(QDir(MediaPath("")).removeRecursively());
  ScreenImport import;
  ASSERT_EQ(ReadScreenXml(import, UsbPath()), 1);

  ASSERT_TRUE(import.Screen);
  ScreenRecord& screen = *import.Screen;
  EXPECT_EQ(Text(screen.LedName), "Hall");
  EXPECT_EQ(screen.LedWidth, 128);
  EXPECT_TRUE(screen.LogoFiles.empty());
  EXPECT_EQ(screen.LogoRight, 0);
  ASSERT_EQ(screen.Programs.size(), 2u);
  EXPECT_EQ(screen.Programs[0]->CheckState, 1);
  EXPECT_TRUE(screen.Programs[1]->Areas.empty());
  ProgramRecord& program = *screen.Programs[0];
  ASSERT_EQ(program.Areas.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    AreaRecord& area = *program.Areas[i];
    EXPECT_EQ(area.AreaType, exported.Area(i).AreaType);
    EXPECT_EQ(Text(area.guid), Text(exported.Area(i).guid)) << "no GUID is taken here";
    EXPECT_EQ(area.OwnerProgram, &program);
    EXPECT_EQ(area.OwnerScreen, &screen);
  }

  EXPECT_EQ(ReadBytes(EmbeddedFile(KindOf<SingleLineAreaInfo>(*program.Areas[0]).guid, ".rtf")),
            "{\\rtf1 line}");
  auto& pages = KindOf<std::vector<FileItem>>(*program.Areas[1]);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(ReadBytes(EmbeddedFile(pages[0].guid, ".kqg")), QByteArray("\0table", 6));
  EXPECT_EQ(ReadBytes(EmbeddedFile(pages[1].guid, ".rtf")), "{\\rtf1 page}");
  EXPECT_EQ(KindOf<std::vector<FlashWordItem>>(*program.Areas[2]).size(), 1u);
  EXPECT_EQ(KindOf<ClockAreaInfo>(*program.Areas[4]).HourNum, 6);

  // Media entries: restored under the fresh GUID texts of the file, named by them.
  AreaRecord& filesArea = *program.Areas[6];
  auto& files = KindOf<std::vector<FileAreaItem>>(filesArea);
  ASSERT_EQ(files.size(), 2u);
  const auto& sourceFiles = KindOf<std::vector<FileAreaItem>>(exported.Area(6));
  EXPECT_NE(Text(files[0].Guid), Text(sourceFiles[0].Guid));
  EXPECT_EQ(Text(files[0].FilePath), EmbeddedFile(files[0].Guid, ".MP4"));
  EXPECT_EQ(ReadBytes(Text(files[0].FilePath)), exported.Clip());
  EXPECT_TRUE(FileExists(Text(files[1].FilePath))) << "an unreadable file comes as an empty one";
  ASSERT_EQ(filesArea.Backgrounds.size(), 2u);
  EXPECT_EQ(ReadBytes(Text(filesArea.Backgrounds[0].FilePath)), "BM");
  EXPECT_EQ(Text(filesArea.Backgrounds[1].FilePath), MediaPath("7"))
      << "flash backgrounds keep theirs";
  EXPECT_EQ(Text(filesArea.Backgrounds[1].guid), Text(exported.Area(6).Backgrounds[1].guid));
}

TEST_F(ScreenFile, ImportIntoTheProjectItCameFromNeverSharesOrOverwritesItsFiles) {
  ScreenRecord& source = ScreenList.emplace_back(MakeDefaultScreen());
  ExportedScreen exported(source);
  ASSERT_EQ(WriteScreenXml(exported.Job(), UsbPath()), 1);
  const std::set<QString> before = AllFiles();
  WriteUserData(KindOf<SingleLineAreaInfo>(exported.Area(0)).guid, ".rtf", "edited since");

  ScreenImport import;
  ASSERT_EQ(ReadScreenXml(import, UsbPath()), 1);

  std::set<QString> projectGuids;
  for (std::size_t i = 0; i < 8; ++i) projectGuids.insert(Text(exported.Area(i).guid).toUpper());
  ProgramRecord& program = *import.Screen->Programs[0];
  for (const auto& area : program.Areas) {
    EXPECT_FALSE(projectGuids.contains(Text(area->guid))) << "area " << area->AreaNo;
  }
  const auto& single = KindOf<SingleLineAreaInfo>(*program.Areas[0]);
  EXPECT_NE(Text(single.guid), Text(KindOf<SingleLineAreaInfo>(exported.Area(0)).guid));
  EXPECT_EQ(ReadBytes(EmbeddedFile(single.guid, ".rtf")), "{\\rtf1 line}");
  EXPECT_EQ(ReadBytes(EmbeddedFile(KindOf<SingleLineAreaInfo>(exported.Area(0)).guid, ".rtf")),
            "edited since");
  const auto& pages = KindOf<std::vector<FileItem>>(*program.Areas[1]);
  EXPECT_NE(Text(pages[0].guid), Text(KindOf<std::vector<FileItem>>(exported.Area(1))[0].guid));
  EXPECT_EQ(ReadBytes(EmbeddedFile(pages[0].guid, ".kqg")), QByteArray("\0table", 6));
  // Only new files were added: sources, pages and media under new names.
  const std::set<QString> after = AllFiles();
  EXPECT_TRUE(std::includes(after.begin(), after.end(), before.begin(), before.end()));
  EXPECT_EQ(after.size(), before.size() + 6);
}

TEST_F(ScreenFile, DamagedFilesImportNothingAndWriteNoFile) {
  ScreenRecord source = MakeDefaultScreen();
  ExportedScreen exported(source);
  ASSERT_EQ(WriteScreenXml(exported.Job(), UsbPath()), 1);
  const QByteArray good = ReadBytes(UsbPath());
  ASSERT_TRUE(QDir(AppFolderPath(AppFolder::UserData)).removeRecursively());
  const QByteArray noClock = QString::fromUtf8(good)
                                 .remove(QRegularExpression(QStringLiteral("<ClockArea [^>]*/>")))
                                 .toUtf8();
  ASSERT_LT(noClock.size(), good.size());
  const auto withScreen = [&good](const char* size) {
    return QString::fromUtf8(good)
        .replace(QRegularExpression(QStringLiteral("LedWidth=\"\\d+\" LedHeight=\"\\d+\"")),
                 QString::fromLatin1(size))
        .toUtf8();
  };
  ASSERT_NE(withScreen(""), good);

  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"cut in the middle", good.left(good.size() / 2)},
      {"cut before the end tag", good.left(good.lastIndexOf("</LED>"))},
      {"a project file", QByteArray("<?xml version=\"1.0\"?>\r\n<LEDS><LED/></LEDS>")},
      {"a clock area without its settings", noClock},
      {"not XML", QByteArray("\xff\xfe garbage")},
      {"a screen no card can drive", withScreen("LedWidth=\"65535\" LedHeight=\"65535\"")},
      {"a screen of 0 x 0", withScreen("LedWidth=\"0\" LedHeight=\"0\"")},
      {"more programs than a screen holds",
       "<LED LedWidth=\"64\" LedHeight=\"32\"><Program><Area "
       "AreaType=\"2\"><ImageWordArea>aGk=</ImageWordArea></Area></Program>" +
           QByteArray("<Program/>").repeated(kMaxProgramsPerScreen) + "</LED>"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteBytes(UsbPath(), c.bytes));
    ScreenImport import;
    EXPECT_EQ(ReadScreenXml(import, UsbPath()), 0) << c.what;
    EXPECT_FALSE(import.Screen) << c.what;
    EXPECT_FALSE(DirExists(AppFolderPath(AppFolder::UserData))) << c.what;
  }
  ScreenImport import;
  EXPECT_EQ(ReadScreenXml(import, GetAppDir() + QStringLiteral("absent.usb")), 0);
}

TEST_F(ScreenFile, CraftedNamesWriteNothingOutsideUserData) {
  const QString taken = QStringLiteral("12345678-1234-1234-1234-123456789ABC");
  const QString text =
      kDeclaration +
      QStringLiteral(
          "<LED LedWidth=\"64\" LedHeight=\"32\" LedName=\"x\">\r\n<Program ProgramNo=\"1\">\r\n"
          "<Area AreaType=\"1\" guid=\"../../../evil\">"
          "<SingleLineArea guid=\"../../outside\">aGk=</SingleLineArea></Area>\r\n"
          "<Area AreaType=\"7\">"
          "<FileArea FilePath=\"C:\\a.b\\c\" Guid=\"../up\">aGk=</FileArea>"
          "<FileArea FilePath=\"x.p/../../../y\" Guid=\"%1\">aGk=</FileArea>"
          "<FileArea FilePath=\"D:\\films\\movie.Mp4\" Guid=\"%1\">aGk=</FileArea>"
          "<Backgroud FileType=\"4\" FilePath=\"/tmp/a.png\" guid=\"/tmp/owned\">aGk=</Backgroud>"
          "</Area>\r\n</Program>\r\n</LED>\r\n")
          .arg(taken);
  ASSERT_TRUE(WriteBytes(UsbPath(), text.toUtf8()));

  ScreenImport import;
  ASSERT_EQ(ReadScreenXml(import, UsbPath()), 1);

  for (const QString& file : AllFiles()) {
    if (file == QStringLiteral("kq_disp_pgm.usb")) continue;
    EXPECT_TRUE(file.startsWith(QStringLiteral("UserData/"))) << file.toStdString();
    const QString name = file.mid(9);
    EXPECT_TRUE(IsGuidText(name.left(kGuidTextLength))) << name.toStdString();
  }
  AreaRecord& area = *import.Screen->Programs[0]->Areas[1];
  const auto& files = KindOf<std::vector<FileAreaItem>>(area);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(Text(files[0].FilePath), EmbeddedFile(files[0].Guid, ""))
      << "no extension from a folder";
  EXPECT_EQ(Text(files[1].FilePath), EmbeddedFile(files[1].Guid, ""));
  EXPECT_EQ(Text(files[1].Guid), taken);
  EXPECT_NE(Text(files[2].Guid), taken) << "the second use of a GUID text gets a fresh one";
  EXPECT_EQ(Text(files[2].FilePath), EmbeddedFile(files[2].Guid, ".Mp4"));
  EXPECT_EQ(ReadBytes(Text(area.Backgrounds[0].FilePath)), "hi");
  EXPECT_EQ(ReadBytes(Text(files[2].FilePath)), "hi");
}

TEST(StoredFileExtension, TakesOnlyLettersAndDigitsOfTheFileName) {
  EXPECT_EQ(StoredFileExtension(u"C:\\media\\clip.mp4"), ".mp4");
  EXPECT_EQ(StoredFileExtension(u"C:\\a.b\\c"), "");
  EXPECT_EQ(StoredFileExtension(u"x.p/../y"), "");
  EXPECT_EQ(StoredFileExtension(u"clip.m p4"), "");
  EXPECT_EQ(StoredFileExtension(u"clip.abcdefghijk"), "");
  EXPECT_EQ(StoredFileExtension(u"clip.\u00e9"), "");
}

TEST_F(ScreenFile, AFailedWriteIsReportedAndKeepsTheOldFile) {
  ScreenRecord source = MakeDefaultScreen();
  ExportedScreen exported(source);
  EXPECT_EQ(WriteScreenXml(exported.Job(), GetAppDir() + QStringLiteral("no/folder.usb")), 0);

  ASSERT_TRUE(WriteBytes(UsbPath(), "old"));
  ASSERT_TRUE(QDir().mkpath(UsbPath() + QStringLiteral(".tmp")));  // the write cannot start
  EXPECT_EQ(WriteScreenXml(exported.Job(), UsbPath()), 0);
  EXPECT_EQ(ReadBytes(UsbPath()), "old");
  EXPECT_EQ(WriteScreenXml(ScreenSendJob{nullptr, {}}, UsbPath()), 0);
  QDir(UsbPath() + QStringLiteral(".tmp")).removeRecursively();

  // The last attribute refused: the document is unfinished and nothing is written.
  const QString wholePath = GetAppDir() + QStringLiteral("whole.usb");
  ASSERT_EQ(WriteScreenXml(exported.Job(), wholePath), 1);
  const qsizetype whole = QString::fromUtf8(ReadBytes(wholePath)).size();
  XmlDocument::ScopedEditLimit refuse(whole - 1);
  EXPECT_EQ(WriteScreenXml(exported.Job(), UsbPath()), 0);
  EXPECT_EQ(ReadBytes(UsbPath()), "old");
}

}  // namespace
