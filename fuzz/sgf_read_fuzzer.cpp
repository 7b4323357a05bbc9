// Arbitrary text into the SGF reader and the SGF loader. The reader never reads past the end, and
// whatever it reads, written again and read back, is the same game. The loader either says why
// not or gives a record (perhaps of no move) whose every move the rules accept and whose names fit their fields whole;
// that record, written as our SGF and loaded again, is the same record.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "record/game_record.h"
#include "record/record_replay.h"
#include "record/sgf.h"
#include "record/sgf_record.h"
#include "rules/game.h"

namespace {

void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

void CheckLoader(std::string_view text) {
    const go::RecordFromSgfResult loaded = go::RecordFromSgf(text);
    if (!loaded.ok) {
        if (loaded.message.empty()) Fail("a refusal without a reason", "");
        return;
    }
    if (loaded.moveBytes.size() % 3 != 0) Fail("moves of a loaded game", std::to_string(loaded.moveBytes.size()));
    const go::ParsedGameRecord saved = go::ParseGameRecord(go::EncodeGameRecord(loaded.header, loaded.moveBytes));
    if (!saved.ok() || !(saved.header == loaded.header)) Fail("a header that saving changes", loaded.header.names[0]);
    static go::Game board;
    if (!go::ReplayRecordOnBoard(board, loaded.header.rules, loaded.moveBytes)) Fail("a loaded move the rules refuse", "");

    if (loaded.moveBytes.empty()) return;  // the first move was refused: nothing to write
    const std::string ours = go::WriteSgf(go::SgfFromRecord(loaded.header, loaded.moveBytes, loaded.result));
    const go::RecordFromSgfResult again = go::RecordFromSgf(ours);
    if (!again.ok || !again.message.empty()) Fail("our own SGF of a loaded game", again.message + "\n" + ours);
    go::GameRecordHeader expected = loaded.header;
    expected.rules.komi = board.komi();  // a handicap game is written with the komi it plays with
    if (!(again.header == expected) || again.moveBytes != loaded.moveBytes || again.result != loaded.result) {
        Fail("a loaded game that our SGF changes", ours);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckLoader(text);
    const go::SgfReadResult read = go::ReadSgf(text);
    if (!read.ok) return 0;
    const go::SgfReadResult again = go::ReadSgf(go::WriteSgf(read.game));
    go::SgfGame expected = read.game;
    expected.charset = "UTF-8";
    if (!again.ok || !(again.game == expected)) Fail("a game read does not survive writing", again.error);
    return 0;
}
