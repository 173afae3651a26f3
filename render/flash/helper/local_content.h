#pragma once
// What the helper's page may load: the page itself, the Ruffle files and the movie,
// all through the scheme "quendra-flash"; every other request is refused.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

inline constexpr char kLocalScheme[] = "quendra-flash";

// The player page.
QUrl PlayerPageUrl();

// Registers the scheme; before the application object exists.
void RegisterLocalScheme();

// Serves quendra-flash://local/<page file>, /ruffle/<file> from the Ruffle folder and
// /movie/<n> with the movie's bytes.
class LocalContent : public QWebEngineUrlSchemeHandler {
 public:
  explicit LocalContent(QString ruffleDir, QObject* parent = nullptr);
  void requestStarted(QWebEngineUrlRequestJob* job) override;
  void SetMovie(QByteArray bytes) { movie_ = std::move(bytes); }

 private:
  QString ruffleDir_;
  QByteArray movie_;
};

class LocalOnly : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};
