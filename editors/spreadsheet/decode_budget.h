#pragma once
// The memory one workbook read may spend on what it decodes (strings, formats, cell
// texts), charged as it goes.

#include <cstdint>

class DecodeBudget {
 public:
  explicit DecodeBudget(std::int64_t bytes) : left_(bytes) {}
  [[nodiscard]] bool Charge(std::int64_t bytes) {
    left_ -= bytes;
    return left_ >= 0;
  }

 private:
  std::int64_t left_;
};

// What one decoded string or format costs beside its characters.
inline constexpr std::int64_t kDecodedEntryBytes = 32;
