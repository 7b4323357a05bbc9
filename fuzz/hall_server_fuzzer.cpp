// The hall server fed by three connections with whatever bytes arrive, some of them well-formed
// messages built from the input: nothing crashes, nothing is read past an end, every byte the
// server sends is a whole message, and a connection the server dropped is never written to again.

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "hall/server/hall_server.h"
#include "match/match_command.h"

namespace {

struct Sink : hall::ConnectionSink {
    void Send(std::vector<uint8_t> message) override {
        if (closed || !hall::wire::DecodeServerMessage(message)) std::abort();
    }
    void Close(const std::string&) override { closed = true; }
    bool closed = false;
};

// A well-formed message chosen and filled by the input, so that the server gets past greetings.
std::vector<uint8_t> Message(uint8_t kind, std::span<const uint8_t> rest) {
    using namespace hall::wire;
    const uint8_t a = rest.size() > 0 ? rest[0] : 0;
    const uint8_t b = rest.size() > 1 ? rest[1] : 0;
    switch (kind % 9) {
        case 0: return Encode(ClientMessage(Hello{kVersion, "p", a, std::nullopt}));
        case 1: return Encode(ClientMessage(CreateTable{a % 2 ? "pw" : ""}));
        case 2: return Encode(ClientMessage(TakeSeat{static_cast<uint32_t>(a % 4), b % 3 == 2 ? kOnlookerSeat : b % 3, "pw"}));
        case 3: return Encode(ClientMessage(Ready{}));
        case 4: return Encode(ClientMessage(LeaveTable{}));
        case 5: return Encode(ClientMessage(SendCommand{a, std::vector<uint8_t>(rest.begin() + std::min<size_t>(1, rest.size()), rest.end())}));
        case 6: return Encode(ClientMessage(ListTables{static_cast<uint32_t>(a % 3), (b & 1) != 0, b & 2 ? "p" : "", static_cast<uint32_t>(b >> 4)}));
        case 7: return Encode(ClientMessage(ListGames{}));
        default: return Encode(ClientMessage(FetchGame{a, GameFormat::Sgf}));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    hall::HallServer server(hall::HallServerOptions{50, 2});
    Sink sinks[3];
    hall::HallServer::ConnectionId ids[3];
    for (int i = 0; i < 3; ++i) ids[i] = server.Open(sinks[i]);
    size_t at = 0;
    while (at + 2 <= size) {
        const uint8_t op = data[at];
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        const std::span<const uint8_t> body(data + at + 2, length);
        at += 2 + length;
        const int who = op % 3;
        switch (op / 3 % 5) {
            case 0: server.Receive(ids[who], body); break;               // raw bytes
            case 1:
            case 2: {
                const std::vector<uint8_t> message = Message(length > 0 ? body[0] : 0, body.subspan(std::min<size_t>(1, length)));
                server.Receive(ids[who], message);
                break;
            }
            case 3: server.Tick(); break;
            default:
                // The connection drops and a new one comes in its place.
                server.Closed(ids[who]);
                sinks[who] = Sink{};
                ids[who] = server.Open(sinks[who]);
                break;
        }
    }
    return 0;
}
