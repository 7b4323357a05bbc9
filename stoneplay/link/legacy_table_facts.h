#pragma once

#include <string>

#include "abi/legacy_game.h"
#include "match/table_facts.h"

namespace stoneplay {

// A seat player's nickname as UTF-8: the 32 bytes it fills, read no further than the buffer and
// cut on a whole GBK character within 31 bytes. Empty when it gives none.
std::string NicknameOf(SeatPlayer* player);

// The match's reading of the older hall's table: the table channel the hall handed over, its
// local user and its seat list, with the older hall's numbers turned into the match's — table
// states 3, 5 and 7 are before a game, in a game and the referee's state, and a seat user's
// state 4 is ready. Names come as GBK and are read as UTF-8. Every call tolerates a missing
// object or entry.
class LegacyTableFacts : public match::TableFacts {
public:
    // Keeps the channel and asks it for its seat list at once, as the older hall expects.
    void Attach(TableChannel* channel);
    TableChannel* Channel() const { return m_channel; }
    LocalUser* User() const;

    bool HasTable() const override { return User() != nullptr; }
    // The older hall hands its table over; there is nothing to fetch.
    bool FetchTable() override { return HasTable(); }
    std::optional<int> MyChair() const override;
    int Status() const override;
    int Rights() const override;
    bool IsPlayer() const override;
    // The older hall has no mode that exempts the exit warning.
    int HallMode() const override { return 0; }
    std::optional<match::SeatUserFacts> SeatUser(int seat) const override;
    // A relayed command's seat byte names a seat of the seat list.
    std::optional<match::SeatUserFacts> ChairUser(int chair) const override { return SeatUser(chair); }

    // The older hall's table state as the match numbers it; -1 for a number it does not know.
    static int MatchStatus(int legacyStatus);

private:
    // The seat list the channel gave, or (when it gave none then) what it gives now.
    SeatList* Seats() const;

    TableChannel* m_channel = nullptr;
    SeatList* m_seats = nullptr;  // the hall's, from channel entry 6 when the channel came
};

}  // namespace stoneplay
