#include "render/video/video_library.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFile>

namespace {

// Loads the library beside the program and finds its one export; null on failure.
CreateVideoPlaybackFunction LoadVideoLibrary() {
  const QByteArray path = QFile::encodeName(QCoreApplication::applicationDirPath() +
                                            QLatin1Char('/') + QLatin1String(kVideoLibraryFile));
  void* library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    qWarning("Video does not play: %s", dlerror());
    return nullptr;
  }
  void* create = dlsym(library, kCreateVideoPlaybackSymbol);
  if (create == nullptr) {
    qWarning("Video does not play: %s has no %s", path.constData(), kCreateVideoPlaybackSymbol);
    dlclose(library);
    return nullptr;
  }
  return reinterpret_cast<CreateVideoPlaybackFunction>(create);
}

}  // namespace

std::unique_ptr<VideoPlayback> CreateVideoPlayback(const PlayClock& clock) {
  // Loaded once, by whichever thread comes first.
  static const CreateVideoPlaybackFunction create = LoadVideoLibrary();
  return std::unique_ptr<VideoPlayback>(create != nullptr ? create(&clock) : nullptr);
}
