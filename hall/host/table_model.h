#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace hall {

// The hall's picture of one table: two seats and the local user's place at it. The seat records
// and the table record the plug-in reads are views of this.
struct SeatModel {
    bool present = false;
    bool hasProfile = true;
    QString name;
    int face = 0;
    int state = 0;  // 1: ready to start
};

struct TableModel {
    int tableId = 1;
    int status = 0;   // 0 before a game, 2 in a game, 4 referee state
    int rights = 0;   // bit 0x800: referee
    int mySeat = 0;   // -1 for an onlooker
    std::array<SeatModel, 2> seats;

    bool IsPlayer() const { return mySeat == 0 || mySeat == 1; }
};

}  // namespace hall
