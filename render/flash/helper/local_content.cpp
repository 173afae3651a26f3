#include "local_content.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

// Ruffle's files are at most a few tens of MiB.
constexpr qint64 kMaxFileBytes = 64 << 20;

QByteArray ContentType(const QString& name) {
  if (name.endsWith(QLatin1String(".html"))) return "text/html";
  if (name.endsWith(QLatin1String(".js"))) return "text/javascript";
  if (name.endsWith(QLatin1String(".xml"))) return "text/xml";
  if (name.endsWith(QLatin1String(".wasm"))) return "application/wasm";
  return "application/octet-stream";
}

QByteArray ReadSmallFile(const QString& path, bool& ok) {
  QFile file(path);
  ok = file.open(QIODevice::ReadOnly) && file.size() <= kMaxFileBytes;
  return ok ? file.readAll() : QByteArray();
}

}  // namespace

QUrl PlayerPageUrl() {
  return QUrl(QStringLiteral("%1://local/player_page.html").arg(QLatin1String(kLocalScheme)));
}

void RegisterLocalScheme() {
  QWebEngineUrlScheme scheme(kLocalScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
}

LocalContent::LocalContent(QString ruffleDir, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), ruffleDir_(std::move(ruffleDir)) {}

void LocalContent::requestStarted(QWebEngineUrlRequestJob* job) {
  static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_.-]+$"));
  const QString path = job->requestUrl().path();
  const QString name = path.section(QLatin1Char('/'), -1);
  QByteArray body;
  bool ok = job->requestUrl().host() == QLatin1String("local") && plainName.match(name).hasMatch();
  const bool movieFile = ok && path == QLatin1String("/movie/") + name;
  if (movieFile && name.endsWith(QLatin1String(".xml")) && !movieDir_.isEmpty()) {
    body = ReadSmallFile(movieDir_ + QLatin1Char('/') + name, ok);
  } else if (movieFile) {
    body = movie_;
  } else if (ok && path == QLatin1String("/ruffle/") + name) {
    body = ReadSmallFile(ruffleDir_ + QLatin1Char('/') + name, ok);
  } else if (ok && path == QLatin1Char('/') + name) {
    body = ReadSmallFile(QStringLiteral(":/page/") + name, ok);
  } else {
    ok = false;
  }
  if (!ok) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  auto* buffer = new QBuffer(job);
  buffer->setData(body);
  job->reply(ContentType(name), buffer);
}

void LocalOnly::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (info.requestUrl().scheme() != QLatin1String(kLocalScheme)) info.block(true);
}
