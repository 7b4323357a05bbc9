// The board and the plain reference transcription answer every operation alike and end in the
// same observable state.

#include <cstdio>
#include <cstdlib>

#include "fuzz/board_operations.h"
#include "tests/support/board_comparison.h"
#include "tests/support/board_parts.h"
#include "tests/support/reference_board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    go::testing::BoardParts board;
    go::testing::ReferenceBoard reference;
    int step = 0;
    while (in.remaining_bytes() > 0) {
        const go::fuzzing::Operation op = go::fuzzing::NextOperation(in);
        const long long answer = go::fuzzing::Apply(board, op);
        const long long expected = go::fuzzing::Apply(reference, op);
        std::string difference = go::testing::FirstDifference(board, reference);
        if (answer != expected) difference = "answers differ: " + std::to_string(answer) + " / " + std::to_string(expected);
        if (difference.empty()) difference = board.game.position().CheckInvariants();
        if (!difference.empty()) {
            std::fprintf(stderr, "step %d, operation %d: %s\n", step, static_cast<int>(op.kind), difference.c_str());
            std::abort();
        }
        ++step;
    }
    return 0;
}
