#pragma once
// The head every area block of the display data starts with, 14 bytes, little-endian:
// the layer (1), the block's length, head included (4), the kind's code on the card
// (1), then left, top, right and bottom, inclusive (2 each).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdk/program/program_set.h"

constexpr std::size_t kBlockLayerAt = 0;
constexpr std::size_t kBlockLengthAt = 1;
constexpr std::size_t kBlockKindAt = 5;
constexpr std::size_t kBlockRectAt = 6;
constexpr std::size_t kBlockHeadBytes = 14;

// The layer of every block but an image-text area's, which carries the caller's.
constexpr int kFixedBlockLayer = 1;

// Replaces block by the head of an area of kind at area on layer; its length stays 0
// until SetBlockLength or FinishBlock.
void StartBlock(std::vector<std::uint8_t>& block, AreaKind kind, const CardRect& area,
                int layer = kFixedBlockLayer);
// Writes length into the head of block.
void SetBlockLength(std::vector<std::uint8_t>& block, std::uint32_t length);
// Writes the block's own size into its head; returns it.
[[nodiscard]] int FinishBlock(std::vector<std::uint8_t>& block);
