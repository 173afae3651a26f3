#pragma once
// Window messages: the value types and the message numbers every window shares.

#include <cstdint>

// A window of the messaging layer, opaque to its users. It is an id that is never
// reused, so a stale handle names no window rather than a different one.
struct WindowHandleTag;
using HWND = WindowHandleTag*;

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;  // pointer-sized: records and handles travel in it
using LPARAM = std::intptr_t;   // signed: results such as -1000 survive the trip
using LRESULT = std::intptr_t;

constexpr UINT WM_COMMAND = 0x0111;  // wParam: low word command id, high word notify code
constexpr UINT WM_TIMER = 0x0113;    // wParam: the timer id given to SetTimer
constexpr UINT WM_USER = 0x0400;     // first number of the private messages

constexpr WPARAM MakeWParam(std::uint16_t low, std::uint16_t high) {
  return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
constexpr std::uint16_t LowWord(std::uintptr_t value) {
  return static_cast<std::uint16_t>(value & 0xFFFF);
}
constexpr std::uint16_t HighWord(std::uintptr_t value) {
  return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}
