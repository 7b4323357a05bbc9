#include "legacylink/scene_record.h"

#include <algorithm>

#include "match/match_snapshot.h"

namespace legacylink {

std::optional<std::span<const uint8_t>> SceneSnapshot(std::span<const uint8_t> record) {
    if (record.size() < 4) return std::nullopt;
    const uint32_t total = static_cast<uint32_t>(record[0]) | (static_cast<uint32_t>(record[1]) << 8) |
                           (static_cast<uint32_t>(record[2]) << 16) | (static_cast<uint32_t>(record[3]) << 24);
    if (total < 4 || total > record.size() || total - 4 < match::snapshot_layout::kHeadSize) return std::nullopt;
    return record.subspan(4, total - 4);
}

std::vector<uint8_t> EncodeScene(std::span<const uint8_t> snapshot) {
    std::vector<uint8_t> scene(4 + snapshot.size());
    const uint32_t total = static_cast<uint32_t>(scene.size());
    for (int i = 0; i < 4; ++i) scene[i] = static_cast<uint8_t>(total >> (8 * i));
    std::copy(snapshot.begin(), snapshot.end(), scene.begin() + 4);
    return scene;
}

}  // namespace legacylink
