// Any bytes as the hall's snapshot, for a view in any seat at a table in any status: applied
// without reading out of bounds, leaving a consistent board; a snapshot that parses is written
// back to the same snapshot.

#include <cstdio>
#include <cstdlib>
#include <span>

#include "fuzz/fuzz_table.h"
#include "match/match_controller.h"
#include "match/match_snapshot.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    match::fuzzing::FuzzTable table;
    table.Choose(data[0]);
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    go::Game board;
    go::Count count;
    match::MatchController controller(board, count, table, match::ViewProfile::Current());
    controller.OnSnapshot(bytes);
    if (!board.position().CheckInvariants().empty()) Fail(board.position().CheckInvariants().c_str());
    // Twice, as the hall may send the same snapshot again.
    controller.OnSnapshot(bytes);
    controller.OnClockTick();
    controller.SeatClock(true);
    controller.SeatClock(false);
    controller.DisplayedScores();
    if (!board.position().CheckInvariants().empty()) Fail(board.position().CheckInvariants().c_str());

    const match::ParsedSnapshot parsed = match::ParseSnapshot(bytes);
    if (parsed.ok()) {
        const match::ParsedSnapshot again = match::ParseSnapshot(match::EncodeSnapshot(parsed.snapshot));
        if (!again.ok() || !(again.snapshot == parsed.snapshot)) Fail("a snapshot changed on rewrite");
    }
    return 0;
}
