#include "hall/engine/gtp_vertex.h"

#include <algorithm>
#include <cctype>

#include "rules/board_types.h"

namespace hall {

namespace {

constexpr char kColumns[] = "ABCDEFGHJKLMNOPQRST";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string GtpVertex(int x, int y) { return kColumns[x] + std::to_string(go::kBoardSize - y); }

std::optional<GtpMove> ParseGtpMove(const std::string& raw) {
    const size_t first = raw.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const std::string text = Lower(raw.substr(first, raw.find_last_not_of(" \t") - first + 1));
    if (text == "pass") return GtpMove{GtpMove::Kind::Pass};
    if (text == "resign") return GtpMove{GtpMove::Kind::Resign};
    if (text.size() < 2 || text.size() > 3) return std::nullopt;
    const char* column = std::find(kColumns, kColumns + go::kBoardSize, static_cast<char>(std::toupper(text[0])));
    if (column == kColumns + go::kBoardSize) return std::nullopt;
    int row = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        row = row * 10 + (text[i] - '0');
    }
    if (text[1] == '0' || row < 1 || row > go::kBoardSize) return std::nullopt;
    return GtpMove{GtpMove::Kind::Point, static_cast<int>(column - kColumns), go::kBoardSize - row};
}

}  // namespace hall
