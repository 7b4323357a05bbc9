#include "stoneplay/link/scene_record.h"

#include "match/match_snapshot.h"

namespace stoneplay {

std::optional<std::span<const uint8_t>> SceneSnapshot(std::span<const uint8_t> record) {
    if (record.size() < 4) return std::nullopt;
    const uint32_t total = static_cast<uint32_t>(record[0]) | (static_cast<uint32_t>(record[1]) << 8) |
                           (static_cast<uint32_t>(record[2]) << 16) | (static_cast<uint32_t>(record[3]) << 24);
    if (total < 4 || total > record.size() || total - 4 < match::snapshot_layout::kHeadSize) return std::nullopt;
    return record.subspan(4, total - 4);
}

}  // namespace stoneplay
