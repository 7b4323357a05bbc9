// Arbitrary text into the SGF reader: it never reads past the end, and whatever it reads, written
// again and read back, is the same game.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "record/sgf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const go::SgfReadResult read = go::ReadSgf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.ok) return 0;
    const go::SgfReadResult again = go::ReadSgf(go::WriteSgf(read.game));
    if (!again.ok || !(again.game == read.game)) {
        std::fprintf(stderr, "a game read does not survive writing: %s\n", again.error.c_str());
        std::abort();
    }
    return 0;
}
