#pragma once

// Positions written as small ASCII boards: rows from the top (y = 0), one character per column
// from x = 0, spaces ignored. 'X' black, 'O' white, '.' or '+' empty.

#include <string>
#include <string_view>
#include <vector>

#include "rules/board_types.h"

namespace go::testing {

struct DiagramStone {
    int x;
    int y;
    StoneColor color;
};

std::vector<DiagramStone> ParseDiagram(const std::vector<std::string_view>& rows);

// Puts the diagram's stones on `board` as setup stones (no captures, no move numbers).
template <class Board>
void SetUpDiagram(Board& board, const std::vector<std::string_view>& rows) {
    for (const DiagramStone& s : ParseDiagram(rows)) board.PlaceSetupStone(s.color, s.x, s.y);
}

// The top-left `width` x `height` corner of the board in the same notation (no spaces).
template <class Board>
std::vector<std::string> DrawDiagram(const Board& board, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const StoneColor c = board.GetCell(x, y).color;
            row += c == kBlack ? 'X' : c == kWhite ? 'O' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace go::testing
