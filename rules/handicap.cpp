#include "rules/handicap.h"

#include <array>

namespace go {
namespace {

constexpr std::array<BoardPoint, 2> kTwo{{{3, 15}, {15, 3}}};
constexpr std::array<BoardPoint, 3> kThree{{{3, 3}, {3, 15}, {15, 3}}};
constexpr std::array<BoardPoint, 4> kFour{{{3, 3}, {3, 15}, {15, 3}, {15, 15}}};
constexpr std::array<BoardPoint, 5> kFive{{{3, 3}, {3, 15}, {15, 3}, {15, 15}, {9, 9}}};
constexpr std::array<BoardPoint, 6> kSix{{{3, 3}, {3, 15}, {15, 3}, {15, 15}, {3, 9}, {15, 9}}};
constexpr std::array<BoardPoint, 7> kSeven{
    {{3, 3}, {9, 3}, {15, 3}, {9, 9}, {3, 15}, {9, 15}, {15, 15}}};
constexpr std::array<BoardPoint, 8> kEight{
    {{3, 3}, {9, 3}, {15, 3}, {3, 9}, {15, 9}, {3, 15}, {9, 15}, {15, 15}}};
constexpr std::array<BoardPoint, 9> kNine{
    {{3, 3}, {9, 3}, {15, 3}, {3, 9}, {9, 9}, {15, 9}, {3, 15}, {9, 15}, {15, 15}}};
constexpr std::array<BoardPoint, 13> kThirteen{{{3, 3},
                                                {9, 3},
                                                {15, 3},
                                                {3, 9},
                                                {9, 9},
                                                {15, 9},
                                                {3, 15},
                                                {9, 15},
                                                {15, 15},
                                                {6, 6},
                                                {6, 12},
                                                {12, 6},
                                                {12, 12}}};

// The 5 x 5 grid of the 3-, 6-, 9-, 12- and 15-lines, x outer and y inner, both ascending.
constexpr std::array<BoardPoint, 25> MakeTwentyFive() {
    std::array<BoardPoint, 25> points{};
    int i = 0;
    for (int x = 3; x <= 15; x += 3) {
        for (int y = 3; y <= 15; y += 3) {
            points[i++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
        }
    }
    return points;
}
constexpr std::array<BoardPoint, 25> kTwentyFive = MakeTwentyFive();

constexpr HandicapLayout Stones(std::span<const BoardPoint> stones) {
    return HandicapLayout{stones, true, kWhite};
}

}  // namespace

std::optional<HandicapLayout> LookUpHandicap(int type) {
    switch (type) {
        case 0: return HandicapLayout{{}, false, kBlack};
        case 1: return HandicapLayout{{}, true, kBlack};
        case 2: return Stones(kTwo);
        case 3: return Stones(kThree);
        case 4: return Stones(kFour);
        case 5: return Stones(kFive);
        case 6: return Stones(kSix);
        case 7: return Stones(kSeven);
        case 8: return Stones(kEight);
        case 9: return Stones(kNine);
        case 13: return Stones(kThirteen);
        case 25: return Stones(kTwentyFive);
        default: return std::nullopt;
    }
}

}  // namespace go
