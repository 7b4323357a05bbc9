#include "hall/host/local_table.h"

#include <QGuiApplication>
#include <QScreen>

#include "hall/host/table_window.h"

namespace hall {

LocalTable::LocalTable(const GamePlugin& plugin, SoundPlayer* sounds, const QString& dataFolder,
                       LocalTableOptions options)
    : m_driver(options.server) {
    std::vector<std::pair<int, SeatUserInfo>> joining;
    for (int chair : {0, 1}) {
        if (!options.engines[chair]) {
            joining.emplace_back(chair, options.players[chair]);
            continue;
        }
        m_engines[chair] = std::make_unique<EngineSeat>(m_driver, *options.engines[chair]);
        if (!m_engines[chair]->Join(chair, options.players[chair], &m_engineError)) m_engines[chair].reset();
    }
    if (options.onlooker) joining.emplace_back(-1, *options.onlooker);
    for (auto& [chair, user] : joining) {
        auto seat = std::make_unique<ViewSeat>(m_driver);
        if (!seat->Join(chair, user)) continue;
        const GamePlugin& hosted = options.firstWindow && m_windows.empty() ? *options.firstWindow : plugin;
        auto window = std::make_unique<TableWindow>(hosted, seat.get(), sounds, dataFolder);
        window->ResizeTo(options.windowSize);
        m_windowList.push_back(window.get());
        m_seats.push_back(std::move(seat));
        m_windows.push_back(std::move(window));
    }
    for (const std::unique_ptr<EngineSeat>& engine : m_engines) {
        if (!engine || m_windowList.empty()) continue;
        // The engine speaks to the first window's person, who may start it again.
        TableWindow* person = m_windowList.front();
        EngineSeat* seat = engine.get();
        seat->tell = [person](const QString& line) { person->AppendMessage(line); };
        person->AddGameAction(QStringLiteral("重新启动 GNU Go(&R)"), [seat, person] {
            QString error;
            if (seat->Restart(&error)) {
                person->AppendMessage(QStringLiteral("GNU Go 已重新启动。"));
            } else {
                person->AppendMessage(error);
            }
        });
    }
}

LocalTable::~LocalTable() {
    // The windows go first: each view leaves its seat as it goes.
    m_windows.clear();
    m_seats.clear();
    for (std::unique_ptr<EngineSeat>& engine : m_engines) engine.reset();
}

bool LocalTable::Ready(QString* why) const {
    QString reason;
    if (!m_engineError.isEmpty()) reason = m_engineError;
    for (const auto& window : m_windows) {
        if (!window->HasView()) reason = QStringLiteral("the plug-in created no view");
    }
    if (m_windows.empty()) reason = QStringLiteral("nobody sits at the table");
    if (why != nullptr) *why = reason;
    return reason.isEmpty();
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
