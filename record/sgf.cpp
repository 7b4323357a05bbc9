#include "record/sgf.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
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
        if (m_text.size() > kMaxSgfBytes) return Fail(SgfReadError::TooLarge, 0, "larger than 16 MB");
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;  // a byte-order mark some editors put first
        SkipSpace();
        if (!Eat('(')) return Fail(SgfReadError::NoGameTree, m_pos, "no game tree");
        m_frames.push_back({kMainLine, 0, 0});
        // The first game tree, token by token; it ends when its ')' closes the last open frame.
        while (!m_frames.empty() && m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (c == ';' || std::isupper(static_cast<unsigned char>(c))) {
                if (c == ';') ++m_pos;  // a node that lacks its ';' is read all the same
                if (!ReadNode()) return Failed();
            } else if (c == '(') {
                ++m_pos;
                OpenBranch();
            } else if (c == ')') {
                ++m_pos;
                CloseBranch();
            } else if (c == '[') {
                if (!ReadValue()) return Failed();  // a value without a property: passed over
            } else {
                ++m_pos;  // white space, or a stray character between nodes
            }
        }
        SgfReadResult result;
        result.ok = true;
        result.complete = m_frames.empty();
        Normalize();
        result.game = std::move(m_game);
        return result;
    }

private:
    static constexpr int32_t kMainLine = -1;
    static constexpr int32_t kIgnoredLine = -2;

    // One open '(' on the way from the root to the reading point.
    struct Frame {
        int32_t line;           // the line its moves go to: kMainLine or an index of m_game.variations
        uint32_t children;      // the branches opened inside it so far
        uint32_t branchLength;  // the line's length where its branches begin; meaningless before the first
    };

    SgfReadResult Fail(SgfReadError kind, size_t offset, std::string why) {
        SgfReadResult result;
        result.errorKind = kind;
        result.errorOffset = offset;
        result.error = std::move(why) + " (at byte " + std::to_string(offset) + ")";
        return result;
    }
    SgfReadResult Failed() { return Fail(m_errorKind, m_errorOffset, m_error); }
    bool Error(SgfReadError kind, size_t offset, std::string why) {
        m_errorKind = kind;
        m_errorOffset = offset;
        m_error = std::move(why);
        return false;
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
    int32_t CurrentLine() const { return m_ignoredDepth > 0 ? kIgnoredLine : m_frames.back().line; }
    std::vector<MoveRecord>& Moves(int32_t line) {
        return line == kMainLine ? m_game.moves : m_game.variations[static_cast<size_t>(line)].moves;
    }

    // The first branch goes on with its parent's line; a later branch of the main line starts a
    // variation where the branches begin; later branches of a variation are passed over, as is
    // everything inside them (counted, not stacked).
    void OpenBranch() {
        if (m_ignoredDepth > 0) {
            ++m_ignoredDepth;
            return;
        }
        Frame& parent = m_frames.back();
        const uint32_t order = parent.children++;
        if (order == 0) {
            parent.branchLength = static_cast<uint32_t>(Moves(parent.line).size());
            m_frames.push_back({parent.line, 0, 0});
        } else if (parent.line == kMainLine) {
            m_game.variations.push_back({parent.branchLength, {}});
            m_frames.push_back({static_cast<int32_t>(m_game.variations.size() - 1), 0, 0});
        } else {
            m_ignoredDepth = 1;
        }
    }
    void CloseBranch() {
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
        } else {
            m_frames.pop_back();
        }
    }

    // A branch that held no move is no variation; one that leaves after the main line's last move
    // (the main line's own first branch was empty) is the main line's continuation, as the writer
    // has it.
    void Normalize() {
        auto& variations = m_game.variations;
        std::erase_if(variations, [](const SgfGame::Variation& v) { return v.moves.empty(); });
        const auto last = std::find_if(variations.begin(), variations.end(),
                                       [&](const SgfGame::Variation& v) { return v.from == m_game.moves.size(); });
        if (last == variations.end()) return;
        m_game.moves.insert(m_game.moves.end(), last->moves.begin(), last->moves.end());
        variations.erase(last);
    }

    bool ReadNode() {
        const int32_t line = CurrentLine();
        for (;;) {
            SkipSpace();
            const size_t start = m_pos;
            std::string name;
            while (m_pos < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[m_pos]))) {
                // FF[3] names may carry lowercase letters, which do not count.
                if (std::isupper(static_cast<unsigned char>(m_text[m_pos]))) name += m_text[m_pos];
                ++m_pos;
            }
            if (m_pos == start) return true;  // the node ends
            SkipSpace();
            // Lowercase letters alone are no name but stray text; passed over between the nodes.
            if (name.empty() && (m_pos == m_text.size() || m_text[m_pos] != '[')) return true;
            bool any = false;
            while (m_pos < m_text.size() && m_text[m_pos] == '[') {
                const size_t valueStart = m_pos;
                std::optional<std::string> value = ReadValue();
                if (!value) return false;
                if (!Apply(line, name, *value, valueStart)) return false;
                any = true;
                SkipSpace();
            }
            if (!any) return Error(SgfReadError::PropertyWithoutValue, start, "property " + name + " without a value");
        }
    }
    std::optional<std::string> ReadValue() {
        const size_t start = m_pos++;  // '['
        std::string value;
        for (;;) {
            const size_t stop = m_text.find_first_of("]\\", m_pos);
            if (stop == std::string_view::npos || (m_text[stop] == '\\' && stop + 1 == m_text.size())) {
                Error(SgfReadError::UnterminatedValue, start, "an unterminated value");
                return std::nullopt;
            }
            value.append(m_text.substr(m_pos, stop - m_pos));
            m_pos = stop + 1;
            if (m_text[stop] == ']') return value;
            value += m_text[m_pos++];  // the escaped character
        }
    }
    static std::optional<BoardPoint> ParsePoint(std::string_view v) {
        if (v.size() != 2 || v[0] < 'a' || v[0] >= 'a' + kBoardSize || v[1] < 'a' || v[1] >= 'a' + kBoardSize) {
            return std::nullopt;
        }
        return BoardPoint{static_cast<uint8_t>(v[0] - 'a'), static_cast<uint8_t>(v[1] - 'a')};
    }
    // A point or a compressed rectangle "aa:cc" of a setup list.
    bool AddPoints(std::vector<BoardPoint>& to, const std::string& value, size_t at) {
        const size_t colon = value.find(':');
        const std::optional<BoardPoint> a = ParsePoint(std::string_view(value).substr(0, colon));
        const std::optional<BoardPoint> b = colon == std::string::npos ? a : ParsePoint(std::string_view(value).substr(colon + 1));
        if (!a || !b) return Error(SgfReadError::PointOffTheBoard, at, "a point off the board: " + value.substr(0, 8));
        for (int x = std::min(a->x, b->x); x <= std::max(a->x, b->x); ++x) {
            for (int y = std::min(a->y, b->y); y <= std::max(a->y, b->y); ++y) {
                to.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y)});
            }
        }
        return true;
    }
    // The leading whole number of a value, clamped to [lowest, highest]; 0 when there is none.
    static int NumberIn(const char* text, int lowest, int highest) {
        const long long n = std::strtoll(text, nullptr, 10);
        return static_cast<int>(std::clamp<long long>(n, lowest, highest));
    }
    static bool IsNineteen(const std::string& value) {
        const size_t colon = value.find(':');
        const auto side = [&](size_t from) { return NumberIn(value.c_str() + from, 0, 1000) == kBoardSize; };
        return side(0) && (colon == std::string::npos || side(colon + 1));
    }
    bool Apply(int32_t line, const std::string& name, const std::string& value, size_t at) {
        if (line == kIgnoredLine) return true;
        if (name == "B" || name == "W") {
            const StoneColor color = name == "B" ? kBlack : kWhite;
            if (value.empty() || value == "tt") {
                Moves(line).push_back({color, kNoCoord, kNoCoord});
                return true;
            }
            const std::optional<BoardPoint> p = ParsePoint(value);
            if (!p) return Error(SgfReadError::PointOffTheBoard, at, "a move off the board: " + value.substr(0, 8));
            Moves(line).push_back({color, p->x, p->y});
            return true;
        }
        if (line != kMainLine) return true;  // a variation keeps its moves only
        if (name == "SZ" && !IsNineteen(value)) {
            return Error(SgfReadError::NotNineteen, at, "not a 19 x 19 game: SZ[" + value.substr(0, 8) + "]");
        }
        if (name == "CA") m_game.charset = value;
        if (name == "KM") {
            const double points = std::strtod(value.c_str(), nullptr);
            // Within the board's komi range before rounding, so that nothing overflows.
            const double tenths = std::isfinite(points) ? std::clamp(points * 10, -1.0 * kMaxKomi, 1.0 * kMaxKomi) : 0.0;
            m_game.komiTenths = static_cast<int>(std::lround(tenths));
        }
        if (name == "HA") m_game.handicap = NumberIn(value.c_str(), 0, kPointCount);
        if (name == "AB") return AddPoints(m_game.blackSetup, value, at);
        if (name == "AW") return AddPoints(m_game.whiteSetup, value, at);
        if (name == "PB") m_game.names[kBlack] = value;
        if (name == "PW") m_game.names[kWhite] = value;
        if (name == "RE") m_game.result = value;
        if (name == "TM") m_game.mainTimeSeconds = NumberIn(value.c_str(), 0, INT32_MAX);
        if (name == "OT") m_game.overtime = value;
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    SgfGame m_game;
    // The open branches from the root to the reading point, outermost first; empty once the first
    // game tree is closed. Branches being passed over are not in it but counted by m_ignoredDepth.
    std::vector<Frame> m_frames;
    int64_t m_ignoredDepth = 0;
    SgfReadError m_errorKind = SgfReadError::None;
    size_t m_errorOffset = 0;
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
