#pragma once

// Two players and an onlooker at one table of the hall's server, each playing through the match
// core with no window, every question answered yes unless a test says otherwise.

#include <gtest/gtest.h>

#include "hall/seats/controller_seat.h"
#include "hall/server/table_server.h"
#include "match/control_ids.h"

namespace hall::testing {

class TableFixture : public ::testing::Test {
protected:
    explicit TableFixture(TableServerOptions options = {}) : server(std::move(options)), black(server), white(server), onlooker(server) {
        for (ControllerSeat* seat : {&black, &white, &onlooker}) {
            seat->answerQuestion = [](const match::effect::Ask&) { return match::Answer::Yes; };
        }
    }
    void SeatEveryone() {
        ASSERT_TRUE(black.Join(0, {"black", 1}));
        ASSERT_TRUE(white.Join(1, {"white", 2}));
        ASSERT_TRUE(onlooker.Join(-1, {"watcher", 3}));
        Settle();
    }
    // Runs the server's queue and every seat's inbox until nothing moves.
    void Settle() {
        for (int round = 0; round < 1000; ++round) {
            server.ProcessQueue();
            int handled = 0;
            for (ControllerSeat* seat : {&black, &white, &onlooker}) handled += seat->Pump();
            if (handled == 0 && !server.HasPendingWork()) return;
        }
        FAIL() << "the table never settles";
    }
    // One second for everyone: the table's clock first, then every view's whose timer runs
    // (`viewsTick` false: views that never report their time).
    void Second(bool viewsTick = true) {
        server.Tick();
        if (viewsTick) {
            for (ControllerSeat* seat : {&black, &white, &onlooker}) seat->Tick();
        }
        Settle();
    }
    void StartGame() {
        SeatEveryone();
        black.Press(match::control::kStart);
        white.Press(match::control::kStart);
        Settle();
    }
    // The same stones and the same move list as the server's.
    void ExpectBoardsEqualTheServers(const char* when) {
        for (ControllerSeat* seat : {&black, &white, &onlooker}) {
            ASSERT_EQ(seat->game().moves(), server.game().moves()) << when;
            for (int x = 0; x < 19; ++x) {
                for (int y = 0; y < 19; ++y) {
                    ASSERT_EQ(seat->game().position().GetCell(x, y).color, server.game().position().GetCell(x, y).color) << when;
                }
            }
        }
    }
    ControllerSeat& ToMove() {
        const int seat = server.game().GetSideToMove() == go::kBlack ? server.blackSeat() : 1 - server.blackSeat();
        return seat == 0 ? black : white;
    }

    TableServer server;
    ControllerSeat black;  // seat 0, which proposes and (with the default rules) takes black
    ControllerSeat white;
    ControllerSeat onlooker;
};

}  // namespace hall::testing
