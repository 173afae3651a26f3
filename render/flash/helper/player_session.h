#pragma once
// The helper's side of the conversation with the program: requests are taken one at a
// time, in order, from the socket; each is carried out on the player page and answered
// when done. The helper quits when the program closes the socket.

#include <QByteArray>
#include <QDataStream>
#include <QElapsedTimer>
#include <QImage>
#include <QLocalSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <deque>
#include <functional>

#include "local_content.h"

// The page, with what it says on the console handed to the session.
class PlayerPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;
  std::function<void(const QString&)> onMessage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                const QString&) override;
};

class PlayerSession : public QObject {
 public:
  PlayerSession(QLocalSocket& socket, QWebEngineView& view, PlayerPage& page,
                LocalContent& content);

 private:
  void OnReadable();
  void StartNext();
  void Carry(const QByteArray& request);
  void Load(QDataStream& in);
  void Capture(QDataStream& in);
  QImage Grab() const;
  bool Settling() const;
  // Answers a load once the movie's first picture is in the window (or after a while).
  void AwaitFirstPicture();
  void RunThenReply(const QString& script);
  void Reply(bool ok, const std::function<void(QDataStream&)>& fields = {});
  void OnPageMessage(const QString& message);
  void Fail();

  QLocalSocket& socket_;
  QWebEngineView& view_;
  PlayerPage& page_;
  LocalContent& content_;
  QByteArray input_;
  std::deque<QByteArray> requests_;
  bool busy_ = false;         // a request is being carried out
  bool ready_ = false;        // Ruffle is loaded in the page
  bool sizeWaiting_ = false;  // the Size request waits for the page
  int loadToken_ = 0;         // the number of the last movie loaded
  QTimer loadLimit_;          // runs while a load is awaited
  QElapsedTimer settleEnd_;   // since the movie's first picture was drawn
  QImage lastPicture_;        // the last picture that showed a movie
  QImage beforeLoad_;         // the window when the last load began
};
