#pragma once
// The messages between the program and its Flash helper process (flash-host), over
// one private local socket. A message is a 32-bit little-endian length followed by
// that many bytes of QDataStream data: a kind, then the fields of that kind. Each
// request gets one reply, in order; events come at any time between them. Header
// only, so the helper links nothing of the program.

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <cstdint>
#include <optional>

namespace flash_helper {

enum class Kind : quint8 {
  // Requests, program to helper.
  Size = 1,   // qint32 width, height: the control's size; answered once the player is ready
  Load,       // QString path, quint32 background (kMovieBackground: the movie's own),
              // qint32 scale mode, bool menu, bool loop: load and play; answered when
              // the movie plays or has failed
  SetLoop,    // bool loop
  Play,       // resume the movie
  Stop,       // pause the movie
  IsPlaying,  // answered with bool
  Call,       // QString invoke request: answered with the reply text
  Capture,    // qint32 width, height: answered with the picture's RGB32 bytes
  Unload,     // close the movie; the helper waits for the next one
  // Messages, helper to program.
  Reply = 100,  // bool ok, then the fields of the request's answer
  FlashCall,    // QString request: the movie called out to its container
};

// A background colour that leaves the movie its own.
constexpr quint32 kMovieBackground = 0xFFFFFFFF;
// No message is longer: a picture of the largest control with room to spare.
constexpr quint32 kMaxMessageBytes = 64u << 20;

// One message ready to write: the length and the data.
inline QByteArray Frame(const QByteArray& body) {
  QByteArray framed(4, Qt::Uninitialized);
  qToLittleEndian(static_cast<quint32>(body.size()), framed.data());
  return framed + body;
}

// Takes one whole message from the front of buffer. Nothing while it is incomplete;
// an empty array (with tooLong set) when its length is beyond kMaxMessageBytes.
inline std::optional<QByteArray> TakeMessage(QByteArray& buffer, bool& tooLong) {
  tooLong = false;
  if (buffer.size() < 4) return std::nullopt;
  const quint32 length = qFromLittleEndian<quint32>(buffer.constData());
  if (length > kMaxMessageBytes) {
    tooLong = true;
    return QByteArray();
  }
  if (static_cast<quint32>(buffer.size()) - 4 < length) return std::nullopt;
  QByteArray body = buffer.mid(4, static_cast<qsizetype>(length));
  buffer.remove(0, static_cast<qsizetype>(length) + 4);
  return body;
}

// A writer and a reader with the same stream version on both sides.
inline void PrepareStream(QDataStream& stream) { stream.setVersion(QDataStream::Qt_6_4); }

}  // namespace flash_helper
