#pragma once

// A remote hall as the hall server sees it: the bytes it is sent, decoded, and whether it was
// dropped.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hall/server/hall_server.h"

namespace hall::testing {

using namespace wire;

struct Client : ConnectionSink {
    void Send(std::vector<uint8_t> message) override {
        const std::optional<ServerMessage> decoded = DecodeServerMessage(message);
        ASSERT_TRUE(decoded) << "the server sent bytes that are no message";
        received.push_back(*decoded);
    }
    void Close(const std::string& reason) override { closedFor = reason; }

    template <class T>
    std::vector<T> All() const {
        std::vector<T> found;
        for (const ServerMessage& m : received) {
            if (const T* t = std::get_if<T>(&m)) found.push_back(*t);
        }
        return found;
    }
    template <class T>
    std::optional<T> Last() const {
        const std::vector<T> all = All<T>();
        return all.empty() ? std::nullopt : std::optional<T>(all.back());
    }

    std::vector<ServerMessage> received;
    std::optional<std::string> closedFor;
    HallServer::ConnectionId id = 0;
};

// A hall server and the helpers to greet and speak to it as remote halls.
class HallServerFixture : public ::testing::Test {
protected:
    explicit HallServerFixture(HallServerOptions options = {}) : server(options) {}
    void Open(Client& c, const char* name) {
        c.id = server.Open(c);
        Say(c, Hello{kVersion, name, 3, std::nullopt});
    }
    void Say(Client& c, const ClientMessage& message) { server.Receive(c.id, Encode(message)); }

    HallServer server;
};

}  // namespace hall::testing
