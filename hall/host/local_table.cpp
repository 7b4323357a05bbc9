#include "hall/host/local_table.h"

#include <QGuiApplication>
#include <QScreen>

#include "hall/host/table_window.h"

namespace hall {

LocalTable::LocalTable(CreateGameViewFunction create, SoundPlayer* sounds, const QString& dataFolder,
                       LocalTableOptions options)
    : m_driver(options.server) {
    std::vector<std::pair<int, SeatUserInfo>> joining = {{0, options.players[0]}, {1, options.players[1]}};
    if (options.onlooker) joining.emplace_back(-1, *options.onlooker);
    for (auto& [chair, user] : joining) {
        auto seat = std::make_unique<ViewSeat>(m_driver);
        if (!seat->Join(chair, user)) continue;
        auto window = std::make_unique<TableWindow>(create, seat.get(), sounds, dataFolder);
        window->resize(options.windowSize);
        m_windowList.push_back(window.get());
        m_seats.push_back(std::move(seat));
        m_windows.push_back(std::move(window));
    }
}

LocalTable::~LocalTable() {
    // The windows go first: each view leaves its seat as it goes.
    m_windows.clear();
    m_seats.clear();
}

bool LocalTable::Ready() const {
    for (const auto& window : m_windows) {
        if (!window->HasView()) return false;
    }
    return !m_windows.empty();
}

void LocalTable::Show() {
    // Side by side where the screen allows, cascaded where it does not.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    int x = area.left();
    int y = area.top();
    for (TableWindow* window : m_windowList) {
        window->move(x, y);
        window->show();
        window->Opened();
        x += window->width() + 8;
        if (x + window->width() > area.right()) {
            x = area.left() + 40;
            y += 40;
        }
    }
}

}  // namespace hall
