#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace go {

// Little-endian field access for packed records; callers check the span's length first.
inline int32_t ReadInt32LE(std::span<const uint8_t> bytes, size_t offset) {
    const uint32_t v = static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
                       (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
                       (static_cast<uint32_t>(bytes[offset + 3]) << 24);
    return static_cast<int32_t>(v);
}

inline void WriteInt32LE(std::span<uint8_t> bytes, size_t offset, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    bytes[offset] = static_cast<uint8_t>(v);
    bytes[offset + 1] = static_cast<uint8_t>(v >> 8);
    bytes[offset + 2] = static_cast<uint8_t>(v >> 16);
    bytes[offset + 3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace go
