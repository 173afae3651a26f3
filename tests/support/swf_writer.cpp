#include "tests/support/swf_writer.h"

#include <QtEndian>

#include <cstdint>
#include <initializer_list>
#include <utility>

namespace {

constexpr int kTwips = 20;

// Bit fields, most significant bit first, padded to a whole byte at the end.
class Bits {
 public:
  void Unsigned(std::uint32_t value, int count) {
    for (int bit = count - 1; bit >= 0; --bit) bits_.push_back(((value >> bit) & 1) != 0);
  }
  void Signed(int value, int count) { Unsigned(static_cast<std::uint32_t>(value), count); }
  QByteArray Bytes() const {
    QByteArray bytes(static_cast<qsizetype>((bits_.size() + 7) / 8), '\0');
    for (std::size_t i = 0; i < bits_.size(); ++i) {
      if (bits_[i]) bytes[static_cast<qsizetype>(i / 8)] |= static_cast<char>(0x80 >> (i % 8));
    }
    return bytes;
  }

 private:
  std::vector<bool> bits_;
};

// The bits a signed field needs to hold every value.
int SignedBits(std::initializer_list<int> values) {
  int bits = 2;
  for (const int value : values) {
    while (value < -(1 << (bits - 1)) || value >= (1 << (bits - 1))) ++bits;
  }
  return bits;
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

QByteArray U16(int value) {
  QByteArray bytes(2, '\0');
  qToLittleEndian(static_cast<std::uint16_t>(value), bytes.data());
  return bytes;
}

QByteArray U32(std::uint32_t value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

QByteArray Rgb(const QColor& color) { return Bytes({color.red(), color.green(), color.blue()}); }

QByteArray Rect(int width, int height) {
  Bits bits;
  const int count = SignedBits({width, height});
  bits.Unsigned(static_cast<std::uint32_t>(count), 5);
  for (const int value : {0, width, 0, height}) bits.Signed(value, count);
  return bits.Bytes();
}

QByteArray Tag(int code, const QByteArray& body) {
  if (body.size() < 63) return U16((code << 6) | static_cast<int>(body.size())) + body;
  return U16((code << 6) | 0x3F) + U32(static_cast<std::uint32_t>(body.size())) + body;
}

// DefineShape 1: a square of side twips filled with color.
QByteArray Square(int side, const QColor& color) {
  Bits shape;
  shape.Unsigned(0b000101, 6);  // style change: fill style 1, move to
  shape.Unsigned(2, 5);
  shape.Signed(0, 2);
  shape.Signed(0, 2);
  shape.Unsigned(1, 1);  // fill style 1 = the first
  const int bits = SignedBits({side, -side});
  for (const auto& [vertical, delta] : {std::pair{0, side}, {1, side}, {0, -side}, {1, -side}}) {
    shape.Unsigned(0b11, 2);  // straight edge
    shape.Unsigned(static_cast<std::uint32_t>(bits - 2), 4);
    shape.Unsigned(0, 1);  // not a general line
    shape.Unsigned(static_cast<std::uint32_t>(vertical), 1);
    shape.Signed(delta, bits);
  }
  shape.Unsigned(0, 6);  // end of shape
  return Tag(
      2, U16(1) + Rect(side, side) + Bytes({1, 0}) + Rgb(color) + Bytes({0, 0x10}) + shape.Bytes());
}

// PlaceObject2 of shape 1 at depth 1: placed on the first frame, moved after.
QByteArray Place(QPoint at, bool first) {
  Bits matrix;
  const int x = at.x() * kTwips, y = at.y() * kTwips;
  const int bits = SignedBits({x, y});
  matrix.Unsigned(0, 2);  // no scale, no rotation
  matrix.Unsigned(static_cast<std::uint32_t>(bits), 5);
  matrix.Signed(x, bits);
  matrix.Signed(y, bits);
  const QByteArray head = first ? Bytes({0x06}) + U16(1) + U16(1) : Bytes({0x05}) + U16(1);
  return Tag(26, head + matrix.Bytes());
}

QByteArray Push(const QByteArray& items) {
  return Bytes({0x96}) + U16(static_cast<int>(items.size())) + items;
}
QByteArray PushText(const QString& text) { return Push(Bytes({0}) + text.toUtf8() + Bytes({0})); }

// The actions of the first frame.
QByteArray Actions(const TestMovie& movie) {
  QByteArray actions;
  if (!movie.loadUrl.isEmpty()) {  // GetURL into _level1
    const QByteArray strings = movie.loadUrl.toUtf8() + Bytes({0}) + "_level1" + Bytes({0});
    actions += Bytes({0x83}) + U16(static_cast<int>(strings.size())) + strings;
  }
  for (const TestGetUrl& get : movie.getUrls) {  // GetURL2: the target over the url
    actions +=
        PushText(get.url) + PushText(get.target) + Bytes({0x9A}) + U16(1) + Bytes({get.method});
  }
  if (!movie.callName.isEmpty()) {  // flash.external.ExternalInterface.call(name, argument)
    actions += PushText(movie.callArgument) + PushText(movie.callName);
    actions += Push(Bytes({7}) + U32(2)) + PushText(QStringLiteral("flash")) + Bytes({0x1C});
    actions += PushText(QStringLiteral("external")) + Bytes({0x4E});
    actions += PushText(QStringLiteral("ExternalInterface")) + Bytes({0x4E});
    actions += PushText(QStringLiteral("call")) + Bytes({0x52, 0x17});
  }
  return actions.isEmpty() ? QByteArray() : Tag(12, actions + Bytes({0}));
}

}  // namespace

QByteArray WriteTestMovie(const TestMovie& movie) {
  QByteArray tags =
      Tag(9, Rgb(movie.background)) + Square(movie.squareSide * kTwips, movie.squareColor);
  for (std::size_t frame = 0; frame < movie.positions.size(); ++frame) {
    tags += Place(movie.positions[frame], frame == 0);
    if (frame == 0) tags += Actions(movie);
    tags += Tag(1, {});  // ShowFrame
  }
  tags += Tag(0, {});
  const QByteArray body = Rect(movie.stage.width() * kTwips, movie.stage.height() * kTwips) +
                          U16(movie.frameRate << 8) +
                          U16(static_cast<int>(movie.positions.size())) + tags;
  return QByteArray("FWS\x0A") + U32(static_cast<std::uint32_t>(body.size() + 8)) + body;
}
