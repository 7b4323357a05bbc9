// The legacy plug-in's incoming side: commands of any number and length and scene records of any
// bytes arrive at a match core of the legacy profile, which reads its table through the older
// hall's objects (table states 3, 5, 7, seat state 4). Nothing may read out of bounds, and the
// board stays consistent.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "hall/site/legacy_hall_objects.h"
#include "legacylink/scene_record.h"
#include "match/match_controller.h"
#include "stoneplay/link/legacy_table_facts.h"

namespace {

struct Services : hall::HallServices {
    hall::TableModel model;
    void SendGameCommand(match::MatchCommand, std::span<const uint8_t>) override {}
    void SignalReady() override {}
    void PlayCue(const std::string&) override {}
    std::string DataFolder() const override { return "/tmp"; }
    void ShowSystemText(const std::string&) override {}
    const hall::TableModel* Table() const override { return &model; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    Services services;
    const uint8_t choice = in.ConsumeIntegral<uint8_t>();
    services.model.mySeat = static_cast<int>(choice % 3) - (choice % 3 == 2 ? 3 : 0);
    static constexpr hall::TableStatus kStatuses[] = {hall::TableStatus::BeforeGame, hall::TableStatus::InGame,
                                                      hall::TableStatus::Referee};
    services.model.status = kStatuses[(choice >> 2) % 3];
    services.model.rights = (choice & 0x40) != 0 ? 0x800 : 0;
    for (hall::SeatModel& seat : services.model.seats) {
        seat.occupied = in.ConsumeBool();
        seat.state = in.ConsumeIntegralInRange<int>(0, 1);
        seat.name = in.ConsumeRandomLengthString(40);
    }
    hall::LegacyHallObjects objects(services, 0x5EED);
    stoneplay::LegacyTableFacts facts;
    facts.Attach(objects.channel());
    go::Game board;
    go::Count count;
    match::MatchController controller(board, count, facts, match::ViewProfile::Legacy());
    while (in.remaining_bytes() > 0) {
        if (in.ConsumeBool()) {
            const std::vector<uint8_t> record = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 600));
            if (const auto snapshot = legacylink::SceneSnapshot(record)) (void)controller.OnSnapshot(*snapshot);
        } else {
            const int command = in.ConsumeIntegral<uint8_t>();
            const std::vector<uint8_t> payload = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(0, 64));
            (void)controller.OnCommand(match::DecodeCommand(command), payload);
        }
        const std::string broken = board.position().CheckInvariants();
        if (!broken.empty()) {
            std::fprintf(stderr, "%s\n", broken.c_str());
            std::abort();
        }
    }
    return 0;
}
