#pragma once

// A hall for tests: the hall's own interface objects over plain fields, recording every call the
// view makes.

#include <QByteArray>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "hall/site/hall_site_objects.h"

namespace goview::testing {

struct SentCommand {
    int command;
    QByteArray data;
};

class FakeHall : private hall::HallServices {
public:
    FakeHall();
    FakeHall(const FakeHall&) = delete;
    FakeHall& operator=(const FakeHall&) = delete;

    HallSite* site() { return m_objects.site(); }
    TableSite* table() { return m_objects.table(); }

    // What the hall answers.
    bool hasTable = true;  // GetTable hands out the table
    int tableId = 0x00010007;
    int mySeat = 0;        // -1: an onlooker
    int status = 0;
    int rights = 0;
    int hallMode = 0;
    std::string dataFolder = "/tmp/gohall-test-data";
    std::array<hall::SeatModel, 2> seats;  // both occupied and present by default

    // What the view did.
    std::vector<SentCommand> commands;
    std::vector<std::string> cues;
    std::vector<QString> texts;
    int readySignals = 0;

private:
    void SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override;
    void SignalReady() override { ++readySignals; }
    void PlayCue(const std::string& file) override { cues.push_back(file); }
    std::string DataFolder() const override { return dataFolder; }
    void ShowSystemText(const std::string& text) override;
    const hall::TableModel* Table() const override;
    int HallMode() const override { return hallMode; }

    mutable hall::TableModel m_model;
    hall::HallSiteObjects m_objects;
};

}  // namespace goview::testing
