#include "sdk/generate/text_engine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <exception>
#include <future>
#include <mutex>
#include <string>
#include <thread>

namespace {

// The command line of the library's own application: the offscreen platform whatever
// QT_QPA_PLATFORM says. Qt keeps referring to it, so it lives as long as the process.
char gProgramName[] = "corvanix";
char gPlatformOption[] = "-platform";
char gPlatformName[] = "offscreen";
int gArgumentCount = 3;
char* gArguments[] = {gProgramName, gPlatformOption, gPlatformName, nullptr};

QtMessageHandler gHostMessageHandler = nullptr;
thread_local bool tStartingEngine = false;

// Qt's start-up warnings (that this is not the process's main thread, environment
// defaults it falls back on) concern an application the host never made, so they are
// dropped; everything else goes to the handler the host had.
void FilterStartupMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  const bool minor = type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg;
  if (tStartingEngine && minor) return;
  gHostMessageHandler(type, context, message);
}

// Without the platform plugin Qt would end the process instead of failing.
bool OffscreenPlatformInstalled() {
  const QStringList folders = QCoreApplication::libraryPaths();
  return std::any_of(folders.begin(), folders.end(), [](const QString& folder) {
    return QFileInfo::exists(folder + QStringLiteral("/platforms/libqoffscreen.so"));
  });
}

// The engine's thread: makes the application, reports, then sleeps for good. It
// takes none of the host's signals.
void RunEngine(std::promise<void> started) {
  sigset_t all;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, nullptr);
  tStartingEngine = true;
  new QGuiApplication(gArgumentCount, gArguments);  // kept until the process ends
  tStartingEngine = false;
  started.set_value();
  for (;;) pause();
}

// Starts the engine and waits until it is up. Qt sets the process's locale from the
// environment while it starts; the host's locale is put back.
void StartEngine() {
  if (!OffscreenPlatformInstalled()) return;
  const std::string hostLocale = std::setlocale(LC_ALL, nullptr);
  gHostMessageHandler = qInstallMessageHandler(FilterStartupMessages);
  try {
    std::promise<void> ready;
    std::future<void> up = ready.get_future();
    std::thread(RunEngine, std::move(ready)).detach();
    up.wait();
  } catch (const std::exception&) {
    // No thread (or no memory for one): text stays unavailable.
  }
  qInstallMessageHandler(gHostMessageHandler);
  std::setlocale(LC_ALL, hostLocale.c_str());
}

}  // namespace

bool CanDrawText() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (QCoreApplication::instance() == nullptr) StartEngine();
  });
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}
