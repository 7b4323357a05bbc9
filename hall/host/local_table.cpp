#include "hall/host/local_table.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

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
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    std::vector<WindowShape> shapes;
    for (TableWindow* window : m_windowList) {
        const QWidget* view = window->viewWindow();
        shapes.push_back({window->size(), view != nullptr && view->minimumSize() == view->maximumSize()});
    }
    const std::vector<QRect> places = Arrange(area, shapes);
    for (size_t i = 0; i < m_windowList.size(); ++i) {
        TableWindow* window = m_windowList[i];
        window->resize(places[i].size());
        window->move(places[i].topLeft());
        window->show();
        window->Opened();
    }
}

std::vector<QRect> LocalTable::Arrange(const QRect& area, const std::vector<WindowShape>& windows) {
    constexpr int kGap = 8;
    constexpr int kNarrowest = 820;  // the view with its panels and a message pane beside it
    std::vector<QRect> places;
    if (windows.empty()) return places;
    const int n = static_cast<int>(windows.size());
    int total = kGap * (n - 1);
    int fixedWidth = 0;
    int narrowable = 0;
    for (const WindowShape& w : windows) {
        total += w.size.width();
        if (w.fixedSize) {
            fixedWidth += w.size.width();
        } else {
            ++narrowable;
        }
    }
    const int narrowedWidth = narrowable > 0 ? (area.width() - kGap * (n - 1) - fixedWidth) / narrowable : 0;
    if (total <= area.width() || (narrowable > 0 && narrowedWidth >= kNarrowest)) {
        int x = area.left();
        for (const WindowShape& w : windows) {
            const int width = total <= area.width() || w.fixedSize ? w.size.width() : narrowedWidth;
            places.push_back(QRect(x, area.top(), width, std::min(w.size.height(), area.height())));
            x += width + kGap;
        }
        return places;
    }
    int widest = 0;
    for (const WindowShape& w : windows) widest = std::max(widest, w.size.width());
    const int stepX = n > 1 ? std::max(40, (area.width() - widest) / (n - 1)) : 0;
    const int stepY = 30;
    for (int i = 0; i < n; ++i) {
        const QSize size = windows[static_cast<size_t>(i)].size;
        places.push_back(QRect(area.left() + i * stepX, area.top() + i * stepY, size.width(),
                               std::min(size.height(), area.height() - i * stepY)));
    }
    return places;
}

}  // namespace hall
