// Any bytes given as a ".go" file: parsed without reading out of bounds, replayed onto a board
// that stays consistent, and written back to a file that parses to the same record.

#include <cstdio>
#include <cstdlib>
#include <span>

#include "record/game_record.h"
#include "record/record_replay.h"
#include "rules/go_board.h"

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

    go::GoBoard board;
    go::ReplayRecordOnBoard(board, parsed.header.rules, parsed.moveBytes);
    if (!board.CheckInvariants().empty()) Fail(board.CheckInvariants().c_str());
    if (board.PlayedCount() > parsed.moveCount) Fail("replayed more moves than the file holds");

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
