#include "platform/window_channel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cstring>

#include "platform/message_window.h"
#include "platform/runtime_folder.h"

namespace {

constexpr char kMagic[4] = {'K', 'Q', 'M', '1'};

void PutLe32(char* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe32(const char* in) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[i])) << (8 * i);
  return value;
}

// The bytes a connection has sent that do not make a whole frame yet.
const char kPendingProperty[] = "quendraPending";

}  // namespace

std::array<char, kWindowFrameSize> EncodeWindowFrame(const WindowFrame& frame) {
  std::array<char, kWindowFrameSize> bytes{};
  std::memcpy(bytes.data(), kMagic, 4);
  PutLe32(bytes.data() + 4, frame.msg);
  PutLe32(bytes.data() + 8, static_cast<std::uint32_t>(frame.wParam));
  PutLe32(bytes.data() + 12, static_cast<std::uint32_t>(frame.lParam));
  return bytes;
}

std::optional<WindowFrame> DecodeWindowFrame(const QByteArray& bytes) {
  if (bytes.size() < kWindowFrameSize || std::memcmp(bytes.constData(), kMagic, 4) != 0) {
    return std::nullopt;
  }
  const char* data = bytes.constData();
  return WindowFrame{GetLe32(data + 4), static_cast<std::int32_t>(GetLe32(data + 8)),
                     static_cast<std::int32_t>(GetLe32(data + 12))};
}

QString WindowClassPath(const QString& windowClass) {
  const QString folder = UserRuntimeFolder();
  return folder.isEmpty() ? QString() : folder + u'/' + windowClass;
}

bool WindowClassExists(const QString& windowClass) {
  QLocalSocket socket;
  socket.connectToServer(WindowClassPath(windowClass));
  const bool connected = socket.waitForConnected(kWindowPostTimeoutMs);
  socket.abort();
  return connected;
}

bool PostToWindowClass(const QString& windowClass, UINT msg, std::int32_t wParam,
                       std::int32_t lParam) {
  QLocalSocket socket;
  socket.connectToServer(WindowClassPath(windowClass));
  if (!socket.waitForConnected(kWindowPostTimeoutMs)) return false;
  const std::array<char, kWindowFrameSize> frame = EncodeWindowFrame({msg, wParam, lParam});
  const bool written = socket.write(frame.data(), frame.size()) == kWindowFrameSize &&
                       socket.waitForBytesWritten(kWindowPostTimeoutMs);
  socket.disconnectFromServer();
  return written;
}

WindowChannel::WindowChannel(const QString& windowClass, HWND window, std::vector<UINT> accepted)
    : server_(new QLocalServer(this)), window_(window), accepted_(std::move(accepted)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString path = WindowClassPath(windowClass);
  // A socket file left by a program that ended without removing it answers no one.
  if (!WindowClassExists(windowClass)) QLocalServer::removeServer(path);
  if (server_->listen(path)) {
    connect(server_, &QLocalServer::newConnection, this, &WindowChannel::Accept);
  }
}

WindowChannel::~WindowChannel() { server_->close(); }

bool WindowChannel::IsListening() const { return server_->isListening(); }

void WindowChannel::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto* timer = new QTimer(socket);
    timer->setSingleShot(true);
    timer->setInterval(kWindowFrameTimeoutMs);
    connect(timer, &QTimer::timeout, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
    timer->start();
    if (socket->bytesAvailable() > 0) Read(socket);
  }
}

void WindowChannel::Read(QLocalSocket* socket) {
  QByteArray bytes = socket->property(kPendingProperty).toByteArray() + socket->readAll();
  qsizetype used = 0;
  for (; bytes.size() - used >= kWindowFrameSize; used += kWindowFrameSize) {
    const std::optional<WindowFrame> frame = DecodeWindowFrame(bytes.mid(used, kWindowFrameSize));
    if (!frame) {
      socket->abort();
      return;
    }
    if (std::find(accepted_.begin(), accepted_.end(), frame->msg) != accepted_.end()) {
      // A window that has closed meanwhile simply gets nothing.
      static_cast<void>(PostMessage(window_, frame->msg, static_cast<WPARAM>(frame->wParam),
                                    static_cast<LPARAM>(frame->lParam)));
    }
  }
  bytes.remove(0, used);
  socket->setProperty(kPendingProperty, bytes);
  // A connection ends after a second without a whole frame: senders write one frame
  // and disconnect, so only a stalled or stray one lasts that long.
  if (used > 0 || bytes.isEmpty()) socket->findChild<QTimer*>()->start();
}
