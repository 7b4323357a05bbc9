#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace legacylink {

// The older hall's table scene: a 32-bit little-endian total length that counts its own four
// bytes, then the match snapshot. The snapshot's bytes, or nothing when the total is shorter than
// a snapshot head needs or longer than the bytes there are.
std::optional<std::span<const uint8_t>> SceneSnapshot(std::span<const uint8_t> record);
// The scene record the hall hands over for `snapshot`.
std::vector<uint8_t> EncodeScene(std::span<const uint8_t> snapshot);

}  // namespace legacylink
