#pragma once
// Little-endian fields: the byte order of the cards' frames, settings and display data
// and of the frame files. A writer takes any integer and keeps its low 8, 16 or 32
// bits, so a negative number goes out as its two's complement. A reader reads exactly
// 2 or 4 bytes at the pointer; its caller has checked that they lie within the buffer.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <vector>

template <std::integral T>
constexpr void WriteLe16(std::uint8_t* at, T value) {
  const auto bits = static_cast<std::uint16_t>(value);
  at[0] = static_cast<std::uint8_t>(bits);
  at[1] = static_cast<std::uint8_t>(bits >> 8);
}

template <std::integral T>
constexpr void WriteLe32(std::uint8_t* at, T value) {
  const auto bits = static_cast<std::uint32_t>(value);
  WriteLe16(at, bits);
  WriteLe16(at + 2, bits >> 16);
}

constexpr std::uint16_t ReadLe16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

constexpr std::uint32_t ReadLe32(const std::uint8_t* at) {
  return ReadLe16(at) | (static_cast<std::uint32_t>(ReadLe16(at + 2)) << 16);
}

// The same fields appended to a growing buffer.
template <std::integral T>
void AppendU8(std::vector<std::uint8_t>& out, T value) {
  out.push_back(static_cast<std::uint8_t>(value));
}

template <std::integral T>
void AppendLe16(std::vector<std::uint8_t>& out, T value) {
  const auto bits = static_cast<std::uint16_t>(value);
  AppendU8(out, bits);
  AppendU8(out, bits >> 8);
}

inline void AppendZeros(std::vector<std::uint8_t>& out, std::size_t count) {
  out.resize(out.size() + count);
}
