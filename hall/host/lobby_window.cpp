#include "hall/host/lobby_window.h"

#include <QDir>
#include <QFileDialog>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "hall/host/table_window.h"
#include "record/file_io.h"
#include "sdk/kit/code_page.h"

namespace hall {
namespace {

QString SeatText(const SeatModel& seat) {
    if (!seat.occupied) return QStringLiteral("（空）");
    return FromGbk(QByteArray::fromStdString(seat.name)) + (seat.state == 1 ? QStringLiteral(" ✓") : QString());
}

QString StatusText(TableStatus status) {
    switch (status) {
        case TableStatus::BeforeGame: return QStringLiteral("等待开局");
        case TableStatus::InGame: return QStringLiteral("对局中");
        case TableStatus::Referee: return QStringLiteral("等待裁判");
    }
    return {};
}

// An SGF result as a Go player says it: "B+R" 黑中盘胜, "W+T" 白超时胜, "B+F" 黑胜（对方弃权）,
// "B+3.5" 黑胜3.5目.
QString ResultText(const std::string& result) {
    if (result.empty()) return QStringLiteral("对局中");
    if (result == "0") return QStringLiteral("和棋");
    if (result.size() < 2 || (result[0] != 'B' && result[0] != 'W') || result[1] != '+') return QStringLiteral("无胜负");
    const QString side = result[0] == 'B' ? QStringLiteral("黑") : QStringLiteral("白");
    const std::string how = result.substr(2);
    if (how == "R") return side + QStringLiteral("中盘胜");
    if (how == "T") return side + QStringLiteral("超时胜");
    if (how == "F") return side + QStringLiteral("胜（对方弃权）");
    if (how.empty()) return side + QStringLiteral("胜");
    return side + QStringLiteral("胜") + QString::fromStdString(how) + QStringLiteral("目");
}

}  // namespace

LobbyWindow::LobbyWindow(RemoteHall& hall, const GamePlugin& plugin, SoundPlayer* sounds, QString dataFolder)
    : m_hall(hall), m_plugin(plugin), m_sounds(sounds), m_dataFolder(std::move(dataFolder)) {
    setWindowTitle(QStringLiteral("围棋 — 大厅"));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(BuildTables(), QStringLiteral("棋桌"));
    m_tabs->addTab(BuildArchive(), QStringLiteral("棋谱"));
    setCentralWidget(m_tabs);
    m_status = new QLabel(QStringLiteral("正在连接…"), this);
    statusBar()->addWidget(m_status, 1);
    resize(760, 420);

    connect(&m_hall, &RemoteHall::welcomed, this, [this] {
        m_status->setText(QStringLiteral("已连接"));
        m_hall.ListTables();
        m_hall.ListGames();
    });
    connect(&m_hall, &RemoteHall::lobbyChanged, this, &LobbyWindow::ShowLobby);
    // A table just opened is chosen at once: the next press sits down there.
    connect(&m_hall, &RemoteHall::tableCreated, this, [this](quint32 tableId) {
        m_created = tableId;
        m_hall.ListTables();
    });
    connect(&m_hall, &RemoteHall::gamesChanged, this, &LobbyWindow::ShowGames);
    connect(&m_hall, &RemoteHall::gameFileArrived, this, &LobbyWindow::TakeGameFile);
    connect(&m_hall, &RemoteHall::refused, this, [this](const QString& reason) { m_status->setText(reason); });
    connect(&m_hall, &RemoteHall::seated, this, &LobbyWindow::OpenTable);
    connect(&m_hall, &RemoteHall::reconnecting, this,
            [this] { m_status->setText(QStringLiteral("连接中断，正在重新连接，棋局为您保留…")); });
    connect(&m_hall, &RemoteHall::retrying, this, [this](const QString& reason, int seconds) {
        m_status->setText(QStringLiteral("无法连接服务器：%1。%2秒后重试（按“刷新”立即重试）…").arg(reason).arg(seconds));
    });
    connect(&m_hall, &RemoteHall::systemLine, this, [this](const QString& line) { m_status->setText(line); });
    connect(&m_hall, &RemoteHall::closed, this, [this](const QString& reason) {
        CloseTable();
        m_status->setText(QStringLiteral("连接已断开：") + reason);
    });
}

QWidget* LobbyWindow::BuildTables() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_tables = new QTableWidget(0, 6, page);
    m_tables->setHorizontalHeaderLabels({QStringLiteral("棋桌"), QStringLiteral("座位一"), QStringLiteral("座位二"),
                                         QStringLiteral("观战"), QStringLiteral("状态"), QStringLiteral("规则")});
    m_tables->verticalHeader()->hide();
    m_tables->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tables->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tables->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tables->horizontalHeader()->setStretchLastSection(true);
    auto* finder = new QHBoxLayout;
    m_filter = new QLineEdit(page);
    m_filter->setPlaceholderText(QStringLiteral("棋手名字或桌号"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::returnPressed, this, [this] { AskPage(0); });
    finder->addWidget(m_filter, 1);
    m_openOnly = new QCheckBox(QStringLiteral("只看有空位的"), page);
    connect(m_openOnly, &QCheckBox::toggled, this, [this] { AskPage(0); });
    finder->addWidget(m_openOnly);
    auto* previous = new QPushButton(QStringLiteral("上一页"), page);
    connect(previous, &QPushButton::clicked, this, [this] {
        if (m_hall.lobbyAsked().page > 0) AskPage(m_hall.lobbyAsked().page - 1);
    });
    finder->addWidget(previous);
    auto* next = new QPushButton(QStringLiteral("下一页"), page);
    connect(next, &QPushButton::clicked, this, [this] {
        const wire::Lobby& lobby = m_hall.lobby();
        if (size_t{lobby.page + 1} * wire::kLobbyPageSize < lobby.matching) AskPage(lobby.page + 1);
    });
    finder->addWidget(next);
    layout->addLayout(finder);
    layout->addWidget(m_tables);
    m_summary = new QLabel(page);
    layout->addWidget(m_summary);
    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& text, auto action) {
        auto* button = new QPushButton(text, page);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    add(QStringLiteral("新建棋桌"), [this] {
        if (Connected()) m_hall.CreateTable({});
    });
    add(QStringLiteral("新建私密棋桌…"), [this] {
        if (!Connected()) return;
        bool ok = false;
        const QString password = QInputDialog::getText(this, QStringLiteral("私密棋桌"), QStringLiteral("密码："),
                                                       QLineEdit::Password, {}, &ok);
        if (ok && !password.isEmpty()) m_hall.CreateTable(password);
    });
    buttons->addStretch();
    add(QStringLiteral("坐座位一"), [this] { Sit(0); });
    add(QStringLiteral("坐座位二"), [this] { Sit(1); });
    add(QStringLiteral("观战"), [this] { Sit(wire::kOnlookerSeat); });
    add(QStringLiteral("刷新"), [this] { Refresh(&RemoteHall::ListTables); });
    layout->addLayout(buttons);
    return page;
}

void LobbyWindow::AskPage(uint32_t page) {
    wire::ListTables ask;
    ask.page = page;
    ask.openSeatsOnly = m_openOnly->isChecked();
    const QString text = m_filter->text().trimmed();
    bool number = false;
    const uint32_t tableId = text.toUInt(&number);
    if (number && tableId != 0) {
        ask.tableId = tableId;
    } else if (!text.isEmpty()) {
        const QByteArray gbk = TruncateGbk(ToGbk(text), wire::kMaxNameBytes);
        ask.player.assign(gbk.constData(), static_cast<size_t>(gbk.size()));
    }
    if (Connected()) m_hall.ShowLobbyPage(ask);
}

bool LobbyWindow::Connected() {
    if (m_hall.IsWelcomed()) return true;
    m_status->setText(QStringLiteral("尚未连接到服务器（%1），正在重试；按“刷新”立即重试。").arg(m_hall.notConnectedBecause()));
    return false;
}

void LobbyWindow::Refresh(void (RemoteHall::*list)()) {
    if (m_hall.IsWelcomed()) {
        (m_hall.*list)();
        return;
    }
    m_status->setText(QStringLiteral("正在连接…"));
    m_hall.RetryNow();
}

QWidget* LobbyWindow::BuildArchive() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    m_games = new QTableWidget(0, 6, page);
    m_games->setHorizontalHeaderLabels({QStringLiteral("编号"), QStringLiteral("黑方"), QStringLiteral("白方"),
                                        QStringLiteral("结果"), QStringLiteral("手数"), QStringLiteral("开始")});
    m_games->verticalHeader()->hide();
    m_games->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_games->setSelectionMode(QAbstractItemView::SingleSelection);
    m_games->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_games->horizontalHeader()->setStretchLastSection(true);
    connect(m_games, &QTableWidget::cellDoubleClicked, this, [this] { Fetch(wire::GameFormat::GoRecord, FileUse::Open); });
    layout->addWidget(m_games);
    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& text, auto action) {
        auto* button = new QPushButton(text, page);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
    };
    add(QStringLiteral("打开"), [this] { Fetch(wire::GameFormat::GoRecord, FileUse::Open); });
    add(QStringLiteral("保存棋谱…"), [this] { Fetch(wire::GameFormat::GoRecord, FileUse::Save); });
    add(QStringLiteral("保存为 SGF…"), [this] { Fetch(wire::GameFormat::Sgf, FileUse::Save); });
    buttons->addStretch();
    add(QStringLiteral("刷新"), [this] { Refresh(&RemoteHall::ListGames); });
    layout->addLayout(buttons);
    return page;
}

void LobbyWindow::ShowArchive(bool archive) { m_tabs->setCurrentIndex(archive ? 1 : 0); }

void LobbyWindow::ShowGames() {
    const std::vector<ArchivedGameEntry>& games = m_hall.games();
    m_games->setRowCount(static_cast<int>(games.size()));
    for (int row = 0; row < static_cast<int>(games.size()); ++row) {
        const ArchivedGameEntry& g = games[static_cast<size_t>(row)];
        const QString result = ResultText(g.result);
        const QStringList cells = {QString::number(g.id), FromGbk(QByteArray::fromStdString(g.black)),
                                   FromGbk(QByteArray::fromStdString(g.white)), result, QString::number(g.moves),
                                   QString::fromStdString(g.started).replace(QLatin1Char('T'), QLatin1Char(' '))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, static_cast<qlonglong>(g.id));
            m_games->setItem(row, column, item);
        }
    }
    m_games->resizeColumnsToContents();
}

int64_t LobbyWindow::SelectedGame() const {
    const QList<QTableWidgetItem*> items = m_games->selectedItems();
    return items.isEmpty() ? 0 : items.first()->data(Qt::UserRole).toLongLong();
}

void LobbyWindow::Fetch(wire::GameFormat format, FileUse use) {
    if (!Connected()) return;
    const int64_t id = SelectedGame();
    if (id == 0) {
        m_status->setText(QStringLiteral("请先在列表中选一盘棋。"));
        return;
    }
    m_fileUse = use;
    m_hall.FetchGame(id, format);
}

void LobbyWindow::TakeGameFile(qint64 id, int format, const QByteArray& bytes) {
    const bool sgf = format == static_cast<int>(wire::GameFormat::Sgf);
    const QString name = QStringLiteral("game-%1.%2").arg(id).arg(sgf ? QStringLiteral("sgf") : QStringLiteral("go"));
    QString path;
    if (m_fileUse == FileUse::Save) {
        path = QFileDialog::getSaveFileName(this, QStringLiteral("保存棋谱"), QDir(m_dataFolder).filePath(name),
                                            sgf ? QStringLiteral("SGF Files (*.sgf)") : QStringLiteral("Go Files (*.go)"));
        if (path.isEmpty()) return;
    } else {
        path = QDir(m_dataFolder).filePath(name);
    }
    const go::FileWriteResult written =
        go::WriteFileAtomically(path.toStdString(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
    if (!written.written) {
        m_status->setText(QStringLiteral("无法写入 %1").arg(path));
        return;
    }
    if (m_fileUse == FileUse::Save) {
        m_status->setText(QStringLiteral("已保存 %1").arg(path));
        return;
    }
    // The game on a free board of its own, where 打谱 studies it.
    m_board = std::make_unique<TableWindow>(m_plugin, nullptr, m_sounds, m_dataFolder);
    m_board->ResizeTo(QSize(1024, 768));
    m_board->show();
    m_board->Opened();
    if (!m_board->OpenRecord(path)) m_status->setText(QStringLiteral("无法打开 %1").arg(path));
}

LobbyWindow::~LobbyWindow() { CloseTable(); }

void LobbyWindow::ShowLobby() {
    const uint32_t selected = m_created != 0 ? m_created : SelectedTable();
    const wire::Lobby& lobby = m_hall.lobby();
    const uint32_t pages = std::max<uint32_t>(1, (lobby.matching + wire::kLobbyPageSize - 1) / wire::kLobbyPageSize);
    m_summary->setText(QStringLiteral("共 %1 桌，%2 人在线，%3 盘对局中　第 %4/%5 页")
                           .arg(lobby.summary.tables)
                           .arg(lobby.summary.players)
                           .arg(lobby.summary.gamesRunning)
                           .arg(lobby.page + 1)
                           .arg(pages));
    const std::vector<wire::LobbyTable>& tables = lobby.tables;
    m_tables->setRowCount(static_cast<int>(tables.size()));
    for (int row = 0; row < static_cast<int>(tables.size()); ++row) {
        const wire::LobbyTable& t = tables[static_cast<size_t>(row)];
        const QString number = QString::number(t.tableId) + (t.isPrivate ? QStringLiteral("（私密）") : QString());
        const QStringList cells = {number, SeatText(t.seats[0]), SeatText(t.seats[1]), QString::number(t.onlookers),
                                   StatusText(t.status), QString::fromStdString(t.rules)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, t.tableId);
            item->setData(Qt::UserRole + 1, t.isPrivate);
            m_tables->setItem(row, column, item);
        }
        if (t.tableId == selected) {
            m_tables->selectRow(row);
            if (t.tableId == m_created) m_created = 0;
        }
    }
    m_tables->resizeColumnsToContents();
    for (int column = 1; column <= 2; ++column) m_tables->setColumnWidth(column, std::max(m_tables->columnWidth(column), 120));
}

uint32_t LobbyWindow::SelectedTable() const {
    const QList<QTableWidgetItem*> items = m_tables->selectedItems();
    return items.isEmpty() ? 0 : items.first()->data(Qt::UserRole).toUInt();
}

void LobbyWindow::Sit(int seat) {
    if (!Connected()) return;
    const QList<QTableWidgetItem*> items = m_tables->selectedItems();
    if (m_table) {
        m_status->setText(QStringLiteral("您已在一张棋桌上，请先关闭它的窗口。"));
        return;
    }
    if (items.isEmpty()) {
        m_status->setText(QStringLiteral("请先在列表中选一张棋桌。"));
        return;
    }
    QString password;
    if (items.first()->data(Qt::UserRole + 1).toBool()) {
        bool ok = false;
        password = QInputDialog::getText(this, QStringLiteral("私密棋桌"), QStringLiteral("密码："), QLineEdit::Password, {}, &ok);
        if (!ok) return;
    }
    m_hall.TakeSeat(SelectedTable(), seat, password);
}

void LobbyWindow::OpenTable(ViewSeat* seat) {
    m_table = std::make_unique<TableWindow>(m_plugin, seat, m_sounds, m_dataFolder);
    if (const TableModel* table = seat->Table()) m_status->setText(QStringLiteral("已在对局桌 %1").arg(table->tableId));
    m_table->ResizeTo(QSize(1024, 768));
    // Closing the table window leaves the table; the window goes once its close is done.
    connect(m_table.get(), &TableWindow::closed, this, [this] { QTimer::singleShot(0, this, [this] { m_table.reset(); }); });
    m_table->AddGameAction(QStringLiteral("请 GNU Go 坐对面(&G)…"), [this] {
        bool ok = false;
        const int level = QInputDialog::getInt(m_table.get(), QStringLiteral("电脑对手"), QStringLiteral("GNU Go 的棋力（1–10 级）："), 5, 1,
                                               10, 1, &ok);
        if (ok) m_hall.AskForEngine(level);
    });
    m_table->show();
    m_table->Opened();
}

void LobbyWindow::CloseTable() { m_table.reset(); }

}  // namespace hall
