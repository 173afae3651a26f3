#include "render/flash/flash_background.h"

#include <QFile>

#include <span>

#include "model/common/app_paths.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/xml/xml_document.h"

namespace {

struct BackParameter {
  const char16_t* name;
  const char16_t* value;
};

using P = BackParameter;
constexpr P kStars[] = {{u"Background.StarNumber", u"40"}, {u"Background.StarColor", u"#ff0000"}};
constexpr P kParticles[] = {{u"Background.ParticleCount", u"40"},
                            {u"Background.ParticleColor", u"#ff0000"}};
constexpr P kRain[] = {{u"Background.RainNumber", u"40"},
                       {u"Background.PlaySound", u"False"},
                       {u"Background.SoundVolume", u"0"}};
constexpr P kSnow[] = {{u"Background.SnowNumber", u"40"}, {u"Background.SnowColor", u"#ff0000"}};
constexpr P kDrops[] = {{u"Background.DropNumber", u"40"}};
constexpr P kCircles[] = {{u"Background.CircleCount", u"40"},
                          {u"Background.CircleColor", u"#ff0000"}};
constexpr P kSpin[] = {{u"Background.SpinColor", u"#ff0000"},
                       {u"Background.SpinSpeed", u"1"},
                       {u"Background.SpinCenterX", u"0"},
                       {u"Background.SpinCenterY", u"0"}};
constexpr P kLines[] = {{u"Background.MoveDirection", u"Top to Bottom"},
                        {u"Background.MoveSpeed", u"1"},
                        {u"Background.LineColor", u"#ff0000"},
                        {u"Background.LineThick", u"10"},
                        {u"Background.IntervalThick", u"10"}};
constexpr P kStarCount[] = {{u"Background.StarCount", u"40"},
                            {u"Background.StarColor", u"#ff0000"}};
constexpr P kFireworks[] = {{u"Background.FireworkNumber", u"40"}};
constexpr P kHearts[] = {{u"Background.HeartCount", u"40"},
                         {u"Background.Heart1Color", u"#ff0000"},
                         {u"Background.Heart2Color", u"#ff0000"}};
constexpr P kCameras[] = {{u"Background.CameraNumber", u"40"},
                          {u"Background.CameraColor", u"#ff0000"}};
constexpr P kStarNumber[] = {{u"Background.StarNumber", u"40"}};
constexpr P kArrows[] = {{u"Background.ArrowNumber", u"40"},
                         {u"Background.ArrowColor", u"#ff0000"}};
constexpr P kParticleNumber[] = {{u"Background.ParticleNumber", u"40"},
                                 {u"Background.ParticleColor", u"#ff0000"}};
constexpr P kChipping[] = {{u"Background.ChippingNumber", u"40"}};
constexpr P kFlowers[] = {{u"Background.FlowerNumber", u"40"},
                          {u"Background.Color1", u"#ff0000"},
                          {u"Background.Color2", u"#ff0000"},
                          {u"Background.Color3", u"#ff0000"},
                          {u"Background.Color4", u"#ff0000"}};
constexpr P kLeaves[] = {{u"Background.LeafNumber", u"40"}};
constexpr P kFlicker[] = {{u"Background.Flicker", u"True"}};
constexpr P kCircleCenter[] = {{u"Background.CircleColor", u"#ff0000"},
                               {u"Background.CircleCenterX", u"0"},
                               {u"Background.CircleCenterY", u"0"}};

// The parameters of backgrounds 0-21, by number; higher numbers have none.
constexpr std::span<const BackParameter> kParameters[] = {
    kStars,   kParticles,  kRain,    kSnow,           kDrops,     kCircles,
    kSpin,    kLines,      kDrops,   kStarCount,      kFireworks, kHearts,
    kCameras, kStarNumber, kArrows,  kParticleNumber, kChipping,  kFlowers,
    kLeaves,  kStarNumber, kFlicker, kCircleCenter};
static_assert(std::size(kParameters) == 22);

std::span<const BackParameter> ParametersOf(int number) {
  if (number >= static_cast<int>(std::size(kParameters))) return {};
  return kParameters[number];
}

// The template with the size and the number's parameters appended under PropertyData.
bool WriteBackXml(const QString& path, int number, int width, int height) {
  XmlDocument document;
  if (!document.ReadFile(FlashBackgroundTemplatePath()) || !document.Parse() ||
      !document.FindElement(QStringLiteral("PropertyData")) || !document.EnterElement()) {
    return false;
  }
  bool written = document.AppendElement(QStringLiteral("Movie.Width"), QString::number(width)) &&
                 document.AppendElement(QStringLiteral("Movie.Height"), QString::number(height));
  for (const BackParameter& parameter : ParametersOf(number)) {
    written = written && document.AppendElement(QString::fromUtf16(parameter.name),
                                                QString::fromUtf16(parameter.value));
  }
  return written && document.WriteFile(path);
}

QString MovieFileName(int number) { return QString::number(number + 1) + QStringLiteral(".fbk"); }

}  // namespace

QString FlashBackgroundTemplatePath() { return AppFilePath(AppFolder::Data, u"flashback/0.fbk"); }

QString FlashBackgroundSourcePath(int number) {
  return AppFilePath(AppFolder::Data, QStringLiteral("flashback/") + MovieFileName(number));
}

QString FlashBackgroundFolder(const QString& guid) {
  if (!IsGuidText(guid)) return {};
  return AppFilePath(AppFolder::Temp, QString(guid + u'/'));
}

QString FlashBackgroundMoviePath(int number, const QString& guid) {
  const QString folder = FlashBackgroundFolder(guid);
  return folder.isEmpty() ? folder : folder + MovieFileName(number);
}

int PrepareFlashBackground(int number, const QString& guid, int width, int height) {
  const QString folder = FlashBackgroundFolder(guid);
  if (folder.isEmpty() || number < 0 || !CreateDirTree(folder)) return 0;
  const QString movie = folder + MovieFileName(number);
  if (!FileExists(movie) && !QFile::copy(FlashBackgroundSourcePath(number), movie)) return 0;
  return WriteBackXml(folder + QStringLiteral("back.xml"), number, width, height) ? 1 : 0;
}
