#pragma once

#include <cstdint>
#include <optional>

namespace go {

constexpr int kBoardSize = 19;
constexpr int kPointCount = kBoardSize * kBoardSize;

// A stone colour as one byte: 0 black, 1 white, 255 empty, as records and the wire carry it. An
// integer becomes a colour only through PlayerColorFrom or StoneColorFrom, which refuse other
// values instead of letting a cast wrap 256 to black. Every byte is a valid value of the type, so a
// record read as bytes may hold others; functions taking a colour refuse those.
enum StoneColor : uint8_t { kBlack = 0, kWhite = 1, kEmpty = 255 };

constexpr bool IsPlayerColor(int color) { return color == kBlack || color == kWhite; }

// White for black and black for white; any other value stays as it is.
constexpr StoneColor Opponent(StoneColor color) {
    return color == kBlack ? kWhite : color == kWhite ? kBlack : color;
}

// Black or white from a number read at an edge (a message, a file, a plug-in call); nothing for
// any other number.
constexpr std::optional<StoneColor> PlayerColorFrom(int value) {
    if (!IsPlayerColor(value)) return std::nullopt;
    return static_cast<StoneColor>(value);
}
// As PlayerColorFrom, with empty (255) accepted too.
constexpr std::optional<StoneColor> StoneColorFrom(int value) {
    if (value == kEmpty) return kEmpty;
    return PlayerColorFrom(value);
}

// Komi in tenths of a point never exceeds the whole board (361 points) either way: beyond that it
// means nothing, and clamping keeps every score in range whatever a record or a peer claims.
constexpr int kMaxKomi = kPointCount * 10;
constexpr int ClampKomi(int komi) { return komi < -kMaxKomi ? -kMaxKomi : komi > kMaxKomi ? kMaxKomi : komi; }

// (255, 255) is "no point"; as a move it is a pass.
constexpr uint8_t kNoCoord = 255;

struct BoardPoint {
    uint8_t x = kNoCoord;  // column, 0 at the left (drawn A..S)
    uint8_t y = kNoCoord;  // row, 0 at the top (drawn 1..19)
    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
};

// One move as it is listed, saved and sent: colour, column, row. A pass is (colour, 255, 255).
struct MoveRecord {
    StoneColor color = kEmpty;
    uint8_t x = kNoCoord;
    uint8_t y = kNoCoord;
    bool isPass() const { return x == kNoCoord && y == kNoCoord; }
    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};
static_assert(sizeof(MoveRecord) == 3);

// Chains and regions list their points packed: x in the low byte, y in the high byte.
constexpr uint16_t PackPoint(int x, int y) { return static_cast<uint16_t>(x | (y << 8)); }
constexpr int PackedX(uint16_t packed) { return packed & 0xFF; }
constexpr int PackedY(uint16_t packed) { return packed >> 8; }

// Values of BoardCell::mark.
constexpr uint8_t kMarkNone = 0;
constexpr uint8_t kMarkDead = 1;      // the stone is marked dead for the count
constexpr uint8_t kMarkCaptured = 4;  // a stone was captured here and nothing was played since

constexpr uint16_t kNoGroup = 0xFFFF;
constexpr uint16_t kOffBoardGroup = 361;  // what GetCell reports off the board

struct BoardCell {
    StoneColor color = kEmpty;
    uint16_t group = kNoGroup;  // chain slot of the stone in its colour's table; kNoGroup when empty
    uint8_t mark = kMarkNone;
    int16_t moveNumber = 0;  // 1 for the first stone played, -1 for setup stones; 0 when empty
    friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

// Values of CountCell::owner.
constexpr uint8_t kOwnerBlack = 0;
constexpr uint8_t kOwnerWhite = 1;
constexpr uint8_t kOwnerNeutral = 2;
constexpr uint8_t kOwnerNone = 255;

constexpr uint16_t kNoRegion = 0xFFFF;

// The position as counted: dead stones read as empty, empty points carry their region and owner.
struct CountCell {
    StoneColor color = kEmpty;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t owner = kOwnerNone;
    uint16_t region = kNoRegion;
    friend bool operator==(const CountCell&, const CountCell&) = default;
};
static_assert(sizeof(CountCell) == 6);

// Whether MarkDead on an empty point clicks that point's region (the study window) or does nothing
// (the match view).
enum class RegionClicks { Off, On };

}  // namespace go
