#include "sdk/link/transports/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "model/common/serial_ports.h"
#include "sdk/Corvanix.h"
#include "sdk/link/send_command.h"
#include "sdk/link/transport_settings.h"
#include "sdk/link/transports/socket_util.h"
#include "sdk/link/wire_frame.h"

namespace {

struct BaudEntry {
  int rate;
  speed_t speed;
};

constexpr BaudEntry kBaudRates[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};
constexpr int kDefaultRate = 9600;

// Write time-out: 50 ms per byte plus 500 ms, as the cards' line allows.
constexpr int kWriteMsPerByte = 50;
constexpr int kWriteConstantMs = 500;

speed_t SpeedOfRate(int rate) {
  for (const BaudEntry& entry : kBaudRates) {
    if (entry.rate == rate) return entry.speed;
  }
  return B9600;
}

}  // namespace

int SerialOpenRate(int baudRate) {
  for (const BaudEntry& entry : kBaudRates) {
    if (entry.rate == baudRate) return baudRate;
  }
  return kDefaultRate;
}

CCommport::~CCommport() { Close(); }

int CCommport::Open(int baudRate, int portNumber) {
  Close();
  const QByteArray path = ComPortDevicePath(portNumber).toLocal8Bit();
  if (path.isEmpty()) return KQ_ERR_SERIAL_OPEN;
  fd_.Reset(::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd_.Valid()) return KQ_ERR_SERIAL_OPEN;
  if (!::isatty(fd_.Get()) || ::flock(fd_.Get(), LOCK_EX | LOCK_NB) != 0) {
    Close();
    return KQ_ERR_SERIAL_OPEN;
  }
  termios line{};
  if (::tcgetattr(fd_.Get(), &line) != 0) {
    Close();
    return KQ_ERR_SERIAL_STATE;
  }
  // Raw 8N1 without flow control: 0x0D, 0x11 and 0x13 of a frame pass unchanged.
  ::cfmakeraw(&line);
  line.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
  line.c_cflag |= CS8 | CLOCAL | CREAD;
  line.c_iflag &= ~(IXON | IXOFF | IXANY);
  const speed_t speed = SpeedOfRate(SerialOpenRate(baudRate));
  if (::cfsetispeed(&line, speed) != 0 || ::cfsetospeed(&line, speed) != 0 ||
      ::tcsetattr(fd_.Get(), TCSANOW, &line) != 0) {
    Close();
    return KQ_ERR_SERIAL_STATE;
  }
  Purge();
  return KQ_OK;
}

void CCommport::Purge() {
  if (fd_.Valid()) ::tcflush(fd_.Get(), TCIOFLUSH);
}

int CCommport::Write(const std::uint8_t* data, std::size_t length) {
  const auto deadline =
      DeadlineAfter(kWriteConstantMs + kWriteMsPerByte * static_cast<int>(length));
  std::size_t written = 0;
  while (written < length) {
    if (!WaitReady(fd_.Get(), POLLOUT, deadline)) return KQ_ERR_SERIAL_WRITE;
    const ssize_t part = ::write(fd_.Get(), data + written, length - written);
    if (part < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return KQ_ERR_SERIAL_WRITE;
    }
    written += static_cast<std::size_t>(part);
  }
  return KQ_OK;
}

// Waits, looking every millisecond, until count bytes are queued; the limit runs
// from the call.
int CCommport::WaitQueued(std::size_t count, int stageMs) {
  const auto deadline = DeadlineAfter(stageMs);
  for (;;) {
    int queued = 0;
    if (::ioctl(fd_.Get(), FIONREAD, &queued) != 0) return KQ_ERR_SERIAL_READ;
    if (static_cast<std::size_t>(queued) >= count) return KQ_OK;
    if (SteadyClock::now() >= deadline) return KQ_ERR_SERIAL_NO_REPLY;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

int CCommport::ReadExact(std::uint8_t* buffer, std::size_t count) {
  return fd_.ReadAll(buffer, count) == 0 ? KQ_OK : KQ_ERR_SERIAL_READ;
}

int CCommport::ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length,
                         int stageMs) {
  auto readHead = [this, stageMs](std::uint8_t* head) {
    if (int code = WaitQueued(wire::kMinReplyBytes, stageMs)) return code;
    return ReadExact(head, wire::kHeadBytes);
  };
  // Stage two: one time limit for the whole rest, also when it is drained in pieces.
  auto stageEnd = SteadyClock::time_point::max();
  auto readBody = [this, stageMs, &stageEnd](std::uint8_t* into, std::size_t n) {
    if (stageEnd == SteadyClock::time_point::max()) stageEnd = DeadlineAfter(stageMs);
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(stageEnd - SteadyClock::now());
    if (int code = WaitQueued(n, left.count() > 0 ? static_cast<int>(left.count()) : 0)) {
      return code;
    }
    return ReadExact(into, n);
  };
  return wire::ReadFramedReply(readHead, readBody, buffer, capacity, length);
}

void CCommport::Close() { fd_.Reset(); }

namespace {

class SerialLink : public wire::FrameLink {
 public:
  SerialLink(CCommport& port, int stageMs) : port_(port), stageMs_(stageMs) {}
  int SendFrame(const std::uint8_t* frame, std::size_t length) override {
    port_.Purge();
    return port_.Write(frame, length);
  }
  int ReadReply(std::uint8_t* buffer, std::size_t capacity, std::size_t* length) override {
    return port_.ReadReply(buffer, capacity, length, stageMs_);
  }

 private:
  CCommport& port_;
  int stageMs_;
};

}  // namespace

int SendFrameSerial(const CommandRequest& request) {
  CCommport port;
  if (int code = port.Open(request.info.BaudRate, request.info.ComPort)) return code;
  SerialLink link(port, CurrentTransportSettings().serialStageMs);
  return RunChunkLoop(link, request);
}
