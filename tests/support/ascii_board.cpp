#include "tests/support/ascii_board.h"

#include <stdexcept>

namespace go::testing {

std::vector<DiagramStone> ParseDiagram(const std::vector<std::string_view>& rows) {
    std::vector<DiagramStone> stones;
    for (size_t y = 0; y < rows.size(); ++y) {
        int x = 0;
        for (const char c : rows[y]) {
            if (c == ' ') continue;
            if (c == 'X' || c == 'O') {
                stones.push_back({x, static_cast<int>(y), c == 'X' ? kBlack : kWhite});
            } else if (c != '.' && c != '+') {
                throw std::invalid_argument(std::string("unknown diagram character '") + c + "'");
            }
            ++x;
        }
    }
    return stones;
}

}  // namespace go::testing
