// Any bytes given as a ".go" file: parsed without reading out of bounds, replayed onto a board
// that stays consistent, counted and described as the view would (every score and text in
// range), and written back to a file that parses to the same record.

#include <cstdio>
#include <cstdlib>
#include <span>

#include "record/game_record.h"
#include "record/record_replay.h"
#include "rules/count.h"
#include "rules/game.h"
#include "rules/score_text.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool IsPrefix(const std::string& prefix, const std::string& whole) { return whole.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const go::ParsedGameRecord parsed = go::ParseGameRecord(std::span(data, size));
    if (!parsed.ok()) return 0;
    if (parsed.header.names[0].size() > go::kRecordNameMaxBytes) Fail("name longer than its field allows");

    go::Game board;
    go::ReplayRecordOnBoard(board, parsed.header.rules, parsed.moveBytes);
    if (!board.position().CheckInvariants().empty()) Fail(board.position().CheckInvariants().c_str());
    if (board.PlayedCount() > parsed.moveCount) Fail("replayed more moves than the file holds");

    // The count as the view shows it: the stones of every third move marked dead, each pass
    // costing its side a point.
    go::Count count;
    int passes[2] = {0, 0};
    for (size_t i = 0; i < board.moves().size(); ++i) {
        const go::MoveRecord& m = board.moves()[i];
        if (m.isPass()) ++passes[m.color & 1];
        if (i % 3 == 0) count.MarkDead(board.position(), m.x, m.y, go::RegionClicks::Off);
    }
    const int black = go::ScoreAfterPasses(count.Score(board, go::kBlack), passes[0]);
    const int white = go::ScoreAfterPasses(count.Score(board, go::kWhite), passes[1]);
    if (black < 0 || white < 0) Fail("a shown score below zero");
    if (go::CountAnnouncement(black, white).empty()) Fail("no count text");
    const go::GameRules& rules = parsed.header.rules;
    if (go::HandicapAndKomiText(rules).size() > 64 || go::ByoyomiText(rules).empty() || go::MainTimeText(rules).empty()) {
        Fail("a rules text out of shape");
    }
    if (!board.position().CheckInvariants().empty()) Fail(board.position().CheckInvariants().c_str());

    const std::vector<uint8_t> again = go::EncodeGameRecord(parsed.header, parsed.moveBytes);
    const go::ParsedGameRecord reparsed = go::ParseGameRecord(again);
    if (!reparsed.ok()) Fail("a written record does not parse");
    const go::GameRecordHeader& a = parsed.header;
    const go::GameRecordHeader& b = reparsed.header;
    if (a.localColor != b.localColor || a.faces != b.faces || !(a.rules == b.rules)) Fail("header changed on rewrite");
    if (!IsPrefix(b.names[0], a.names[0]) || !IsPrefix(b.names[1], a.names[1])) Fail("name changed on rewrite");
    if (!std::equal(parsed.moveBytes.begin(), parsed.moveBytes.end(), reparsed.moveBytes.begin(),
                    reparsed.moveBytes.end())) {
        Fail("moves changed on rewrite");
    }
    return 0;
}
