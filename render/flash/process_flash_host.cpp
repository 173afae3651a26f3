#include "render/flash/process_flash_host.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <deque>

#include "platform/confinement.h"
#include "render/flash/flash_helper_protocol.h"

using flash_helper::Kind;

namespace {

// The helper starts its browser engine and Ruffle; generous, for a busy machine.
constexpr int kStartLimitMs = 30000;
// Loads are limited by the helper itself; this covers the way there and back.
constexpr int kLoadReplyLimitMs = kFlashLoadLimitMs + 5000;
constexpr int kCallLimitMs = 5000;
constexpr int kEndLimitMs = 3000;
// The helper's exit code when it could not be cut off from the network.
constexpr int kNoConfinementExit = 125;

template <typename... Fields>
QByteArray Request(Kind kind, const Fields&... fields) {
  QByteArray body;
  QDataStream out(&body, QIODevice::WriteOnly);
  flash_helper::PrepareStream(out);
  out << static_cast<quint8>(kind);
  ((out << fields), ...);
  return body;
}

}  // namespace

class FlashHelper;

// The helper of the last closed host, waiting for the next one; it belongs to the
// application object, so that it ends with the program at the latest.
static QPointer<FlashHelper>& IdleHelper() {
  static QPointer<FlashHelper> helper;
  return helper;
}

// One running helper and the socket to it.
class FlashHelper : public QObject {
 public:
  FlashHelper() = default;
  ~FlashHelper() override { End(); }

  bool Start(const FlashHelperFiles& files);
  // Sends a request and waits up to limitMs for its reply; the reply's fields when it
  // succeeded. A helper that does not answer in time is ended.
  std::optional<QByteArray> Call(const QByteArray& request, int limitMs);
  bool Broken() const { return broken_; }
  // FlashCall events go to handler from now on, on the GUI thread.
  void SetEventHandler(std::function<void(const QString&)> handler) {
    onFlashCall_ = std::move(handler);
  }
  // While parked the helper belongs to the application object and ends by itself
  // after kFlashHelperIdleMs. The events of the movie it played are dropped, so that
  // its next host hears nothing of them.
  void Park() {
    events_.clear();
    setParent(QCoreApplication::instance());
    idle_.start(kFlashHelperIdleMs);
  }
  void Unpark() {
    idle_.stop();
    setParent(nullptr);
  }

 private:
  void End();
  // Takes the whole messages received so far: replies into replies_, events queued.
  void ReadMessages();
  void DeliverEvents();

  QProcess process_;
  QLocalSocket socket_;
  QByteArray input_;
  std::deque<QByteArray> replies_;
  std::deque<QString> events_;
  std::function<void(const QString&)> onFlashCall_;
  bool inCall_ = false;
  bool broken_ = true;
  QTimer idle_;
};

bool FlashHelper::Start(const FlashHelperFiles& files) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
  const int theirs = ends[1];
  // Only the helper's end of the socket is inherited. The helper has no network: an
  // empty network namespace of its own where the system allows one, else a filter that
  // refuses it internet sockets; where neither holds it does not run at all (its host
  // then fails as the null host's does).
  process_.setChildProcessModifier([theirs] {
    ::fcntl(theirs, F_SETFD, 0);
    if (confinement::CutNetwork() == confinement::NetworkCut::None) ::_exit(kNoConfinementExit);
  });
  process_.setStandardOutputFile(QProcess::nullDevice());
  process_.setStandardErrorFile(QProcess::nullDevice());
  process_.start(files.program, {QString::number(theirs), files.ruffleDir});
  ::close(theirs);
  if (!socket_.setSocketDescriptor(ends[0])) {
    ::close(ends[0]);
    return false;
  }
  if (!process_.waitForStarted(kStartLimitMs)) return false;
  broken_ = false;
  idle_.setSingleShot(true);
  connect(&idle_, &QTimer::timeout, this, [this] {
    if (IdleHelper() == this) IdleHelper() = nullptr;  // no host takes it any more
    deleteLater();
  });
  connect(&socket_, &QLocalSocket::readyRead, this, [this] {
    if (inCall_) return;
    ReadMessages();
    DeliverEvents();
  });
  connect(&process_, &QProcess::finished, this, [this] { broken_ = true; });
  return true;
}

void FlashHelper::End() {
  broken_ = true;
  socket_.abort();  // the helper ends when its socket closes
  if (process_.state() == QProcess::NotRunning) return;
  if (!process_.waitForFinished(kEndLimitMs)) {
    process_.kill();
    process_.waitForFinished(kEndLimitMs);
  }
}

void FlashHelper::ReadMessages() {
  input_ += socket_.readAll();
  bool tooLong = false;
  while (auto message = flash_helper::TakeMessage(input_, tooLong)) {
    if (tooLong) {
      End();
      return;
    }
    QDataStream in(*message);
    flash_helper::PrepareStream(in);
    quint8 kind = 0;
    in >> kind;
    if (static_cast<Kind>(kind) == Kind::Reply) {
      replies_.push_back(message->mid(1));
    } else if (static_cast<Kind>(kind) == Kind::FlashCall) {
      QString request;
      in >> request;
      events_.push_back(request);
    }
  }
}

void FlashHelper::DeliverEvents() {
  while (!events_.empty()) {
    const QString request = events_.front();
    events_.pop_front();
    if (onFlashCall_) onFlashCall_(request);
  }
}

std::optional<QByteArray> FlashHelper::Call(const QByteArray& request, int limitMs) {
  if (broken_) return std::nullopt;
  inCall_ = true;
  socket_.write(flash_helper::Frame(request));
  const QDeadlineTimer deadline(limitMs);
  while (replies_.empty() && !broken_ && !deadline.hasExpired()) {
    socket_.flush();
    if (socket_.state() != QLocalSocket::ConnectedState) break;
    if (socket_.bytesAvailable() > 0 || socket_.waitForReadyRead(deadline.remainingTime())) {
      ReadMessages();
    }
  }
  inCall_ = false;
  if (!events_.empty()) {
    QTimer::singleShot(0, this, [this] { DeliverEvents(); });
  }
  if (replies_.empty()) {
    End();
    return std::nullopt;
  }
  QByteArray reply = replies_.front();
  replies_.pop_front();
  QDataStream in(reply);
  flash_helper::PrepareStream(in);
  bool ok = false;
  in >> ok;
  if (!ok || in.status() != QDataStream::Ok) return std::nullopt;
  return reply.mid(1);
}

namespace {

std::unique_ptr<FlashHelper> TakeIdleHelper() {
  std::unique_ptr<FlashHelper> helper(IdleHelper().data());
  IdleHelper() = nullptr;
  if (helper == nullptr) return helper;
  helper->Unpark();
  if (helper->Broken()) helper.reset();
  return helper;
}

void ParkHelper(std::unique_ptr<FlashHelper> helper) {
  if (QCoreApplication::instance() == nullptr || helper->Broken()) return;
  delete IdleHelper().data();
  helper->Park();
  IdleHelper() = helper.release();
}

}  // namespace

std::optional<FlashHelperFiles> FlashHelperFilesIn(const QString& folder) {
  FlashHelperFiles files{folder + QStringLiteral("/flash-host"),
                         folder + QStringLiteral("/ruffle")};
  if (!QFileInfo(files.program).isExecutable()) return std::nullopt;
  if (!QFileInfo::exists(files.ruffleDir + QStringLiteral("/ruffle.js"))) return std::nullopt;
  return files;
}

bool UseFlashPlayerIn(const QString& folder) {
  const std::optional<FlashHelperFiles> files = FlashHelperFilesIn(folder);
  if (!files) {
    SetFlashHostFactory({});
    return false;
  }
  SetFlashHostFactory([files = *files] { return std::make_unique<ProcessFlashHost>(files); });
  return true;
}

bool UseInstalledFlashPlayer() { return UseFlashPlayerIn(QCoreApplication::applicationDirPath()); }

ProcessFlashHost::ProcessFlashHost(FlashHelperFiles files) : files_(std::move(files)) {}

ProcessFlashHost::~ProcessFlashHost() {
  if (helper_ == nullptr) return;
  helper_->SetEventHandler({});
  if (helper_->Call(Request(Kind::Unload), kCallLimitMs)) ParkHelper(std::move(helper_));
}

bool ProcessFlashHost::Create(const PixelRect&, QSize controlSize) {
  // The window is the helper's and never on a screen: its place does not matter.
  if (helper_ != nullptr || controlSize.isEmpty()) return false;
  helper_ = TakeIdleHelper();
  if (helper_ == nullptr) {
    helper_ = std::make_unique<FlashHelper>();
    if (!helper_->Start(files_)) {
      helper_.reset();
      return false;
    }
  }
  helper_->SetEventHandler([this](const QString& request) { DeliverFlashCall(request); });
  const auto ready =
      helper_->Call(Request(Kind::Size, qint32{controlSize.width()}, qint32{controlSize.height()}),
                    kStartLimitMs);
  if (!ready) helper_.reset();
  return ready.has_value();
}

bool ProcessFlashHost::Load() {
  if (helper_ == nullptr || movie_.isEmpty()) return false;
  return helper_
      ->Call(Request(Kind::Load, movie_, quint32{background_}, qint32{scaleMode_}, menu_, loop_),
             kLoadReplyLimitMs)
      .has_value();
}

bool ProcessFlashHost::SetMovie(const QString& path) {
  movie_ = path;
  return Load();
}

bool ProcessFlashHost::SetLoop(bool loop) {
  loop_ = loop;
  if (helper_ == nullptr) return false;
  return movie_.isEmpty() || helper_->Call(Request(Kind::SetLoop, loop), kCallLimitMs).has_value();
}

bool ProcessFlashHost::SetScaleMode(int mode) {
  if (mode == scaleMode_) return helper_ != nullptr;
  scaleMode_ = mode;
  return movie_.isEmpty() ? helper_ != nullptr : Load();
}

bool ProcessFlashHost::SetBackgroundColor(std::uint32_t rrggbb) {
  rrggbb &= 0xFFFFFF;
  if (rrggbb == background_) return helper_ != nullptr;
  background_ = rrggbb;
  return movie_.isEmpty() ? helper_ != nullptr : Load();
}

bool ProcessFlashHost::SetMenu(bool menu) {
  // Ruffle's menu is never on a screen here: the setting waits for the next load.
  menu_ = menu;
  return helper_ != nullptr;
}

bool ProcessFlashHost::Play() {
  return helper_ != nullptr && helper_->Call(Request(Kind::Play), kCallLimitMs).has_value();
}

bool ProcessFlashHost::Stop() {
  return helper_ != nullptr && helper_->Call(Request(Kind::Stop), kCallLimitMs).has_value();
}

bool ProcessFlashHost::IsPlaying() {
  if (helper_ == nullptr) return false;
  const auto reply = helper_->Call(Request(Kind::IsPlaying), kCallLimitMs);
  if (!reply) return false;
  QDataStream in(*reply);
  flash_helper::PrepareStream(in);
  bool playing = false;
  in >> playing;
  return in.status() == QDataStream::Ok && playing;
}

std::optional<QString> ProcessFlashHost::CallFunction(const QString& request) {
  if (helper_ == nullptr) return std::nullopt;
  const auto reply = helper_->Call(Request(Kind::Call, request), kCallLimitMs);
  if (!reply) return std::nullopt;
  QDataStream in(*reply);
  flash_helper::PrepareStream(in);
  QString text;
  in >> text;
  if (in.status() != QDataStream::Ok) return std::nullopt;
  return text;
}

bool ProcessFlashHost::Capture(QImage& picture) {
  if (helper_ == nullptr || picture.isNull()) return false;
  const auto reply = helper_->Call(
      Request(Kind::Capture, qint32{picture.width()}, qint32{picture.height()}), kCallLimitMs);
  if (!reply) return false;
  QDataStream in(*reply);
  flash_helper::PrepareStream(in);
  QByteArray pixels;
  in >> pixels;
  QImage captured(picture.width(), picture.height(), QImage::Format_RGB32);
  if (in.status() != QDataStream::Ok || pixels.size() != captured.sizeInBytes()) return false;
  std::memcpy(captured.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
  picture = captured;
  return true;
}
