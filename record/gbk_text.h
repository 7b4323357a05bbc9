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

}  // namespace go
