#pragma once
// Reads a frame file frame by frame into one reused picture. The preview's players
// and the SDK's display-data generator both read frame files through this class, so
// they accept and refuse the same files.

#include <QString>

#include <cstdint>
#include <functional>

#include "model/common/unique_fd.h"
#include "render/frame/pak_file.h"
#include "render/raster/dib24.h"

// Reads the header from the start of an open file into *header and checks it against
// the file's size now (CheckPakHeader); a file shorter than 24 bytes is Truncated.
[[nodiscard]] PakCheck ReadPakHeader(const UniqueFd& file, PakFileHeader* header);

// Works on a plain file descriptor with positioned reads: a page of a program is often
// a file of one frame, so the system calls per file are what generation costs.
class PakFrameReader {
 public:
  PakFrameReader() = default;
  PakFrameReader(const PakFrameReader&) = delete;
  PakFrameReader& operator=(const PakFrameReader&) = delete;

  // Opens the file for reading (OpenRegularFile). False when it cannot be opened or
  // is not a regular file.
  [[nodiscard]] bool Open(const QString& path);
  // Reads and checks the header as ReadPakHeader does (the size right after Open is
  // the one Open found). With firstBand the same read brings the start of the first
  // frame, which ReadNextFrameInBands then takes without reading again. On Ok the
  // next frame read is the first.
  [[nodiscard]] PakCheck ReadHeader(bool firstBand = false);

  const PakFileHeader& Header() const { return header_; }
  // Frames read so far since ReadHeader.
  int FramesRead() const { return framesRead_; }
  // Reads the next frame straight into Frame(). False after the last frame and before
  // an Ok ReadHeader (the picture is untouched), or when the file has been cut short
  // since the header was read (the picture's content is then undefined).
  [[nodiscard]] bool ReadNextFrame();
  // The frame last read by ReadNextFrame: a picture of the header's width and height.
  const Dib24& Frame() const { return frame_; }

  // Called with a band of whole rows of a frame: bits (rows Dib24::RowStride(width)
  // bytes apart), the index of its first row counted from the bottom of the picture
  // (rows are stored bottom row first) and its row count. Returns false to stop.
  using Band = std::function<bool(const std::uint8_t* bits, int firstRow, int rows)>;
  // Reads the next frame as ReadNextFrame does, but hands it to band a few rows at a
  // time (about kBandBytes each, at least one row) from one buffer that the calling
  // thread keeps for every reader, without touching Frame(): a frame that is only
  // converted costs no picture of its own. False as ReadNextFrame, or when band
  // returns false.
  [[nodiscard]] bool ReadNextFrameInBands(const Band& band);
  static constexpr std::int64_t kBandBytes = 64 * 1024;

 private:
  UniqueFd fd_;
  PakFileHeader header_;
  Dib24 frame_;
  bool headerOk_ = false;
  int framesRead_ = 0;
  std::int64_t openedSize_ = -1;  // the size Open found, until ReadHeader takes it
  // The first readAhead_ bytes of the file, read with the header, are in the thread's
  // band buffer while its stamp is readAheadStamp_.
  std::int64_t readAhead_ = 0;
  std::uint64_t readAheadStamp_ = 0;
};
