#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hall/server/table_server.h"

namespace hall {

// The game a table holds as a ".go" record with the players' names, and the same as SGF with
// `result` (UTF-8, empty when the game is not over).
std::vector<uint8_t> TableRecord(const TableServer& server);
std::string TableSgf(const TableServer& server, const std::string& result);

}  // namespace hall
