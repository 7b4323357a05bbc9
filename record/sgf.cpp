#include "record/sgf.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

#include "rules/score_text.h"

namespace go {

namespace {

constexpr size_t kMaxSgfBytes = 16u << 20;

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ']' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string Point(int x, int y) { return {static_cast<char>('a' + x), static_cast<char>('a' + y)}; }

std::string Move(const MoveRecord& m) {
    return std::string(m.color == kBlack ? ";B[" : ";W[") + (m.isPass() ? "" : Point(m.x, m.y)) + "]";
}

// The main line from move `from` on, with every variation that leaves it there or later.
void WriteLine(const SgfGame& game, size_t from, const std::multimap<size_t, const SgfGame::Variation*>& branches,
               std::string& out) {
    for (size_t i = from; i <= game.moves.size(); ++i) {
        const auto [first, last] = branches.equal_range(i);
        if (first != last) {
            // The main line goes on as the first branch, each variation as another.
            if (i < game.moves.size()) {
                out += '(';
                WriteLine(game, i, std::multimap<size_t, const SgfGame::Variation*>(last, branches.end()), out);
                out += ')';
            }
            for (auto it = first; it != last; ++it) {
                out += '(';
                for (const MoveRecord& m : it->second->moves) out += Move(m);
                out += ')';
            }
            if (i < game.moves.size()) return;
            break;
        }
        if (i < game.moves.size()) out += Move(game.moves[i]);
    }
}

// ---- Reading ----

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    SgfReadResult Read() {
        SgfReadResult result;
        if (m_text.size() > kMaxSgfBytes) return Fail("larger than 16 MB");
        SkipSpace();
        if (!Eat('(')) return Fail("no game tree");
        for (;;) {
            SkipSpace();
            if (Eat(';')) {
                if (!ReadNode()) return Fail(m_error);
                continue;
            }
            // The first branch is the main line; whatever follows it is not read.
            if (Eat('(')) continue;
            break;
        }
        if (!m_sizeOk) return Fail("not a 19 x 19 game");
        result.ok = true;
        result.game = std::move(m_game);
        return result;
    }

private:
    SgfReadResult Fail(std::string why) {
        SgfReadResult result;
        result.error = std::move(why);
        return result;
    }
    void SkipSpace() {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos]))) ++m_pos;
    }
    bool Eat(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool ReadNode() {
        for (;;) {
            SkipSpace();
            std::string name;
            while (m_pos < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_pos]))) {
                // FF[3] names may carry lowercase letters, which do not count.
                if (std::isupper(static_cast<unsigned char>(m_text[m_pos]))) name += m_text[m_pos];
                ++m_pos;
            }
            if (name.empty()) return true;  // the node ends
            SkipSpace();
            bool any = false;
            while (m_pos < m_text.size() && m_text[m_pos] == '[') {
                std::optional<std::string> value = ReadValue();
                if (!value) return false;
                if (!Apply(name, *value)) return false;
                any = true;
                SkipSpace();
            }
            if (!any) return Error("property " + name + " without a value");
        }
    }
    std::optional<std::string> ReadValue() {
        ++m_pos;  // '['
        std::string value;
        while (m_pos < m_text.size() && m_text[m_pos] != ']') {
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size()) ++m_pos;
            value += m_text[m_pos++];
        }
        if (!Eat(']')) {
            Error("an unterminated value");
            return std::nullopt;
        }
        return value;
    }
    bool Error(std::string why) {
        m_error = std::move(why);
        return false;
    }
    static std::optional<BoardPoint> ParsePoint(std::string_view v) {
        if (v.size() != 2 || v[0] < 'a' || v[0] >= 'a' + kBoardSize || v[1] < 'a' || v[1] >= 'a' + kBoardSize) {
            return std::nullopt;
        }
        return BoardPoint{static_cast<uint8_t>(v[0] - 'a'), static_cast<uint8_t>(v[1] - 'a')};
    }
    // A point or a compressed rectangle "aa:cc" of a setup list.
    bool AddPoints(std::vector<BoardPoint>& to, const std::string& value) {
        const size_t colon = value.find(':');
        const std::optional<BoardPoint> a = ParsePoint(std::string_view(value).substr(0, colon));
        const std::optional<BoardPoint> b = colon == std::string::npos ? a : ParsePoint(std::string_view(value).substr(colon + 1));
        if (!a || !b) return Error("a point off the board: " + value.substr(0, 8));
        for (int x = std::min(a->x, b->x); x <= std::max(a->x, b->x); ++x) {
            for (int y = std::min(a->y, b->y); y <= std::max(a->y, b->y); ++y) {
                to.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
            }
        }
        return true;
    }
    bool Apply(const std::string& name, const std::string& value) {
        if (name == "B" || name == "W") {
            const uint8_t color = name == "B" ? kBlack : kWhite;
            if (value.empty() || value == "tt") {
                m_game.moves.push_back({color, kNoCoord, kNoCoord});
                return true;
            }
            const std::optional<BoardPoint> p = ParsePoint(value);
            if (!p) return Error("a move off the board: " + value.substr(0, 8));
            m_game.moves.push_back({color, p->x, p->y});
            return true;
        }
        if (name == "SZ") m_sizeOk = std::atoi(value.c_str()) == kBoardSize && value.find(':') == std::string::npos;
        if (name == "KM") {
            const double points = std::strtod(value.c_str(), nullptr);
            // Within the board's komi range before rounding, so that nothing overflows.
            const double tenths = std::isfinite(points) ? std::clamp(points * 10, -1.0 * kMaxKomi, 1.0 * kMaxKomi) : 0.0;
            m_game.komiTenths = static_cast<int>(std::lround(tenths));
        }
        if (name == "HA") m_game.handicap = std::clamp(std::atoi(value.c_str()), 0, kBoardSize * kBoardSize);
        if (name == "AB") return AddPoints(m_game.blackSetup, value);
        if (name == "AW") return AddPoints(m_game.whiteSetup, value);
        if (name == "PB") m_game.names[kBlack] = value;
        if (name == "PW") m_game.names[kWhite] = value;
        if (name == "RE") m_game.result = value;
        if (name == "TM") m_game.mainTimeSeconds = std::max(0, std::atoi(value.c_str()));
        if (name == "OT") m_game.overtime = value;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    SgfGame m_game;
    bool m_sizeOk = true;  // a game without SZ is 19 x 19
    std::string m_error;
};

}  // namespace

std::string WriteSgf(const SgfGame& game) {
    std::string out = "(;FF[4]CA[UTF-8]GM[1]AP[gohall:0.9]SZ[19]";
    out += "KM[" + FormatScore(game.komiTenths) + "]";
    if (game.handicap > 0) out += "HA[" + std::to_string(game.handicap) + "]";
    if (!game.blackSetup.empty()) {
        out += "AB";
        for (const BoardPoint& p : game.blackSetup) out += "[" + Point(p.x, p.y) + "]";
    }
    if (!game.whiteSetup.empty()) {
        out += "AW";
        for (const BoardPoint& p : game.whiteSetup) out += "[" + Point(p.x, p.y) + "]";
    }
    if (!game.names[kBlack].empty()) out += "PB[" + Escaped(game.names[kBlack]) + "]";
    if (!game.names[kWhite].empty()) out += "PW[" + Escaped(game.names[kWhite]) + "]";
    if (!game.result.empty()) out += "RE[" + Escaped(game.result) + "]";
    if (game.mainTimeSeconds >= 0) out += "TM[" + std::to_string(game.mainTimeSeconds) + "]";
    if (!game.overtime.empty()) out += "OT[" + Escaped(game.overtime) + "]";
    std::multimap<size_t, const SgfGame::Variation*> branches;
    for (const SgfGame::Variation& v : game.variations) branches.emplace(std::min(v.from, game.moves.size()), &v);
    WriteLine(game, 0, branches, out);
    out += ")\n";
    return out;
}

SgfReadResult ReadSgf(std::string_view text) { return Reader(text).Read(); }

}  // namespace go
