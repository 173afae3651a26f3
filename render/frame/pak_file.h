#pragma once
// The frame file (".pak"): the rendered frames of one area content, handed from
// the renderers to the preview and the SDK. Layout: a 24-byte header of six 32-bit
// little-endian fields, then FrameCount frames back to back, nothing after them. A
// frame is a Dib24 pixel buffer of Width x Height (bottom row first, blue, green, red,
// rows padded to 4 bytes).

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// Bytes FD FC FB FA at the start of every frame file.
constexpr std::uint32_t kPakMagic = 0xFAFBFCFD;
constexpr int kPakHeaderSize = 24;

struct PakFileHeader {
  std::uint32_t Magic = kPakMagic;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  // The background the content was rendered on, 0x00BBGGRR; 0xFFFFFFFF from the
  // flash-content recorder.
  std::uint32_t BackColor = 0;
  std::int32_t FrameCount = 0;
  // How much of the last frame carries content: the used width of a scrolling strip,
  // the height for vertically moving pages, the width otherwise, 0 for flash frames.
  std::int32_t LastExtent = 0;

  friend bool operator==(const PakFileHeader&, const PakFileHeader&) = default;
};
static_assert(sizeof(PakFileHeader) == kPakHeaderSize);
static_assert(offsetof(PakFileHeader, BackColor) == 12);
static_assert(offsetof(PakFileHeader, LastExtent) == 20);

using PakHeaderBytes = std::array<std::uint8_t, kPakHeaderSize>;

// The header's bytes as the file holds them, field by field in little-endian order.
PakHeaderBytes EncodePakHeader(const PakFileHeader& header);
PakFileHeader DecodePakHeader(const PakHeaderBytes& bytes);

// What a header says about its file.
enum class PakCheck {
  Ok,
  BadMagic,   // not a frame file
  BadSize,    // Width or Height outside what a picture may have (Dib24::IsValidSize)
  NoFrames,   // FrameCount 0 or negative: a writer that never finished
  Truncated,  // the file is shorter than the header and its frames
};

// Checks the header against the size of its file, in 64-bit arithmetic, before
// anything is allocated from its values. Frames beyond FrameCount are ignored.
[[nodiscard]] PakCheck CheckPakHeader(const PakFileHeader& header, std::int64_t fileSize);

// Bytes of one frame of the header's size (Dib24::PictureBytes).
std::int64_t PakFrameBytes(const PakFileHeader& header);

// GetAppDir() + "Temp/" + name + ".pak", the frame file of the content whose GUID
// text is name; empty when name is not a GUID text, so that no other file is named.
QString PakFramePath(const QString& name);
