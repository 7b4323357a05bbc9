#include "legacylink/scramble.h"

#include <cstring>

namespace legacylink {
namespace {

// XORs every 16-bit little-endian word of `bytes` with the keystream from `state`, the last odd
// byte with the low half of its word; answers the state after the last step.
uint16_t Apply(uint16_t state, uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; i += 2) {
        state = NextScrambleState(state);
        bytes[i] ^= static_cast<uint8_t>(state & 0xFF);
        if (i + 1 < length) bytes[i + 1] ^= static_cast<uint8_t>(state >> 8);
    }
    return state;
}

}  // namespace

uint16_t NextScrambleState(uint16_t state) {
    return static_cast<uint16_t>((static_cast<uint32_t>(state) * kScrambleMultiplier + kScrambleIncrement) >> 16);
}

std::optional<ScrambledFrame> ScrambleFrame(uint16_t state, int command, const uint8_t* data, int length) {
    if (command >= kFirstRefusedCommand || length < 0 || (length > 0 && data == nullptr) ||
        length > kMaxScrambledPayload) {
        return std::nullopt;
    }
    ScrambledFrame frame;
    frame.bytes.resize(static_cast<size_t>(length) + 2);
    frame.bytes[0] = static_cast<uint8_t>(state & 0xFF);
    frame.bytes[1] = static_cast<uint8_t>(state >> 8);
    if (length > 0) std::memcpy(frame.bytes.data() + 2, data, static_cast<size_t>(length));
    frame.stateAfter = Apply(state, frame.bytes.data() + 2, static_cast<size_t>(length));
    return frame;
}

std::optional<std::vector<uint8_t>> UnscrambleFrame(std::span<const uint8_t> frame, uint16_t& expected) {
    if (frame.size() < 2 || frame.size() > static_cast<size_t>(kMaxScrambledPayload) + 2) return std::nullopt;
    const uint16_t state = static_cast<uint16_t>(frame[0] | (frame[1] << 8));
    if (state != expected) return std::nullopt;
    std::vector<uint8_t> payload(frame.begin() + 2, frame.end());
    expected = Apply(state, payload.data(), payload.size());
    return payload;
}

}  // namespace legacylink
