// A plug-in of the current contract in a table window: created through CreateGameView and driven
// through its GameViewApi, with the hall's HallSite objects answering it.

#include <QCoreApplication>

#include "hall/host/hosted_game.h"
#include "hall/host/seat_faces.h"
#include "hall/site/hall_site_objects.h"

namespace hall {
namespace {

class CurrentGame : public HostedGame {
public:
    CurrentGame(CreateGameViewFunction create, HallServices& services)
        : m_create(create), m_objects(services), m_faces(services) {}

    QWidget* Create(QWidget* host, QString* why) override {
        if (m_create == nullptr || m_create(GAME_VIEW_VERSION, m_objects.site(), &m_api, &m_description) == 0 ||
            m_api == nullptr) {
            m_api = nullptr;
            *why = QStringLiteral("无法创建对局视图");
            return nullptr;
        }
        GameWindowHandle window = nullptr;
        if (m_api->vtbl->CreateViewWindow(m_api, &window, host, nullptr) == 0 || window == nullptr) {
            *why = QStringLiteral("无法创建对局窗口");
            return nullptr;
        }
        return static_cast<QWidget*>(window);
    }
    SeatView* AttachTable(const TableModel& table) override {
        m_api->vtbl->AttachTable(m_api, table.tableId);
        m_seatView = std::make_unique<ApiSeatView>(m_api);
        return m_seatView.get();
    }
    // At a table the hall shows its players' faces in the frames the view keeps for them.
    void Shown() override {
        if (m_api != nullptr && m_seatView) m_faces.GiveTo(m_api);
    }
    void EnableLoad() override {
        if (m_api != nullptr) m_api->vtbl->EnableLoad(m_api);
    }
    void ShowSettings() override {
        if (m_api != nullptr) m_api->vtbl->ShowSettings(m_api);
    }
    bool CanClose() override { return m_api == nullptr || m_api->vtbl->CanClose(m_api) != 0; }
    void Destroy() override {
        m_seatView.reset();
        if (m_api == nullptr) return;
        GameViewApi* api = m_api;
        m_api = nullptr;
        api->vtbl->DestroyView(api);
    }

private:
    CreateGameViewFunction m_create;
    HallSiteObjects m_objects;
    SeatFaces m_faces;
    GameViewApi* m_api = nullptr;
    GameDescription m_description{};
    std::unique_ptr<ApiSeatView> m_seatView;
};

}  // namespace

std::unique_ptr<HostedGame> NewCurrentGame(CreateGameViewFunction create, HallServices& services) {
    return std::make_unique<CurrentGame>(create, services);
}

}  // namespace hall
