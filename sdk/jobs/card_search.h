#pragma once
// The card search's reply parser, apart from its sockets.

#include <cstddef>
#include <cstdint>

#include "sdk/Corvanix.h"

// Turns one search reply into a record: false for a datagram that is no reply
// (shorter than 28 bytes or without the frame's first word). Otherwise record is
// zeroed and gets the read sections that arrived whole; the result word is not
// looked at, since every answering card is listed.
[[nodiscard]] bool ParseSearchReply(const std::uint8_t* reply, std::size_t length, LedSettingInfo& record);
