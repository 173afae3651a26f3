#pragma once
// What the helper's page may load: the page itself, the Ruffle files, the movie and
// the XML files beside it (the built-in backgrounds read their parameters from
// back.xml), all through the scheme "quendra-flash"; every other request is refused.

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

// Serves quendra-flash://local/<page file>, /ruffle/<file> from the Ruffle folder,
// /movie/<n> with the movie's bytes and /movie/<name>.xml from the movie's folder.
class LocalContent : public QWebEngineUrlSchemeHandler {
 public:
  explicit LocalContent(QString ruffleDir, QObject* parent = nullptr);
  void requestStarted(QWebEngineUrlRequestJob* job) override;
  void SetMovie(QByteArray bytes, QString folder) {
    movie_ = std::move(bytes);
    movieDir_ = std::move(folder);
  }

 private:
  QString ruffleDir_;
  QByteArray movie_;
  QString movieDir_;
};

class LocalOnly : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};
