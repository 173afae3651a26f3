// flash-host: plays Flash movies for the program in a page of its own (Ruffle in Qt
// WebEngine) on the offscreen platform, so no window ever shows and a crash of the
// browser engine stays in this process. The program starts it with the number of an
// inherited socket and the Ruffle folder; it ends when the socket closes.
//   flash-host <socket fd> <ruffle folder>

#include <QApplication>
#include <QLocalSocket>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <unistd.h>

#include "local_content.h"
#include "player_session.h"

namespace {

void PrepareEnvironment() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The browser engine's sandbox cannot run as root; it stays on for everyone else.
  if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  // No WebRTC connection leaves without a proxy, and there is none (the page also has no
  // WebRTC, and the program starts the helper with no network at all).
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
          "--mute-audio --disable-extensions --no-proxy-server "
          "--force-webrtc-ip-handling-policy=disable_non_proxied_udp");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  bool fdOk = false;
  const int fd = QByteArray(argv[1]).toInt(&fdOk);
  if (!fdOk || fd < 3) return 2;
  PrepareEnvironment();
  RegisterLocalScheme();
  QApplication app(argc, argv);

  QLocalSocket socket;
  if (!socket.setSocketDescriptor(fd)) return 1;

  QWebEngineProfile profile;  // off the record: nothing is kept on disk
  profile.setHttpCacheType(QWebEngineProfile::NoCache);
  profile.setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  LocalContent content(QString::fromLocal8Bit(argv[2]));
  LocalOnly localOnly;
  profile.installUrlSchemeHandler(kLocalScheme, &content);
  profile.setUrlRequestInterceptor(&localOnly);

  PlayerPage page(&profile);
  page.settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  page.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  page.settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  page.settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  QWebEngineView view;
  view.setPage(&page);
  // A view never shown paints nothing; this one is shown, but never on a screen.
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(1, 1);
  view.show();

  PlayerSession session(socket, view, page, content);
  page.load(PlayerPageUrl());
  const int result = app.exec();
  view.setPage(nullptr);
  return result;
}
