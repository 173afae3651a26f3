#pragma once
// A scripted HTTP(S) server on 127.0.0.1 (a port the system picks) for the updater's
// tests. It serves on a thread of its own, one connection at a time, and answers each
// path as its route says: status, body, with or without a length, in pieces with
// pauses, cut short, or redirected. Nothing leaves the machine.

#include <QByteArray>
#include <QMap>
#include <QString>

#include <atomic>
#include <future>
#include <mutex>
#include <thread>

struct HttpRoute {
  int status = 200;
  QByteArray body;
  bool sendLength = true;  // false: chunked transfer coding, no length
  int pieceBytes = 0;      // > 0: the body goes out in pieces of this size...
  int pauseMs = 0;         // ...each after this pause
  qint64 cutAfter = -1;    // >= 0: the connection closes after this many body bytes
  QByteArray location;     // the Location header of a redirect
};

class LoopbackHttpServer {
 public:
  // certFile and keyFile (PEM) make it an HTTPS server.
  explicit LoopbackHttpServer(const QString& certFile = {}, const QString& keyFile = {});
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  void Route(const QByteArray& path, const HttpRoute& route);
  // "http://127.0.0.1:<port>" (or https) + path.
  QString Url(const QByteArray& path) const;
  quint16 Port() const { return port_; }
  // How many requests for path have arrived, and the head of the last one.
  int Requests(const QByteArray& path) const;
  QByteArray LastRequestHead(const QByteArray& path) const;

 private:
  void Serve(std::promise<quint16>* ready);
  void Answer(class QTcpSocket* socket);
  // False when the client has gone or the server stops.
  bool Pause(class QTcpSocket* socket, int ms) const;

  QString certFile_;
  QString keyFile_;
  quint16 port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  QMap<QByteArray, HttpRoute> routes_;
  QMap<QByteArray, int> requests_;
  QMap<QByteArray, QByteArray> heads_;
  std::thread thread_;
};
