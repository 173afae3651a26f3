#include "player_session.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>

#include "render/flash/flash_helper_protocol.h"

using flash_helper::Kind;

namespace {

constexpr int kLoadLimitMs = 10000;
constexpr qint64 kMaxMovieBytes = 64 << 20;
// The largest control the program makes.
constexpr int kMaxSide = 8192;

// After a movie has loaded, its first picture takes a moment to reach the window; until
// then the window shows the empty page, all white or all black.
constexpr qint64 kSettleMs = 1000;
// A player busy with its own start (a movie's first frame, which offers its callbacks,
// may run well after the load's answer on a busy machine) refuses Play and calls for a
// moment: they are tried again this often, for this long, before they count as failed.
constexpr int kRetryMs = 50;
constexpr int kRetryLimitMs = 2000;
constexpr int kSettlePollMs = 10;

bool IsBlank(const QImage& picture) {
  const QRgb first = picture.pixel(0, 0);
  if (first != qRgb(0, 0, 0) && first != qRgb(255, 255, 255)) return false;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      if (line[x] != first) return false;
    }
  }
  return true;
}

const char* const kScaleModes[] = {"showAll", "noBorder", "exactFit", "noScale"};

// A movie file starts with "FWS", "CWS" or "ZWS", a version and its length; an
// uncompressed one is cut short when it holds less than that length.
bool LooksLikeMovie(const QByteArray& bytes) {
  if (bytes.size() < 8) return false;
  if (bytes.startsWith("CWS") || bytes.startsWith("ZWS")) return true;
  return bytes.startsWith("FWS") &&
         qFromLittleEndian<quint32>(bytes.constData() + 4) <= static_cast<quint32>(bytes.size());
}

// 128 random bits in hex.
QString NewSecret() {
  quint32 words[4];
  QRandomGenerator::system()->fillRange(words);
  return QString::fromLatin1(
      QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex());
}

QString JsText(const QString& text) {
  return QString::fromUtf8(
             QJsonDocument(QJsonObject{{QStringLiteral("v"), text}}).toJson(QJsonDocument::Compact))
      .mid(5)
      .chopped(1);
}

}  // namespace

bool PlayerPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
  if (loaded_ || !isMainFrame || url != PlayerPageUrl()) return false;
  loaded_ = true;
  return true;
}

void PlayerPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
  if (onMessage) onMessage(message);
}

PlayerSession::PlayerSession(QLocalSocket& socket, QWebEngineView& view, PlayerPage& page,
                             LocalContent& content)
    : socket_(socket),
      view_(view),
      page_(page),
      content_(content),
      secret_(NewSecret()),
      prefix_(QStringLiteral("qf:%1:").arg(secret_)) {
  loadLimit_.setSingleShot(true);
  loadLimit_.setInterval(kLoadLimitMs);
  connect(&loadLimit_, &QTimer::timeout, this, [this] {
    page_.runJavaScript(QStringLiteral("qf.unload()"));
    Reply(false);
  });
  page_.onMessage = [this](const QString& message) { OnPageMessage(message); };
  connect(&page_, &QWebEnginePage::loadFinished, this, &PlayerSession::OnPageLoaded,
          Qt::SingleShotConnection);
  connect(&socket_, &QLocalSocket::readyRead, this, &PlayerSession::OnReadable);
  connect(&socket_, &QLocalSocket::disconnected, this, &PlayerSession::Fail);
  OnReadable();
}

void PlayerSession::Fail() { QCoreApplication::exit(0); }

void PlayerSession::OnReadable() {
  input_ += socket_.readAll();
  bool tooLong = false;
  while (auto message = flash_helper::TakeMessage(input_, tooLong)) {
    if (tooLong) return Fail();
    requests_.push_back(*message);
  }
  StartNext();
}

void PlayerSession::StartNext() {
  if (busy_ || requests_.empty()) return;
  busy_ = true;
  const QByteArray request = requests_.front();
  requests_.pop_front();
  Carry(request);
}

void PlayerSession::Reply(bool ok, const std::function<void(QDataStream&)>& fields) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  flash_helper::PrepareStream(out);
  out << static_cast<quint8>(Kind::Reply) << ok;
  if (ok && fields) fields(out);
  socket_.write(flash_helper::Frame(body));
  busy_ = false;
  QTimer::singleShot(0, this, &PlayerSession::StartNext);
}

void PlayerSession::Carry(const QByteArray& request) {
  QDataStream in(request);
  flash_helper::PrepareStream(in);
  quint8 kind = 0;
  in >> kind;
  switch (static_cast<Kind>(kind)) {
    case Kind::Size: {
      qint32 width = 0, height = 0;
      in >> width >> height;
      if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return Reply(false);
      view_.resize(width, height);
      if (ready_) return Reply(true);
      sizeWaiting_ = true;  // answered when the page is ready
      return;
    }
    case Kind::Load: return Load(in);
    case Kind::SetLoop: {
      bool loop = false;
      in >> loop;
      return RunThenReply(QStringLiteral("qf.setLoop(%1), true").arg(loop ? "true" : "false"));
    }
    case Kind::Play:
      return RunUntilAccepted(QStringLiteral("qf.play()"), QDeadlineTimer(kRetryLimitMs),
                              [this](const QVariant& ok) { Reply(ok.toBool()); });
    case Kind::Stop: return RunThenReply(QStringLiteral("qf.stop()"));
    case Kind::IsPlaying:
      page_.runJavaScript(QStringLiteral("qf.isPlaying()"), [this](const QVariant& playing) {
        Reply(true, [&](QDataStream& out) { out << playing.toBool(); });
      });
      return;
    case Kind::Call: {
      QString invoke;
      in >> invoke;
      return RunUntilAccepted(QStringLiteral("qf.call(%1)").arg(JsText(invoke)),
                              QDeadlineTimer(kRetryLimitMs), [this](const QVariant& reply) {
                                const bool ok = reply.typeId() == QMetaType::QString;
                                Reply(ok, [&](QDataStream& out) { out << reply.toString(); });
                              });
    }
    case Kind::Capture: return Capture(in);
    case Kind::Unload:
      content_.SetMovie(QByteArray(), QString());
      lastPicture_ = QImage();
      settleEnd_.invalidate();
      return RunThenReply(QStringLiteral("qf.unload(), true"));
    default: return Fail();
  }
}

void PlayerSession::RunThenReply(const QString& script) {
  page_.runJavaScript(script, [this](const QVariant& ok) { Reply(ok.toBool()); });
}

void PlayerSession::RunUntilAccepted(const QString& script, QDeadlineTimer deadline,
                                     const std::function<void(const QVariant&)>& answer) {
  page_.runJavaScript(script, [this, script, deadline, answer](const QVariant& result) {
    const bool accepted = result.typeId() == QMetaType::QString ||
                          (result.typeId() == QMetaType::Bool && result.toBool());
    if (accepted || deadline.hasExpired()) return answer(result);
    QTimer::singleShot(kRetryMs, this, [this, script, deadline, answer] {
      RunUntilAccepted(script, deadline, answer);
    });
  });
}

void PlayerSession::Load(QDataStream& in) {
  QString path;
  quint32 background = 0;
  qint32 scaleMode = 0;
  bool menu = false, loop = false;
  in >> path >> background >> scaleMode >> menu >> loop;
  QFile file(path);
  QByteArray movie;
  if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxMovieBytes) movie = file.readAll();
  if (!ready_ || !LooksLikeMovie(movie)) return Reply(false);
  content_.SetMovie(movie, QFileInfo(path).absolutePath());
  settleEnd_.invalidate();
  beforeLoad_ = Grab();
  QJsonObject options{
      // Ruffle offers ExternalInterface only with script access and networking on.
      // What the movie loads still goes through the page's fetch and the helper's
      // interceptor, which refuse everything but our own scheme; Ruffle opens no address
      // but a javascript: one (openUrlMode), which the page's policy refuses to run.
      {QStringLiteral("allowNetworking"), QStringLiteral("all")},
      {QStringLiteral("openUrlMode"), QStringLiteral("deny")},
      {QStringLiteral("upgradeToHttps"), false},
      {QStringLiteral("allowScriptAccess"), true},
      {QStringLiteral("autoplay"), QStringLiteral("on")},
      {QStringLiteral("unmuteOverlay"), QStringLiteral("hidden")},
      {QStringLiteral("splashScreen"), false},
      {QStringLiteral("letterbox"), QStringLiteral("off")},
      {QStringLiteral("warnOnUnsupportedContent"), false},
      {QStringLiteral("showSwfDownload"), false},
      // Text in the faces a movie names, as the system has them: every script shows.
      {QStringLiteral("deviceFontRenderer"), QStringLiteral("canvas")},
      {QStringLiteral("contextMenu"), menu ? QStringLiteral("on") : QStringLiteral("off")},
      {QStringLiteral("forceScale"), true},
      {QStringLiteral("scale"),
       QLatin1String(kScaleModes[scaleMode >= 0 && scaleMode < 4 ? scaleMode : 0])},
  };
  if (background != flash_helper::kMovieBackground) {
    options.insert(QStringLiteral("backgroundColor"),
                   QStringLiteral("#%1").arg(background & 0xFFFFFF, 6, 16, QLatin1Char('0')));
  }
  // Each movie has a number of its own: its name on the page, and the mark of the
  // page's word on it, so that nothing of the one before is taken for it.
  loadToken_ += 1;
  const QString folder = QStringLiteral("%1://local/movie/").arg(kLocalScheme);
  const QString url = folder + QString::number(loadToken_);
  // What the movie names without a folder is beside it.
  options.insert(QStringLiteral("base"), folder);
  const QString script =
      QStringLiteral("qf.load(%1, %2, %3, %4)")
          .arg(JsText(url),
               QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact)),
               loop ? QStringLiteral("true") : QStringLiteral("false"))
          .arg(loadToken_);
  loadLimit_.start();
  page_.runJavaScript(script);
}

void PlayerSession::OnPageLoaded(bool ok) {
  if (!ok) return Fail();
  page_.runJavaScript(QStringLiteral("qf.begin('%1')").arg(secret_), [this](const QVariant& began) {
    if (!began.toBool()) return Fail();
    ready_ = true;
    if (sizeWaiting_) Reply(true);
    sizeWaiting_ = false;
  });
}

void PlayerSession::OnPageMessage(const QString& line) {
  if (!line.startsWith(prefix_)) return;  // not the page's own
  const QString message = line.mid(prefix_.size());
  if (message.startsWith(QLatin1String("call:"))) {
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    flash_helper::PrepareStream(out);
    out << static_cast<quint8>(Kind::FlashCall) << message.mid(5);
    socket_.write(flash_helper::Frame(body));
  } else if (loadLimit_.isActive()) {
    const QString what = message.section(QLatin1Char(':'), 0, 0);
    if (message.section(QLatin1Char(':'), 1).toInt() != loadToken_) return;
    loadLimit_.stop();
    if (what != QLatin1String("loaded")) return Reply(false);
    settleEnd_.start();
    AwaitFirstPicture();
  }
}

QImage PlayerSession::Grab() const {
  QImage picture = view_.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return picture.size() == view_.size() ? picture : QImage();
}

bool PlayerSession::Settling() const {
  return settleEnd_.isValid() && !settleEnd_.hasExpired(kSettleMs);
}

void PlayerSession::AwaitFirstPicture() {
  const QImage picture = Grab();
  const bool painted = !picture.isNull() && !IsBlank(picture) && picture != beforeLoad_;
  if (painted) lastPicture_ = picture;
  if (!painted && Settling()) {
    QTimer::singleShot(kSettlePollMs, this, &PlayerSession::AwaitFirstPicture);
    return;
  }
  Reply(true);
}

void PlayerSession::Capture(QDataStream& in) {
  qint32 width = 0, height = 0;
  in >> width >> height;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return Reply(false);
  QImage grabbed = Grab();
  if (grabbed.isNull()) return Reply(false);
  // Between two movies the page shows through for a moment: the last picture stands.
  if (Settling() && IsBlank(grabbed) && !lastPicture_.isNull()) grabbed = lastPicture_;
  if (!IsBlank(grabbed)) lastPicture_ = grabbed;
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::black);
  {
    QPainter painter(&picture);
    painter.drawImage(0, 0, grabbed);
  }
  Reply(true, [&](QDataStream& out) {
    out << QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                      static_cast<qsizetype>(picture.sizeInBytes()));
  });
}
