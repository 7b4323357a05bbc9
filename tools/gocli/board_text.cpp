#include "tools/gocli/board_text.h"

#include <cctype>

namespace go {
namespace {

constexpr char kColumnLetters[] = "ABCDEFGHIJKLMNOPQRS";

bool IsStarPoint(int x, int y) { return (x == 3 || x == 9 || x == 15) && (y == 3 || y == 9 || y == 15); }

}  // namespace

std::string PointName(int x, int y) {
    if (x == kNoCoord && y == kNoCoord) return "pass";
    if (x < 0 || x >= kBoardSize || y < 0 || y >= kBoardSize) return "?";
    return std::string(1, kColumnLetters[x]) + std::to_string(y + 1);
}

bool ParsePointName(const std::string& text, int& x, int& y) {
    if (text == "pass") {
        x = y = kNoCoord;
        return true;
    }
    if (text.size() < 2 || text.size() > 3) return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'S') return false;
    int row = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        row = row * 10 + (text[i] - '0');
    }
    if (row < 1 || row > kBoardSize) return false;
    x = letter - 'A';
    y = row - 1;
    return true;
}

std::string BoardAsText(const Position& board) {
    MoveRecord last;
    const bool hasLast = board.GetLastMove(last);
    std::string text = "    ";
    for (int x = 0; x < kBoardSize; ++x) text += std::string(1, kColumnLetters[x]) + " ";
    text += "\n";
    for (int y = 0; y < kBoardSize; ++y) {
        std::string row = std::to_string(y + 1);
        text += std::string(3 - row.size(), ' ') + row;
        for (int x = 0; x < kBoardSize; ++x) {
            const BoardCell cell = board.GetCell(x, y);
            char c = IsStarPoint(x, y) ? '+' : '.';
            if (cell.color == kBlack) c = 'X';
            if (cell.color == kWhite) c = 'O';
            const bool isLast = hasLast && last.x == x && last.y == y;
            const bool afterLast = hasLast && last.x + 1 == x && last.y == y;
            text += isLast ? '(' : (afterLast ? ')' : ' ');
            text += c;
        }
        text += (hasLast && last.x == kBoardSize - 1 && last.y == y) ? ")" : " ";
        text += "\n";
    }
    return text;
}

}  // namespace go
