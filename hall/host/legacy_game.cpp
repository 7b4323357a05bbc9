// A plug-in of the older hall's contract in a table window: its creator makes the window and the
// game interface, the hall's legacy objects answer it, and the seat's deliveries become the game
// interface's entries.

#include <QPointer>
#include <vector>

#include "hall/host/hosted_game.h"
#include "hall/site/legacy_hall_objects.h"
#include "legacylink/scene_record.h"
#include "match/chair.h"
#include "match/match_types.h"

namespace hall {
namespace {

// The seat's calls as the older hall makes them: a seat change is the seat's user handed over
// again (and Start offered back when the local user is no longer ready), a snapshot goes as a
// scene record led by its total length.
class LegacySeatView : public SeatView {
public:
    LegacySeatView(GoGame* game, LegacyHallObjects& objects, const TableModel& table)
        : m_game(game), m_objects(objects), m_mySeat(table.mySeat) {}

    void OnUserChanged(int seat, int kind, int value) override {
        if (kind == static_cast<int>(match::SeatChange::PassState)) return;  // no forced counting here
        if (kind == static_cast<int>(match::SeatChange::Readiness) && value == 0 && seat == m_mySeat) {
            m_game->vtbl->EnableStart(m_game);
        }
        SeatPlayer* user = match::IsChair(seat) ? m_objects.seatPlayer(seat) : nullptr;
        m_game->vtbl->OnUserChanged(m_game, seat, value, user);
    }
    void OnGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override {
        m_game->vtbl->OnGameCommand(m_game, match::CommandNumber(command), data.data(), static_cast<int32_t>(data.size()));
    }
    void OnSceneChanged(std::span<const uint8_t> snapshot) override {
        const std::vector<uint8_t> scene = legacylink::EncodeScene(snapshot);
        m_game->vtbl->OnSceneChanged(m_game, scene.data());
    }
    void OnGameStart() override { m_game->vtbl->OnGameStart(m_game); }
    void OnGameOver(const uint8_t* result) override { m_game->vtbl->OnGameOver(m_game, result); }

private:
    GoGame* m_game;
    LegacyHallObjects& m_objects;
    int m_mySeat;
};

// The scramble state a hall gives a fresh link block.
constexpr uint16_t kFirstLinkState = 0x5EED;

class LegacyGame : public HostedGame {
public:
    LegacyGame(GetGameCreatorFunction getCreator, HallServices& services)
        : m_getCreator(getCreator), m_objects(services, kFirstLinkState) {}

    QWidget* Create(QWidget* host, QString* why) override {
        GameCreator* creator = nullptr;
        if (m_getCreator == nullptr || m_getCreator(&creator) != 1 || creator == nullptr) {
            *why = QStringLiteral("无法创建对局视图");
            return nullptr;
        }
        creator->vtbl->SetSite(creator, m_objects.site());
        m_window = static_cast<QWidget*>(creator->vtbl->CreateGameWindow(creator, host));
        void* game = nullptr;
        creator->vtbl->GetGame(creator, &game);
        m_game = static_cast<GoGame*>(game);
        if (!m_window || m_game == nullptr) {
            *why = QStringLiteral("无法创建对局窗口");
            return nullptr;
        }
        // The older hall gives the game window the size its creator asks for, and keeps it.
        int32_t width = 0;
        int32_t height = 0;
        creator->vtbl->GetWindowSize(creator, &width, &height);
        if (width > 0 && height > 0) m_window->setFixedSize(width, height);
        creator->vtbl->ConnectTextSink(creator);
        m_game->vtbl->AddRef(m_game);
        return m_window.data();
    }
    SeatView* AttachTable(const TableModel& table) override {
        m_game->vtbl->AttachTable(m_game, m_objects.channel());
        m_game->vtbl->EnterTable(m_game);
        m_seatView = std::make_unique<LegacySeatView>(m_game, m_objects, table);
        return m_seatView.get();
    }
    void EnableLoad() override {
        if (m_window) m_game->vtbl->EnableLoad(m_game);
    }
    void ShowSettings() override {
        if (m_window) m_game->vtbl->ShowSettings(m_game);
    }
    bool CanClose() override { return !m_window || m_game->vtbl->CanLeave(m_game) == LEGACY_S_OK; }
    // The older hall ends a game by destroying its window; the view goes with it.
    void Destroy() override {
        m_seatView.reset();
        if (!m_window) return;
        m_game->vtbl->Release(m_game);
        delete m_window.data();
    }

private:
    GetGameCreatorFunction m_getCreator;
    LegacyHallObjects m_objects;
    QPointer<QWidget> m_window;
    GoGame* m_game = nullptr;
    std::unique_ptr<LegacySeatView> m_seatView;
};

}  // namespace

std::unique_ptr<HostedGame> NewLegacyGame(GetGameCreatorFunction getCreator, HallServices& services) {
    return std::make_unique<LegacyGame>(getCreator, services);
}

}  // namespace hall
