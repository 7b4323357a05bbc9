// The server's and the remote hall's decoders of the wire: any bytes either decode to a message
// whose encoding is exactly those bytes, or are refused; nothing is ever read past the end.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "hall/protocol/wire_messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (const auto client = hall::wire::DecodeClientMessage(bytes)) {
        const std::vector<uint8_t> again = hall::wire::Encode(*client);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
    if (const auto server = hall::wire::DecodeServerMessage(bytes)) {
        const std::vector<uint8_t> again = hall::wire::Encode(*server);
        if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
    return 0;
}
