#include "hall/server/table_record.h"

#include "record/game_record.h"
#include "record/sgf.h"
#include "record/sgf_record.h"

namespace hall {
namespace {

go::GameRecordHeader Header(const TableServer& server) {
    go::GameRecordHeader header;
    header.rules = server.rules();
    const int black = server.blackSeat();
    for (int seat = 0; seat < 2; ++seat) {
        const int color = seat == black ? go::kBlack : go::kWhite;
        if (const std::optional<SeatUserInfo> user = server.Player(seat)) header.names[color] = user->name;
    }
    return header;
}

}  // namespace

std::vector<uint8_t> TableRecord(const TableServer& server) {
    return go::EncodeGameRecord(Header(server), server.game().SaveMoves());
}

std::string TableSgf(const TableServer& server, const std::string& result) {
    return go::WriteSgf(go::SgfFromRecord(Header(server), server.game().SaveMoves(), result));
}

}  // namespace hall
