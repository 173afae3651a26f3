#include "tests/support/loopback_http_server.h"

#include <QFile>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

#include <chrono>
#include <future>
#include <memory>

namespace {

constexpr int kIoTimeoutMs = 5000;

// Hands out each connection as a QSslSocket, encrypted when a certificate is set.
class Listener : public QTcpServer {
 public:
  Listener(QString certFile, QString keyFile)
      : certFile_(std::move(certFile)), keyFile_(std::move(keyFile)) {}

 protected:
  void incomingConnection(qintptr descriptor) override {
    auto* socket = new QSslSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
      delete socket;
      return;
    }
    if (!certFile_.isEmpty()) {
      QFile cert(certFile_), key(keyFile_);
      cert.open(QIODevice::ReadOnly);
      key.open(QIODevice::ReadOnly);
      socket->setLocalCertificate(QSslCertificate(&cert, QSsl::Pem));
      socket->setPrivateKey(QSslKey(&key, QSsl::Rsa, QSsl::Pem));
      socket->startServerEncryption();
    }
    addPendingConnection(socket);
  }

 private:
  QString certFile_;
  QString keyFile_;
};

QByteArray StatusText(int status) {
  switch (status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
  }
}

bool WriteAll(QTcpSocket* socket, const QByteArray& data) {
  if (socket->write(data) != data.size()) return false;
  while (socket->bytesToWrite() > 0) {
    if (!socket->waitForBytesWritten(kIoTimeoutMs)) return false;
  }
  return true;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(const QString& certFile, const QString& keyFile)
    : certFile_(certFile), keyFile_(keyFile) {
  std::promise<quint16> ready;
  std::future<quint16> port = ready.get_future();
  thread_ = std::thread([this, &ready] { Serve(&ready); });
  port_ = port.get();
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stop_ = true;
  thread_.join();
}

void LoopbackHttpServer::Route(const QByteArray& path, const HttpRoute& route) {
  const std::lock_guard lock(mutex_);
  routes_[path] = route;
}

QString LoopbackHttpServer::Url(const QByteArray& path) const {
  return QStringLiteral("%1://127.0.0.1:%2%3")
      .arg(certFile_.isEmpty() ? "http" : "https")
      .arg(port_)
      .arg(QString::fromLatin1(path));
}

int LoopbackHttpServer::Requests(const QByteArray& path) const {
  const std::lock_guard lock(mutex_);
  return requests_.value(path);
}

QByteArray LoopbackHttpServer::LastRequestHead(const QByteArray& path) const {
  const std::lock_guard lock(mutex_);
  return heads_.value(path);
}

void LoopbackHttpServer::Serve(std::promise<quint16>* ready) {
  Listener listener(certFile_, keyFile_);
  listener.listen(QHostAddress(QHostAddress::LocalHost), 0);
  ready->set_value(listener.serverPort());
  while (!stop_) {
    if (!listener.waitForNewConnection(20)) continue;
    std::unique_ptr<QTcpSocket> socket(listener.nextPendingConnection());
    socket->setParent(nullptr);
    auto* tls = static_cast<QSslSocket*>(socket.get());
    if (!certFile_.isEmpty() && !tls->waitForEncrypted(kIoTimeoutMs)) continue;
    Answer(socket.get());
    socket->disconnectFromHost();
    if (socket->state() != QAbstractSocket::UnconnectedState) {
      socket->waitForDisconnected(1000);
    }
  }
}

bool LoopbackHttpServer::Pause(QTcpSocket* socket, int ms) const {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    // Waiting on the socket notices a client that has gone.
    if (stop_ || socket->state() != QAbstractSocket::ConnectedState) return false;
    socket->waitForReadyRead(5);
  }
  return true;
}

void LoopbackHttpServer::Answer(QTcpSocket* socket) {
  QByteArray head = socket->readAll();  // a TLS handshake may have read it already
  while (!head.contains("\r\n\r\n")) {
    if (!socket->waitForReadyRead(kIoTimeoutMs)) return;
    head += socket->readAll();
  }
  const QByteArray path = head.left(head.indexOf("\r\n")).split(' ').value(1);
  HttpRoute route;
  {
    const std::lock_guard lock(mutex_);
    ++requests_[path];
    heads_[path] = head;
    route = routes_.value(path, HttpRoute{404, "missing", true, 0, 0, -1, {}});
  }
  QByteArray answer = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' +
                      StatusText(route.status) + "\r\nConnection: close\r\n";
  if (!route.location.isEmpty()) answer += "Location: " + route.location + "\r\n";
  answer += route.sendLength ? "Content-Length: " + QByteArray::number(route.body.size())
                             : QByteArray("Transfer-Encoding: chunked");
  if (!WriteAll(socket, answer + "\r\n\r\n")) return;
  const qint64 end = route.cutAfter >= 0 ? qMin(route.cutAfter, route.body.size())
                                         : route.body.size();
  const qint64 piece = route.pieceBytes > 0 ? route.pieceBytes : qMax<qint64>(end, 1);
  for (qint64 at = 0; at < end; at += piece) {
    if (route.pauseMs > 0 && !Pause(socket, route.pauseMs)) return;
    const QByteArray part = route.body.mid(at, qMin(piece, end - at));
    const QByteArray framed = route.sendLength ? part
                                               : QByteArray::number(part.size(), 16) +
                                                     "\r\n" + part + "\r\n";
    if (!WriteAll(socket, framed)) return;
  }
  if (!route.sendLength && route.cutAfter < 0) WriteAll(socket, "0\r\n\r\n");
}
