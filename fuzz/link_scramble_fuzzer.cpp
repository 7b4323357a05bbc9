// The scramble pair of the older hall's link: any state, command and payload either is refused
// or comes back whole through the receiver's side in step; any bytes given to the receiver as a
// frame are taken or refused without reading outside them; chat lines of any text stay one span.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "legacylink/scramble.h"
#include "stoneplay/link/chat_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint16_t state = static_cast<uint16_t>(data[0] | (data[1] << 8));
    const int command = data[2];
    const std::vector<uint8_t> payload(data + 3, data + size);
    const auto frame = legacylink::ScrambleFrame(state, command, payload.data(), static_cast<int>(payload.size()));
    if (frame) {
        uint16_t receiver = state;
        const auto back = legacylink::UnscrambleFrame(frame->bytes, receiver);
        if (!back || *back != payload || receiver != frame->stateAfter) {
            std::fprintf(stderr, "a frame did not come back\n");
            std::abort();
        }
    } else if (command < legacylink::kFirstRefusedCommand && payload.size() <= legacylink::kMaxScrambledPayload) {
        std::fprintf(stderr, "a frame the link carries was refused\n");
        std::abort();
    }
    uint16_t expected = state;
    (void)legacylink::UnscrambleFrame(std::span(data, size), expected);

    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string line = stoneplay::SystemTextLine(text, data[2] % 20, data[1]);
    if (!line.empty() && (line.rfind("<span ", 0) != 0 || line.find('<', 1) != line.size() - 7)) {
        std::fprintf(stderr, "markup got into a line: %s\n", line.c_str());
        std::abort();
    }
    return 0;
}
