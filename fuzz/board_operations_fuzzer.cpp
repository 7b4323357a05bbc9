// Any sequence of board operations, with any arguments, keeps every board invariant.

#include <cstdio>
#include <cstdlib>

#include "fuzz/board_operations.h"
#include "tests/support/board_parts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    go::testing::BoardParts board;
    while (in.remaining_bytes() > 0) {
        const go::fuzzing::Operation op = go::fuzzing::NextOperation(in);
        go::fuzzing::Apply(board, op);
        const std::string broken = board.game.position().CheckInvariants();
        if (!broken.empty()) {
            std::fprintf(stderr, "invariant broken after operation %d: %s\n", static_cast<int>(op.kind), broken.c_str());
            std::abort();
        }
    }
    return 0;
}
