#pragma once
// The helper's side of the conversation with the program: requests are taken one at a
// time, in order, from the socket; each is carried out on the player page and answered
// when done. The helper quits when the program closes the socket.

#include <QByteArray>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QLocalSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <deque>
#include <functional>

#include "local_content.h"

// The page, with every line on its console handed to the session, which keeps only
// those that carry its secret. It shows the player page alone: the page is loaded once,
// and every later navigation and every new window is refused.
class PlayerPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;
  std::function<void(const QString&)> onMessage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                const QString&) override;

 private:
  bool loaded_ = false;  // the player page has been asked for
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
  // Runs script until the page accepts it (a text, or true) or deadline passes, then
  // hands the last result to answer.
  void RunUntilAccepted(const QString& script, QDeadlineTimer deadline,
                        const std::function<void(const QVariant&)>& answer);
  void Reply(bool ok, const std::function<void(QDataStream&)>& fields = {});
  // Hands the page the secret of its messages once it has loaded; then Ruffle is ready.
  void OnPageLoaded(bool ok);
  void OnPageMessage(const QString& message);
  void Fail();

  QLocalSocket& socket_;
  QWebEngineView& view_;
  PlayerPage& page_;
  LocalContent& content_;
  const QString secret_;  // new at every start; only the page's own script learns it
  const QString prefix_;  // what starts each line of the page's own
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
