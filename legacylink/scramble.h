#pragma once

// The payload scramble of the older hall's link: what the legacy plug-in sends through
// CGameLink::SendCmd for its ready message and its error texts, and how the hall reads it back.
//
// Frame: 2 bytes of scramble state (little-endian) as it stood before the frame, then the
// payload with each 16-bit little-endian word XORed with the keystream. The keystream steps the
// state once per word before using it:
//
//     state = ((state * kScrambleMultiplier + kScrambleIncrement) mod 2^32) >> 16
//
// An odd payload scrambles one byte past its end, which is not sent; the state still takes that
// step. The receiver keeps its own copy of the state, starting where the hall set the link's.
//
// Plain C++, no Qt: used by the plug-in and by the stand-in hall alike.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace legacylink {

// The pair both sides must share: an odd multiplier below 2^18 and an increment below 2^22.
constexpr uint32_t kScrambleMultiplier = 0x2A3C5;
constexpr uint32_t kScrambleIncrement = 0x2D9E37;
static_assert(kScrambleMultiplier % 2 == 1 && kScrambleMultiplier < (1u << 18));
static_assert(kScrambleIncrement < (1u << 22));

// Commands at or above this never go through the link.
constexpr int kFirstRefusedCommand = 239;
// The frame is built in a 4096-byte buffer: two bytes of state and at most this much payload.
constexpr int kMaxScrambledPayload = 4094;

uint16_t NextScrambleState(uint16_t state);

// The frame for `payload` and the link's state after it (unchanged for an empty payload), or
// nothing for what the link refuses: a command of 239 or more, a negative length, a positive
// length without data, or more than kMaxScrambledPayload bytes.
struct ScrambledFrame {
    std::vector<uint8_t> bytes;  // length + 2
    uint16_t stateAfter = 0;
};
std::optional<ScrambledFrame> ScrambleFrame(uint16_t state, int command, const uint8_t* data, int length);

// The hall's side: the payload of `frame` when it carries the state `expected` the receiver
// holds, with `expected` advanced as the sender's was; nothing (and `expected` untouched) for a
// frame shorter than its state, longer than the link allows, or out of step.
std::optional<std::vector<uint8_t>> UnscrambleFrame(std::span<const uint8_t> frame, uint16_t& expected);

}  // namespace legacylink
