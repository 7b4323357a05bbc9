// Any bytes as the older hall's scene record: its total length is held to the bytes there, and
// the snapshot it names parses without reading outside them.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "legacylink/scene_record.h"
#include "match/match_snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly this size, so that a read past it is caught.
    const std::vector<uint8_t> record(data, data + size);
    const auto snapshot = legacylink::SceneSnapshot(record);
    if (!snapshot) return 0;
    if (snapshot->data() != record.data() + 4 || snapshot->size() + 4 > record.size()) {
        std::fprintf(stderr, "a scene's snapshot outside its record\n");
        std::abort();
    }
    (void)match::ParseSnapshot(*snapshot);
    return 0;
}
