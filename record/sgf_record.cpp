#include "record/sgf_record.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "record/gbk_text.h"
#include "record/record_replay.h"
#include "record/text_encoding.h"
#include "rules/game.h"
#include "rules/handicap.h"

namespace go {
namespace {

std::string Printed(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

bool SamePoints(std::vector<BoardPoint> a, std::span<const BoardPoint> b) {
    const auto byPosition = [](const BoardPoint& p, const BoardPoint& q) { return p.x != q.x ? p.x < q.x : p.y < q.y; };
    std::vector<BoardPoint> sortedB(b.begin(), b.end());
    std::sort(a.begin(), a.end(), byPosition);
    std::sort(sortedB.begin(), sortedB.end(), byPosition);
    return a == sortedB;
}

// The handicap whose stones are exactly the black setup, when there is no white setup.
std::optional<int> HandicapOfSetup(const SgfGame& game) {
    if (!game.whiteSetup.empty()) return std::nullopt;
    if (game.blackSetup.empty()) return 0;
    std::vector<BoardPoint> stones = game.blackSetup;
    std::sort(stones.begin(), stones.end(), [](const BoardPoint& p, const BoardPoint& q) {
        return p.x != q.x ? p.x < q.x : p.y < q.y;
    });
    stones.erase(std::unique(stones.begin(), stones.end()), stones.end());
    const int count = static_cast<int>(stones.size());
    const std::optional<HandicapLayout> layout = LookUpHandicap(count);
    if (!layout || static_cast<int>(layout->stones.size()) != count || !SamePoints(stones, layout->stones)) {
        return std::nullopt;
    }
    return count;
}

// "3x30 byo-yomi" (or with '×'): periods and seconds of each.
std::optional<std::pair<int, int>> ParseByoyomi(const std::string& text) {
    const char* p = text.c_str();
    char* end = nullptr;
    const long periods = std::strtol(p, &end, 10);
    if (end == p) return std::nullopt;
    p = end;
    if (*p == 'x' || *p == 'X') {
        ++p;
    } else if (std::string_view(p).starts_with("×")) {
        p += std::string_view("×").size();
    } else {
        return std::nullopt;
    }
    const long seconds = std::strtol(p, &end, 10);
    if (end == p) return std::nullopt;
    const std::string_view rest(end);
    if (!rest.empty() && rest.find("byo") == std::string_view::npos) return std::nullopt;  // Canadian and others
    if (periods <= 0 || periods > 100 || seconds <= 0 || seconds > 3600) return std::nullopt;
    return std::pair{static_cast<int>(periods), static_cast<int>(seconds)};
}

// A name for the record's field: GBK, no control characters (a zero would end it early), and cut
// whole characters short of the field's end.
std::string RecordName(const std::string& raw, const std::string& charset) {
    std::string gbk = Utf8ToGbk(DecodeToUtf8(raw, charset));
    for (char& c : gbk) {
        if (static_cast<uint8_t>(c) < 0x20) c = ' ';
    }
    gbk.resize(GbkPrefixLength(gbk, kRecordNameMaxBytes));
    return gbk;
}

std::string ReadErrorReason(const SgfReadResult& read) {
    const size_t at = read.errorOffset + 1;
    switch (read.errorKind) {
        case SgfReadError::TooLarge: return "文件超过16MB。";
        case SgfReadError::NoGameTree: return "找不到棋局，SGF文件应以“(;”开始。";
        case SgfReadError::UnterminatedValue: return Printed("第%zu字节开始的属性值没有结尾的“]”。", at);
        case SgfReadError::PropertyWithoutValue: return Printed("第%zu字节的属性没有值。", at);
        case SgfReadError::PointOffTheBoard: return Printed("第%zu字节的着手或摆子不在棋盘上。", at);
        case SgfReadError::NotNineteen:
        case SgfReadError::None: break;
    }
    return read.error;
}

RecordFromSgfResult Refused(std::string message) {
    RecordFromSgfResult result;
    result.message = std::move(message);
    return result;
}

}  // namespace

SgfGame SgfFromRecord(const GameRecordHeader& header, std::span<const uint8_t> moveBytes, std::string result) {
    const GameRules& rules = header.rules;
    SgfGame game;
    game.charset = "UTF-8";
    Game replay;
    replay.Restart(rules.handicap, rules.komi);
    // What the game was counted with: a handicap of one stone or more plays without komi.
    game.komiTenths = replay.komi();
    if (const std::optional<HandicapLayout> layout = LookUpHandicap(rules.handicap); layout && !layout->stones.empty()) {
        game.handicap = rules.handicap;
        game.blackSetup.assign(layout->stones.begin(), layout->stones.end());
    }
    if (rules.mainTime >= 0 && rules.mainTime < kUnlimitedMainTime) game.mainTimeSeconds = rules.mainTime;
    if (rules.byoyomiCount > 0 && rules.byoyomiSeconds > 0) {
        game.overtime = std::to_string(rules.byoyomiCount) + "x" + std::to_string(rules.byoyomiSeconds) + " byo-yomi";
    }
    for (int color = 0; color < 2; ++color) game.names[color] = GbkToUtf8(header.names[color]);
    game.result = std::move(result);
    game.moves = WholeMoves(moveBytes);
    replay.Replay(game.moves);
    game.moves.resize(replay.moves().size());
    return game;
}

void AddVariation(SgfGame& game, std::span<const MoveRecord> line) {
    const std::vector<MoveRecord>& main = game.moves;
    size_t from = 0;
    while (from < line.size() && from < main.size() && line[from] == main[from]) ++from;
    if (from == line.size()) return;
    const std::span<const MoveRecord> rest = line.subspan(from);
    for (SgfGame::Variation& v : game.variations) {
        if (v.from != from) continue;
        const size_t common = std::min(v.moves.size(), rest.size());
        if (!std::equal(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(common), v.moves.begin())) continue;
        if (rest.size() > v.moves.size()) v.moves.assign(rest.begin(), rest.end());
        return;
    }
    game.variations.push_back({from, std::vector<MoveRecord>(rest.begin(), rest.end())});
}

RecordFromSgfResult RecordFromSgf(std::string_view text) {
    const SgfReadResult read = ReadSgf(text);
    if (!read.ok && read.errorKind == SgfReadError::NotNineteen) return Refused("不是19路的棋谱，不能载入。");
    if (!read.ok) return Refused("SGF棋谱格式错误：" + ReadErrorReason(read));
    const SgfGame& game = read.game;
    if (game.moves.empty()) return Refused("棋谱里没有着手。");

    RecordFromSgfResult loaded;
    loaded.ok = true;
    std::vector<std::string> notices;
    GameRecordHeader& header = loaded.header;
    header.faces = {-1, -1};  // no face pictures
    for (int color = 0; color < 2; ++color) header.names[color] = RecordName(game.names[color], game.charset);
    GameRules& rules = header.rules;
    rules.komi = ClampKomi(game.komiTenths);
    rules.mainTime = game.mainTimeSeconds >= 0 ? std::min(game.mainTimeSeconds, kUnlimitedMainTime) : kUnlimitedMainTime;
    if (const auto byoyomi = ParseByoyomi(game.overtime)) {
        rules.byoyomiCount = byoyomi->first;
        rules.byoyomiSeconds = byoyomi->second;
    }
    const std::optional<int> handicap = HandicapOfSetup(game);
    rules.handicap = handicap.value_or(0);
    if (!handicap) {
        notices.push_back(Printed("棋谱开始时摆有棋子（黑%zu子、白%zu子），本棋谱格式不能保存，只载入了着手。",
                                  game.blackSetup.size(), game.whiteSetup.size()));
    }
    loaded.result = DecodeToUtf8(game.result, game.charset);

    Game replay;
    replay.Restart(rules.handicap, rules.komi);
    replay.Replay(game.moves);
    const size_t kept = replay.moves().size();
    if (kept < game.moves.size()) notices.push_back(ReplayCutNotice(static_cast<int>(kept)));
    else if (!read.complete) notices.push_back("棋谱文件不完整，载入了它中断之前的着手。");
    loaded.moveBytes.reserve(3 * kept);
    for (size_t i = 0; i < kept; ++i) {
        const MoveRecord& m = game.moves[i];
        loaded.moveBytes.insert(loaded.moveBytes.end(), {m.color, m.x, m.y});
    }
    for (const std::string& notice : notices) loaded.message += (loaded.message.empty() ? "" : "\n") + notice;
    return loaded;
}

}  // namespace go
