#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace go {

// The length of the longest prefix of GBK `bytes` of at most `maxBytes` bytes that ends on a
// character boundary: lead bytes 0x81..0xFE take one trail byte, and a lead byte whose trail is
// missing is left out.
inline size_t GbkPrefixLength(std::string_view bytes, size_t maxBytes) {
    size_t length = 0;
    while (length < bytes.size()) {
        const size_t step = static_cast<uint8_t>(bytes[length]) >= 0x81 ? 2 : 1;
        if (length + step > maxBytes || length + step > bytes.size()) break;
        length += step;
    }
    return length;
}

// Whether GBK `text` holds `part` starting on a character boundary: a match that starts on a
// trail byte, across two characters' bytes, does not count.
inline bool GbkContains(std::string_view text, std::string_view part) {
    for (size_t at = 0; at + part.size() <= text.size();) {
        if (text.substr(at, part.size()) == part) return true;
        at += static_cast<uint8_t>(text[at]) >= 0x81 ? 2 : 1;
    }
    return false;
}

}  // namespace go
