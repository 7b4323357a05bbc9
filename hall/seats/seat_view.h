#pragma once

#include <cstdint>
#include <span>

#include "abi/game_view_api.h"
#include "match/match_command.h"

namespace hall {

// The calls a seat makes on the view that sits there: the match entries of the view's interface.
class SeatView {
public:
    virtual ~SeatView() = default;
    virtual void OnUserChanged(int seat, int kind, int value) = 0;
    virtual void OnGameCommand(match::MatchCommand command, std::span<const uint8_t> data) = 0;
    virtual void OnSceneChanged(std::span<const uint8_t> snapshot) = 0;
    virtual void OnGameStart() = 0;
    virtual void OnGameOver(const uint8_t* result) = 0;
};

// A plug-in's view through its interface table.
class ApiSeatView : public SeatView {
public:
    explicit ApiSeatView(GameViewApi* api) : m_api(api) {}
    void OnUserChanged(int seat, int kind, int value) override { m_api->vtbl->OnUserChanged(m_api, seat, kind, value); }
    void OnGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override {
        m_api->vtbl->OnGameCommand(m_api, 0, match::CommandNumber(command), data.data(), static_cast<int32_t>(data.size()));
    }
    void OnSceneChanged(std::span<const uint8_t> snapshot) override {
        m_api->vtbl->OnSceneChanged(m_api, snapshot.data(), static_cast<int32_t>(snapshot.size()));
    }
    void OnGameStart() override { m_api->vtbl->OnGameStart(m_api); }
    void OnGameOver(const uint8_t* result) override { m_api->vtbl->OnGameOver(m_api, result); }

private:
    GameViewApi* m_api;
};

}  // namespace hall
