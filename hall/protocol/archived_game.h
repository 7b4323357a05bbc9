#pragma once

#include <cstdint>
#include <string>

namespace hall {

// One game of a server's archive as its log lists it and the lobby shows it.
struct ArchivedGameEntry {
    int64_t id = 0;
    uint32_t tableId = 0;
    std::string started;  // UTC, ISO 8601
    std::string ended;    // empty while it runs
    std::string black;    // GBK
    std::string white;
    std::string result;   // empty while it runs
    int moves = 0;
};

}  // namespace hall
